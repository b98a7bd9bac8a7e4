#pragma once

#include <array>
#include <vector>

// Geometry of the face. Face space: origin at the client centre, y upwards, 1000 units across.
// Pixel space: the 176 by 409 face, origin top-left, y downwards.

constexpr int kFaceWidth = 176;
constexpr int kFaceHeight = 409;

struct FacePoint {
  int x;
  int y;
  bool operator==(const FacePoint& o) const { return x == o.x && y == o.y; }
};

struct HandSpec {
  int length;
  int divisor;
};
constexpr HandSpec kHourHand{320, 8};
constexpr HandSpec kMinuteHand{440, 12};
constexpr HandSpec kSecondHand{450, 8};

int HourHandAngle(int hour12, int minute);
int MinuteHandAngle(int minute);
int SecondHandAngle(int second);

// The kite of an hour or minute hand: tip, right point, tail, left point.
struct HandShape {
  FacePoint tip, right, tail, left;
};
HandShape ComputeHand(HandSpec hand, int angleDegrees);

// A bitmap placed in pixel space.
struct Glyph {
  int bitmap;
  FacePoint at;
  bool operator==(const Glyph& o) const { return bitmap == o.bitmap && at == o.at; }
};
Glyph WeekdayBadge(int weekday);
// Month digits, the slash and the day digits, left to right.
std::vector<Glyph> DateGlyphs(int month, int day);

struct Numeral {
  const char* text;
  FacePoint anchor;
  int escapement;  // tenths of a degree
};
const std::array<Numeral, 12>& Numerals();
constexpr FacePoint kNumeralHighlightOffset{6, -6};
