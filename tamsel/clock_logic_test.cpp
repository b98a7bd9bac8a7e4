#include "clock_logic.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

const Edition& A() { return EditionAt(0); }
const Edition& B() { return EditionAt(1); }
const Edition& C() { return EditionAt(2); }

LocalTime At(int hour, int minute, int second = 0) {
  return {2026, 12, 9, 3, hour, minute, second};
}

// The large glyphs at the time row, as the digit or ':' they show, left to right.
std::string TimeText(const std::vector<GlyphBlit>& glyphs, const Edition& e) {
  std::string text;
  for (const GlyphBlit& g : glyphs) {
    if (g.dstY != e.timeTop) continue;
    text += g.srcX == 240 ? ':' : static_cast<char>('0' + g.srcX / 24);
  }
  return text;
}

// Which mark glyph (am, pm) sits in the am/pm row, or none.
std::string AmPm(const std::vector<GlyphBlit>& glyphs, const Edition& e) {
  for (const GlyphBlit& g : glyphs)
    if (g.dstY == e.ampmTop && g.srcX == 256) return g.srcY == 12 ? "am" : "pm";
  return "";
}

TEST(Glyphs, HoursInBothModes) {
  auto g = GlyphsFor(At(12, 5), false, false, A());
  EXPECT_EQ(TimeText(g, A()), "0:05");
  EXPECT_EQ(AmPm(g, A()), "pm");
  g = GlyphsFor(At(0, 30), false, false, A());
  EXPECT_EQ(TimeText(g, A()), "0:30");
  EXPECT_EQ(AmPm(g, A()), "am");
  g = GlyphsFor(At(9, 7), true, false, A());
  EXPECT_EQ(TimeText(g, A()), "9:07");
  EXPECT_EQ(AmPm(g, A()), "");
  g = GlyphsFor(At(23, 59), true, false, C());
  EXPECT_EQ(TimeText(g, C()), "23:59");
  g = GlyphsFor(At(23, 59), false, false, C());
  EXPECT_EQ(TimeText(g, C()), "11:59");
  EXPECT_EQ(AmPm(g, C()), "pm");
  g = GlyphsFor(At(11, 0), false, false, B());
  EXPECT_EQ(AmPm(g, B()), "am");
  // the hour tens sits at 36, the units at 60, whether or not tens is drawn
  for (const GlyphBlit& glyph : GlyphsFor(At(10, 0), true, false, B())) {
    if (glyph.dstY == B().timeTop && glyph.srcX == 24) {
      EXPECT_EQ(glyph.dstX, 36);
    }
  }
}

TEST(Glyphs, DateRowAndAlarmMark) {
  LocalTime t{2031, 7, 4, 5, 8, 0, 0};
  auto g = GlyphsFor(t, true, true, B());
  std::map<int, GlyphBlit> date;
  for (const GlyphBlit& glyph : g)
    if (glyph.dstY == B().dateTop) date[glyph.dstX] = glyph;
  ASSERT_EQ(date.size(), 11u);
  EXPECT_EQ(date[36], (GlyphBlit{5 * 28, 0, 28, 12, 36, 88}));
  auto digitAt = [&](int x) { return (date[x].srcX - 196) / 8; };
  EXPECT_EQ(digitAt(72) * 1000 + digitAt(80) * 100 + digitAt(88) * 10 + digitAt(96), 2031);
  EXPECT_EQ(date[102].srcX, 276);
  EXPECT_EQ(date[122].srcX, 276);
  EXPECT_EQ(digitAt(108) * 10 + digitAt(116), 7);
  EXPECT_EQ(digitAt(128) * 10 + digitAt(136), 4);
  // the alarm mark is the last glyph, and only while the alarm is active
  EXPECT_EQ(g.back(), (GlyphBlit{256, 36, 24, 12, 9, B().alarmTop}));
  auto off = GlyphsFor(t, true, false, B());
  EXPECT_EQ(off.size() + 1, g.size());
  // every glyph comes from the upper half of the strip and stays inside it
  for (const GlyphBlit& glyph : g) {
    EXPECT_GE(glyph.srcX, 0);
    EXPECT_LE(glyph.srcX + glyph.width, kGlyphStripWidth);
    EXPECT_LE(glyph.srcY + glyph.height, kMaskOffset);
  }
}

