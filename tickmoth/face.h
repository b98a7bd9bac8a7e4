#pragma once

#include "local_time.h"

// Where the three sprites of the round clock sit on its 150 by 150 picture.

constexpr int kPictureSize = 150;
constexpr int kSpriteSize = 16;

struct SpritePoint {
  int x;
  int y;
  bool operator==(const SpritePoint& o) const { return x == o.x && y == o.y; }
  bool operator!=(const SpritePoint& o) const { return !(*this == o); }
};

// Centre of a sprite at angle theta (degrees, counter-clockwise from 3 o'clock) on the circle.
SpritePoint SpriteCentre(double thetaDegrees);

double HourAngle(int hour, int minute);
double MinuteAngle(int minute);
double SecondAngle(int second);

struct SpriteCentres {
  SpritePoint hour, minute, second;
};
SpriteCentres SpriteCentresAt(const LocalTime& now);

// The top-left corner a sprite is drawn at for a centre.
SpritePoint SpriteCorner(SpritePoint centre);

// What one tick puts on the picture. A tick that would draw the frame already on show does
// nothing: a timer message can come twice within one second.
struct Frame {
  int hour = -1, minute = -1, second = -1;
  bool timeText = false;
  bool operator==(const Frame& o) const {
    return hour == o.hour && minute == o.minute && second == o.second && timeText == o.timeText;
  }
};
// True, and `shown` becomes `next`, when the frame differs from the one on show.
bool TakeNewFrame(Frame& shown, const Frame& next);
