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
