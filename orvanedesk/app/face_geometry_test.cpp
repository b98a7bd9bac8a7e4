#include "face_geometry.h"

#include <gtest/gtest.h>

#include "../res/resource.h"

namespace {

TEST(HandAngles, HourHandMovesWithWholeHalfMinutes) {
  EXPECT_EQ(HourHandAngle(9, 59), 299);
  EXPECT_EQ(HourHandAngle(9, 58), 299);
  EXPECT_EQ(HourHandAngle(0, 1), 0);
  EXPECT_EQ(MinuteHandAngle(59), 354);
  EXPECT_EQ(SecondHandAngle(30), 180);
}

TEST(HandShape, PointsTruncateTowardZero) {
  // At 0 degrees the kite is symmetric about the y axis.
  HandShape up = ComputeHand(kHourHand, 0);
  EXPECT_EQ(up.tip, (FacePoint{0, 320}));
  EXPECT_EQ(up.right, (FacePoint{40, 0}));
  EXPECT_EQ(up.tail, (FacePoint{0, -40}));
  EXPECT_EQ(up.left, (FacePoint{-40, 0}));

  // 299 degrees: sin = -0.87462, cos = 0.48481 (with the face's constant).
  HandShape h = ComputeHand(kHourHand, 299);
  EXPECT_EQ(h.tip, (FacePoint{-279, 155}));
  EXPECT_EQ(h.right, (FacePoint{155 / 8, 279 / 8}));
  EXPECT_EQ(h.tail, (FacePoint{34, -19}));
  EXPECT_EQ(h.left, (FacePoint{-19, -34}));

  // 90 degrees: sin is just below 1 with the truncated constant, so the tip stops at 439.
  HandShape m = ComputeHand(kMinuteHand, 90);
  EXPECT_EQ(m.tip, (FacePoint{439, 0}));
  EXPECT_EQ(m.tail, (FacePoint{-36, 0}));
  // 180 degrees: cos is just above -1, the tip truncates to -449 and x to 0.
  HandShape s = ComputeHand(kSecondHand, 180);
  EXPECT_EQ(s.tip, (FacePoint{0, -449}));
  EXPECT_EQ(s.tail, (FacePoint{0, 56}));
}

TEST(DateLayout, TwoDigitMonthAndDay) {
  // 31 December: 1 at A, 2 at B, slash at C, 3 at D, 1 at E.
  std::vector<Glyph> expected = {{IDB_DIGIT1, {57, 373}},
                                 {IDB_DIGIT2, {71, 375}},
                                 {IDB_SLASH, {85, 378}},
                                 {IDB_DIGIT3, {94, 375}},
                                 {IDB_DIGIT1, {108, 373}}};
  EXPECT_EQ(DateGlyphs(12, 31), expected);
  EXPECT_EQ(DateGlyphs(10, 20)[1].bitmap, IDB_DIGIT0);
  EXPECT_EQ(DateGlyphs(10, 20)[4].bitmap, IDB_DIGIT0);
}

TEST(DateLayout, OneDigitMonthAndDayLeaveAandEEmpty) {
  std::vector<Glyph> expected = {
      {IDB_DIGIT3, {71, 375}}, {IDB_SLASH, {85, 378}}, {IDB_DIGIT5, {94, 375}}};
  EXPECT_EQ(DateGlyphs(3, 5), expected);
}

TEST(Badges, WeekdayBitmapsAtTheTop) {
  EXPECT_EQ(WeekdayBadge(0), (Glyph{IDB_WEEK_SUN, {65, 6}}));
  EXPECT_EQ(WeekdayBadge(3).bitmap, IDB_WEEK_WED);
  EXPECT_EQ(WeekdayBadge(6).bitmap, IDB_WEEK_SAT);
}

TEST(Numerals, TwelveStepsOfThirtyDegrees) {
  const auto& n = Numerals();
  EXPECT_STREQ(n[0].text, "XII");
  EXPECT_EQ(n[3].anchor, (FacePoint{450, 0}));
  EXPECT_EQ(n[8].anchor, (FacePoint{-390, -225}));
  EXPECT_STREQ(n[8].text, "VIII");
  for (int k = 0; k < 12; ++k) EXPECT_EQ(n[k].escapement, k * 300);
}

}  // namespace
