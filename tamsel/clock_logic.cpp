#include "clock_logic.h"

namespace {

// Places in the upper half of the glyph strip.
constexpr int kLargeDigitY = 12, kLargeDigitW = 24, kLargeDigitH = 36;
constexpr int kColonX = 240, kColonW = 16;
constexpr int kSmallDigitX = 196, kSmallDigitW = 8, kSmallH = 12;
constexpr int kSeparatorX = 276;
constexpr int kWeekdayW = 28;
constexpr int kMarkX = 256, kAmY = 12, kPmY = 24, kAlarmY = 36;

GlyphBlit Large(int digit, int x, int y) {
  return {digit * kLargeDigitW, kLargeDigitY, kLargeDigitW, kLargeDigitH, x, y};
}
GlyphBlit Small(int digit, int x, int y) {
  return {kSmallDigitX + digit * kSmallDigitW, 0, kSmallDigitW, kSmallH, x, y};
}

}  // namespace

std::vector<GlyphBlit> GlyphsFor(const LocalTime& now, bool hour24, bool alarmActive,
                                 const Edition& e) {
  std::vector<GlyphBlit> out;
  const int t = e.timeTop, d = e.dateTop;
  int hour = now.hour;
  if (!hour24) {
    out.push_back({kMarkX, hour < 12 ? kAmY : kPmY, 20, 12, 9, e.ampmTop});
    hour %= 12;  // noon and midnight read 0, with pm and am
  }
  if (hour / 10 != 0) out.push_back(Large(hour / 10, 36, t));
  out.push_back(Large(hour % 10, 60, t));
  out.push_back({kColonX, kLargeDigitY, kColonW, kLargeDigitH, 86, t});
  out.push_back(Large(now.minute / 10, 96, t));
  out.push_back(Large(now.minute % 10, 120, t));

  out.push_back({now.weekday * kWeekdayW, 0, kWeekdayW, kSmallH, 36, d});
  const int year[] = {now.year / 1000 % 10, now.year / 100 % 10, now.year / 10 % 10, now.year % 10};
  for (int i = 0; i < 4; ++i) out.push_back(Small(year[i], 72 + 8 * i, d));
  out.push_back({kSeparatorX, 0, kSmallDigitW, kSmallH, 102, d});
  out.push_back(Small(now.month / 10, 108, d));
  out.push_back(Small(now.month % 10, 116, d));
  out.push_back({kSeparatorX, 0, kSmallDigitW, kSmallH, 122, d});
  out.push_back(Small(now.day / 10, 128, d));
  out.push_back(Small(now.day % 10, 136, d));
  if (alarmActive) out.push_back({kMarkX, kAlarmY, 24, 12, 9, e.alarmTop});
  return out;
}

int TimeMarks(TickState& s, const LocalTime& now) {
  int marks = 0;
  if (now.minute != s.lastMinute) {
    s.lastMinute = now.minute;
    marks |= kMarkMinute;
  }
  if (now.hour != s.lastHour) {
    s.lastHour = now.hour;
    marks |= kMarkMinute | kMarkFace;
  }
  return marks;
}

namespace {

int WinkFace(int t, int& face) {
  switch (t) {
    case 10:
    case 80:
      face = 2;
      return kMarkFace;
    case 12:
      face = 3;
      return kMarkFace;
    case 82:
      face = 0;
      return kMarkFace;
    default:
      face = 0;
      return 0;
  }
}

int BlinkFace(int t, int& face) {
  static const int kFrames[] = {1, 2, 3, 2, 0};  // ticks 12 to 16
  if (t >= 12 && t <= 16) {
    face = kFrames[t - 12];
    return kMarkFace;
  }
  face = 0;
  return 0;
}

int Creature(int t, int& creature) {
  creature = 0;
  switch (t) {
    case 20:
    case 22:
    case 100:
    case 102:
      creature = 2;
      return kMarkCreature;
    case 21:
    case 101:
      creature = 3;
      return kMarkCreature;
    case 23:
    case 103:
      return kMarkCreature;
    default:
      return 0;  // also ticks 12 and 82, which only clear the frame
  }
}

}  // namespace

int AdvanceAnimation(TickState& s, const Edition& e) {
  const int c = s.counter;
  s.counter = c + 1;
  if (c > 160) {
    s.counter = 0;
    if (e.creatures) s.creature = 0;
    return 0;
  }
  const int t = c + 1;
  int marks = e.animation == Animation::kWink ? WinkFace(t, s.face) : BlinkFace(t, s.face);
  if (e.creatures) marks |= Creature(t, s.creature);
  return marks;
}

Invalidation InvalidationFor(int marks, const Edition& e) {
  switch (marks) {
    case 0:
      return {Invalidation::kNothing, {0, 0, 0, 0}};
    case kMarkMinute:
      return {Invalidation::kClient, {0, 0, 0, 0}};
    case kMarkFace:
      return {Invalidation::kArea, e.FaceArea()};
    case kMarkCreature:
      if (e.creatures) return {Invalidation::kArea, e.creatureArea};
      break;
  }
  return {Invalidation::kArea, {0, 0, e.window.width, e.window.height}};
}

Rect FaceFrameSource(int frame, const Edition& e) {
  int x = e.face.width * (frame - 1);
  return {x, 0, x + e.face.width, e.face.height};
}

Rect BigCreatureSource(int frame) {
  int x = (frame + 2) * kBigCreatureSize;
  return {x, kCreatureTileY, x + kBigCreatureSize, kCreatureTileY + kBigCreatureSize};
}

Rect SmallCreatureSource(int frame) {
  int x = (frame + 2) * kSmallCreatureSize;
  return {x, kCreatureTileY, x + kSmallCreatureSize, kCreatureTileY + kSmallCreatureSize};
}

Point PlaceDialog(Point click, Size dialog, Rect desktop) {
  Point at = click;
  if (desktop.right < at.x + dialog.width) at.x -= dialog.width;
  if (desktop.bottom < at.y + dialog.height) at.y -= dialog.height;
  return at;
}

bool IsReachable(Point at, Rect shape, const std::vector<ScreenRect>& monitors) {
  return MiddleOnMonitors(
      {at.x + shape.left, at.y + shape.top, at.x + shape.right, at.y + shape.bottom}, monitors);
}

std::vector<Run> RegionRuns(const uint32_t* pixels, int width, int height, uint32_t key) {
  std::vector<Run> runs;
  key &= 0xFFFFFF;
  for (int y = 0; y < height; ++y) {
    const uint32_t* row = pixels + static_cast<size_t>(y) * width;
    int x = 0;
    while (x < width) {
      while (x < width && (row[x] & 0xFFFFFF) == key) ++x;
      if (x == width) break;
      int left = x;
      while (x < width && (row[x] & 0xFFFFFF) != key) ++x;
      runs.push_back({y, left, x});
    }
  }
  return runs;
}