TEST(Ticks, MinuteAndHourChanges) {
  TickState s;
  s.lastMinute = 59;
  s.lastHour = 23;
  EXPECT_EQ(TimeMarks(s, At(23, 59, 59)), 0);
  int marks = TimeMarks(s, At(0, 0, 0));
  EXPECT_EQ(marks, 3);
  Invalidation inv = InvalidationFor(marks, A());
  EXPECT_EQ(inv.kind, Invalidation::kArea);
  EXPECT_EQ(inv.area, (Rect{0, 0, 272, 200}));
  EXPECT_EQ(TimeMarks(s, At(0, 0, 1)), 0);  // once only
  EXPECT_EQ(TimeMarks(s, At(0, 1, 0)), kMarkMinute);
  EXPECT_EQ(InvalidationFor(kMarkMinute, A()).kind, Invalidation::kClient);
  EXPECT_EQ(InvalidationFor(0, A()).kind, Invalidation::kNothing);
  EXPECT_EQ(InvalidationFor(kMarkFace, B()).area, (Rect{184, 56, 248, 96}));
  EXPECT_EQ(InvalidationFor(kMarkFace, C()).area, (Rect{160, 40, 232, 96}));
  EXPECT_EQ(InvalidationFor(kMarkFace, A()).area, (Rect{160, 0, 256, 112}));
  EXPECT_EQ(InvalidationFor(kMarkCreature, B()).area, (Rect{96, 128, 184, 184}));
  EXPECT_EQ(InvalidationFor(kMarkFace | kMarkCreature, B()).area, (Rect{0, 0, 276, 196}));
}

struct Event {
  int tick, marks, face, creature;
  bool operator==(const Event& o) const {
    return tick == o.tick && marks == o.marks && face == o.face && creature == o.creature;
  }
};
std::ostream& operator<<(std::ostream& os, const Event& e) {
  return os << "{" << e.tick << ", " << e.marks << ", " << e.face << ", " << e.creature << "}";
}

// The marked ticks of two whole cycles, numbered from the first tick.
std::vector<Event> Cycle(const Edition& e) {
  TickState s;
  std::vector<Event> events;
  for (int tick = 1; tick <= 2 * 162; ++tick) {
    int marks = AdvanceAnimation(s, e);
    if (marks) events.push_back({tick, marks, s.face, s.creature});
    EXPECT_GE(s.counter, 0);
    EXPECT_LE(s.counter, 161);
  }
  return events;
}

TEST(Animation, WinkCycleOf162Ticks) {
  std::vector<Event> want = {{10, 2, 2, 0}, {12, 2, 3, 0}, {80, 2, 2, 0}, {82, 2, 0, 0}};
  std::vector<Event> got = Cycle(A());
  ASSERT_EQ(got.size(), 8u);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(got[i], want[i]);
    Event next = want[i];
    next.tick += 162;
    EXPECT_EQ(got[i + 4], next);
  }
}

TEST(Animation, BlinkCycle) {
  std::vector<Event> got = Cycle(C());
  std::vector<Event> want = {
      {12, 2, 1, 0}, {13, 2, 2, 0}, {14, 2, 3, 0}, {15, 2, 2, 0}, {16, 2, 0, 0}};
  ASSERT_EQ(got.size(), 10u);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(got[i], want[i]);
  EXPECT_EQ(got[5].tick, 12 + 162);
}

TEST(Animation, CreaturesOfTheSecondEdition) {
  std::vector<Event> got = Cycle(B());
  std::vector<Event> want = {{10, 2, 2, 0},  {12, 2, 3, 0},  {20, 4, 0, 2},  {21, 4, 0, 3},
                             {22, 4, 0, 2},  {23, 4, 0, 0},  {80, 2, 2, 0},  {82, 2, 0, 0},
                             {100, 4, 0, 2}, {101, 4, 0, 3}, {102, 4, 0, 2}, {103, 4, 0, 0}};
  ASSERT_EQ(got.size(), 2 * want.size());
  for (size_t i = 0; i < want.size(); ++i) EXPECT_EQ(got[i], want[i]);
  // the reset tick clears a creature frame left over and repaints nothing
  TickState s;
  s.counter = 161;
  s.creature = 3;
  s.face = 3;
  EXPECT_EQ(AdvanceAnimation(s, B()), 0);
  EXPECT_EQ(s.counter, 0);
  EXPECT_EQ(s.creature, 0);
  EXPECT_EQ(s.face, 3);
}

