#include "face.h"

#include <gtest/gtest.h>

namespace {

LocalTime At(int hour, int minute, int second) {
  LocalTime t;
  t.hour = hour;
  t.minute = minute;
  t.second = second;
  return t;
}

TEST(SpriteCentres, NoonPutsAllThreeAtTheTopOnePixelShortOfTheRadius) {
  SpriteCentres c = SpriteCentresAt(At(12, 0, 0));
  EXPECT_EQ(c.hour, (SpritePoint{75, 11}));
  EXPECT_EQ(c.minute, (SpritePoint{75, 11}));
  EXPECT_EQ(c.second, (SpritePoint{75, 11}));
  EXPECT_EQ(SpriteCorner(c.second), (SpritePoint{67, 3}));
  EXPECT_EQ(SpriteCentresAt(At(0, 0, 0)).hour, (SpritePoint{75, 11}));
}

TEST(SpriteCentres, OnlyTheExactZeroAngleReachesTheFullRadius) {
  // 3:00 is 0 degrees; 15:00 is a full turn further, -360, which single precision misses.
  EXPECT_EQ(SpriteCentresAt(At(3, 0, 0)).hour, (SpritePoint{140, 75}));
  SpriteCentres afternoon = SpriteCentresAt(At(15, 0, 0));
  EXPECT_EQ(afternoon.hour, (SpritePoint{139, 75}));
  EXPECT_EQ(afternoon.minute, (SpritePoint{75, 11}));
  EXPECT_EQ(afternoon.second, (SpritePoint{75, 11}));
  // A quarter past: minute at 0 degrees exactly, second at 3 o'clock too.
  EXPECT_EQ(SpriteCentresAt(At(1, 15, 15)).minute, (SpritePoint{140, 75}));
  EXPECT_EQ(SpriteCentresAt(At(1, 15, 15)).second, (SpritePoint{140, 75}));
}

TEST(SpriteCentres, LeftAndBottomEndsTruncateTowardTheCentre) {
  SpriteCentres c = SpriteCentresAt(At(0, 45, 30));
  EXPECT_EQ(c.minute, (SpritePoint{11, 75}));
  EXPECT_EQ(c.second, (SpritePoint{75, 139}));
  EXPECT_EQ(SpriteCorner(c.minute), (SpritePoint{3, 67}));
  EXPECT_EQ(SpriteCorner(c.second), (SpritePoint{67, 131}));
  // 0:45 puts the hour sprite 22.5 degrees past the top.
  EXPECT_EQ(c.hour, (SpritePoint{99, 15}));
}

TEST(SpriteCentres, HourSpriteMovesHalfADegreeAMinute) {
  EXPECT_EQ(SpriteCentresAt(At(6, 30, 0)).hour, (SpritePoint{59, 137}));
  EXPECT_DOUBLE_EQ(HourAngle(6, 30), -105.0);
  EXPECT_DOUBLE_EQ(HourAngle(23, 59), 90.0 - 690 - 29.5);
  // 9:00 and 21:00 sit at the left end, short of the radius either way.
  EXPECT_EQ(SpriteCentresAt(At(9, 0, 0)).hour, (SpritePoint{11, 75}));
  EXPECT_EQ(SpriteCentresAt(At(21, 0, 0)).hour, (SpritePoint{11, 75}));
  // One minute before the hour the sprite has not yet reached the mark.
  EXPECT_NE(SpriteCentresAt(At(2, 59, 0)).hour, SpriteCentresAt(At(3, 0, 0)).hour);
}

TEST(SpriteCentres, EverySecondStaysInsideThePictureAndRunsClockwise) {
  for (int s = 0; s < 60; ++s) {
    SCOPED_TRACE(s);
    SpritePoint c = SpriteCentre(SecondAngle(s));
    SpritePoint corner = SpriteCorner(c);
    EXPECT_GE(corner.x, 0);
    EXPECT_GE(corner.y, 0);
    EXPECT_LE(corner.x + kSpriteSize, kPictureSize);
    EXPECT_LE(corner.y + kSpriteSize, kPictureSize);
  }
  // Clockwise on screen: right of the top after 12, left of it before.
  EXPECT_GT(SpriteCentre(SecondAngle(5)).x, 75);
  EXPECT_LT(SpriteCentre(SecondAngle(55)).x, 75);
  EXPECT_GT(SpriteCentre(SecondAngle(20)).y, 75);
}

TEST(Frame, OnlyANewSecondOrAToggledTimeTextIsDrawnAgain) {
  Frame shown;
  EXPECT_TRUE(TakeNewFrame(shown, {12, 0, 0, true})) << "the first tick draws";
  EXPECT_FALSE(TakeNewFrame(shown, {12, 0, 0, true})) << "a second timer message in that second";
  EXPECT_TRUE(TakeNewFrame(shown, {12, 0, 0, false})) << "the time text switched off";
  EXPECT_FALSE(TakeNewFrame(shown, {12, 0, 0, false}));
  EXPECT_TRUE(TakeNewFrame(shown, {12, 0, 1, false}));
  // a clock set back by exactly a minute or an hour still changes the frame
  EXPECT_TRUE(TakeNewFrame(shown, {12, 59, 1, false}));
  EXPECT_TRUE(TakeNewFrame(shown, {11, 59, 1, false}));
  EXPECT_EQ(shown, (Frame{11, 59, 1, false}));
}

}  // namespace
