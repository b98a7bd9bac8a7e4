#include "face_geometry.h"

#include <cmath>
#include <string>

#include "../res/resource.h"

namespace {

// The face has always used this truncated constant; a fuller one moves some tips by a unit.
constexpr double kDegreesToRadians = 0.017453292;

// Date positions A to E follow a slight arc along the bottom of the face.
constexpr FacePoint kA{57, 373}, kB{71, 375}, kC{85, 378}, kD{94, 375}, kE{108, 373};

int DigitBitmap(int digit) { return digit == 0 ? IDB_DIGIT0 : IDB_DIGIT1 + digit - 1; }

}  // namespace

int HourHandAngle(int hour12, int minute) { return hour12 * 30 + minute / 2; }
int MinuteHandAngle(int minute) { return minute * 6; }
int SecondHandAngle(int second) { return second * 6; }

HandShape ComputeHand(HandSpec hand, int angleDegrees) {
  double theta = angleDegrees * kDegreesToRadians;
  int x = static_cast<int>(hand.length * std::sin(theta));
  int y = static_cast<int>(hand.length * std::cos(theta));
  int d = hand.divisor;
  return {{x, y}, {y / d, -x / d}, {-x / d, -y / d}, {-y / d, x / d}};
}

Glyph WeekdayBadge(int weekday) {
  static constexpr int kBadges[7] = {IDB_WEEK_SUN, IDB_WEEK_MON, IDB_WEEK_TUE, IDB_WEEK_WED,
                                     IDB_WEEK_THU, IDB_WEEK_FRI, IDB_WEEK_SAT};
  return {kBadges[((weekday % 7) + 7) % 7], {65, 6}};
}

std::vector<Glyph> DateGlyphs(int month, int day) {
  std::vector<Glyph> glyphs;
  if (month >= 10) {
    glyphs.push_back({DigitBitmap(1), kA});
    glyphs.push_back({DigitBitmap(month % 10), kB});
  } else {
    glyphs.push_back({DigitBitmap(month), kB});
  }
  glyphs.push_back({IDB_SLASH, kC});
  std::string text = std::to_string(day);
  glyphs.push_back({DigitBitmap(text.front() - '0'), kD});
  if (text.size() == 2) glyphs.push_back({DigitBitmap(text.back() - '0'), kE});
  return glyphs;
}

const std::array<Numeral, 12>& Numerals() {
  static const std::array<Numeral, 12> kNumerals = {{
      {"XII", {0, 450}, 0},
      {"I", {225, 390}, 300},
      {"II", {390, 225}, 600},
      {"III", {450, 0}, 900},
      {"IV", {390, -225}, 1200},
      {"V", {225, -390}, 1500},
      {"VI", {0, -450}, 1800},
      {"VII", {-225, -390}, 2100},
      {"VIII", {-390, -225}, 2400},
      {"IX", {-450, 0}, 2700},
      {"X", {-390, 225}, 3000},
      {"XI", {-225, 390}, 3300},
  }};
  return kNumerals;
}