TEST(Animation, FrameSources) {
  EXPECT_EQ(FaceFrameSource(1, A()), (Rect{0, 0, 96, 112}));
  EXPECT_EQ(FaceFrameSource(3, A()), (Rect{192, 0, 288, 112}));
  EXPECT_EQ(FaceFrameSource(3, B()), (Rect{128, 0, 192, 40}));
  EXPECT_EQ(FaceFrameSource(2, C()), (Rect{72, 0, 144, 56}));
  EXPECT_EQ(BigCreatureSource(2), (Rect{128, 40, 160, 72}));
  EXPECT_EQ(BigCreatureSource(3), (Rect{160, 40, 192, 72}));
  EXPECT_EQ(SmallCreatureSource(2), (Rect{64, 40, 80, 56}));
  EXPECT_EQ(SmallCreatureSource(3), (Rect{80, 40, 96, 56}));
  for (int i = 0; i < kEditionCount; ++i) {
    const Edition& e = EditionAt(i);
    EXPECT_LE(FaceFrameSource(3, e).right, e.frames.width);
    EXPECT_LE(FaceFrameSource(3, e).bottom, e.frames.height);
  }
}

TEST(Placement, FlipsAtTheRightAndBottomEdges) {
  Rect desktop{0, 0, 1024, 768};
  EXPECT_EQ(PlaceDialog({100, 100}, {200, 150}, desktop), (Point{100, 100}));
  EXPECT_EQ(PlaceDialog({824, 618}, {200, 150}, desktop), (Point{824, 618}));  // just fits
  EXPECT_EQ(PlaceDialog({825, 100}, {200, 150}, desktop), (Point{625, 100}));
  EXPECT_EQ(PlaceDialog({100, 619}, {200, 150}, desktop), (Point{100, 469}));
  EXPECT_EQ(PlaceDialog({1000, 700}, {200, 150}, desktop), (Point{800, 550}));
}

TEST(Placement, ReachableOnlyWithTheShapesMiddleOnTheMonitors) {
  const Rect shape{10, 0, 250, 200};  // middle square from (114, 84) to (146, 116)
  const std::vector<ScreenRect> one = {{0, 0, 1024, 768}};
  EXPECT_TRUE(IsReachable({0, 0}, shape, one));
  EXPECT_TRUE(IsReachable({-114, -84}, shape, one));
  EXPECT_FALSE(IsReachable({-115, 0}, shape, one));
  EXPECT_FALSE(IsReachable({0, -85}, shape, one));
  EXPECT_FALSE(IsReachable({-271, 40}, shape, one)) << "one column of the window on screen";
  EXPECT_TRUE(IsReachable({1024 - 146, 768 - 116}, shape, one));
  EXPECT_FALSE(IsReachable({1024 - 145, 0}, shape, one));
  // across two monitors side by side, but not into a gap below the smaller one
  const std::vector<ScreenRect> two = {{0, 0, 1024, 768}, {1024, 0, 2048, 600}};
  EXPECT_TRUE(IsReachable({1024 - 130, 100}, shape, two));
  EXPECT_FALSE(IsReachable({1024 - 130, 600 - 100}, shape, two));
  EXPECT_FALSE(IsReachable({0, 0}, shape, {}));
}

TEST(Region, RunsOfNonKeyPixels) {
  const uint32_t k = 0xFF00FF, o = 0x123456;
  // the top byte is not part of the colour
  const uint32_t pixels[] = {
      k, o, o, k, 0xAAFF00FF,  //
      o, k, k, k, o,           //
      k, k, k, k, k,           //
      o, o, o, o, 0x01FF00FE,  //
  };
  std::vector<::Run> want = {{0, 1, 3}, {1, 0, 1}, {1, 4, 5}, {3, 0, 5}};
  EXPECT_EQ(RegionRuns(pixels, 5, 4, k), want);
  const uint32_t allKey[] = {k, k, k, k};
  EXPECT_TRUE(RegionRuns(allKey, 2, 2, k).empty());
  EXPECT_TRUE(RegionRuns(pixels, 0, 0, k).empty());
}

TEST(Editions, Table) {
  EXPECT_EQ(A().timerId, 32767u);
  EXPECT_EQ(B().timerId, 32769u);
  EXPECT_EQ(C().timerId, 32768u);
  EXPECT_EQ(std::wstring(B().title), L"Tamselクロック(Fenna)");
  EXPECT_EQ(std::wstring(C().trayTip), L"Tamsel時計Quill");
  EXPECT_EQ(std::string(A().subkey), "tamsela");
  EXPECT_EQ(B().background.width, B().window.width + 4);
  for (int i = 0; i < kEditionCount; ++i) {
    const Edition& e = EditionAt(i);
    Rect face = e.FaceArea();
    EXPECT_LE(face.right, e.window.width);
    EXPECT_LE(face.bottom, e.window.height);
    EXPECT_EQ(e.ampmTop, e.timeTop + 8);
  }
}

}  // namespace
