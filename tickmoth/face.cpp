#include "face.h"

#include <cmath>

namespace {
constexpr int kCentre = 75;
constexpr int kRadius = 65;
constexpr double kPi = 3.14159265358979323846;
}  // namespace

SpritePoint SpriteCentre(double thetaDegrees) {
  // The radians are held in single precision on purpose: the rounding makes a sine or cosine
  // that should be exactly +-1 fall just short, so the top sprite sits at y 11, not 10, and a
  // full turn (-360) lands one pixel left of the angle 0.
  const float radians = static_cast<float>(thetaDegrees * kPi / 180.0);
  const double c = std::cos(static_cast<double>(radians));
  const double s = std::sin(static_cast<double>(radians));
  return {kCentre + static_cast<int>(std::trunc(kRadius * c)),
          kCentre - static_cast<int>(std::trunc(kRadius * s))};
}

// Clockwise from the top; the hour sprite creeps half a degree a minute.
double HourAngle(int hour, int minute) { return 90.0 - (30.0 * hour + 0.5 * minute); }
double MinuteAngle(int minute) { return 90.0 - 6.0 * minute; }
double SecondAngle(int second) { return 90.0 - 6.0 * second; }

SpriteCentres SpriteCentresAt(const LocalTime& now) {
  return {SpriteCentre(HourAngle(now.hour, now.minute)), SpriteCentre(MinuteAngle(now.minute)),
          SpriteCentre(SecondAngle(now.second))};
}

SpritePoint SpriteCorner(SpritePoint centre) {
  return {centre.x - kSpriteSize / 2, centre.y - kSpriteSize / 2};
}

bool TakeNewFrame(Frame& shown, const Frame& next) {
  if (next == shown) return false;
  shown = next;
  return true;
}
