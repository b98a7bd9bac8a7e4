#include "app/behaviours.h"

#include <gtest/gtest.h>

namespace behaviours {

void PrintTo(Slide s, std::ostream* os) {
  static const char* const names[] = {"None", "Up", "Down", "Left", "Right"};
  *os << names[static_cast<int>(s)];
}

namespace {

// A 1024 by 749 screen (its full-screen client area) and the framed window, 182 by 434, whose
// face starts 25 pixels below the window's top.
constexpr int kCx = 1024, kCy = 749, kW = 182, kH = 434, kCaption = 25;

Rect At(int left, int top) { return {left, top, left + kW, top + kH}; }

struct Case {
  const char* what;
  Rect window;
  Point client;
  int screenY;  // the pointer's screen row; -1 to derive it from the window
  Slide expected;
};

void Check(const Case& c, int cx = kCx, int cy = kCy) {
  Point screen{c.window.left + 3 + c.client.x,
               c.screenY >= 0 ? c.screenY : c.window.top + kCaption + c.client.y};
  EXPECT_EQ(ChooseSlide(c.client, screen, c.window, cx, cy), c.expected) << c.what;
}

TEST(ChooseSlide, TopLeftCorner) {
  const Rect w = At(0, 0);
  // With P.y between cy - H and H (here 315 to 434) a pointer near a side runs right, even
  // where the later rule would say down.
  Check({"near the right side, low on the screen", w, {150, 300}, 320, Slide::Right});
  Check({"near the right side, higher up", w, {150, 200}, -1, Slide::Down});
  Check({"top", w, {100, 5}, -1, Slide::Down});
  Check({"bottom", w, {100, 400}, -1, Slide::Right});
  Check({"left", w, {10, 200}, -1, Slide::Right});
  Check({"middle", w, {100, 200}, -1, Slide::None});
  // On a short screen the first rule wins over "top".
  Check({"short screen, near the top and side", w, {150, 10}, 100, Slide::Right}, kCx, 500);
  Check({"short screen, top, no side", w, {100, 10}, 100, Slide::Down}, kCx, 500);
}

TEST(ChooseSlide, TopRightCorner) {
  const Rect w = At(kCx - kW, 0);
  Check({"near the left side, low on the screen", w, {10, 300}, 320, Slide::Left});
  Check({"top", w, {100, 5}, -1, Slide::Down});
  Check({"bottom", w, {100, 400}, -1, Slide::Left});
  Check({"left", w, {10, 200}, -1, Slide::Down});
  Check({"right", w, {150, 200}, -1, Slide::Left});
  Check({"middle", w, {100, 200}, -1, Slide::None});
}

TEST(ChooseSlide, BottomLeftCorner) {
  const Rect w = At(0, kCy - kH);
  // P.y above H (434) near a side runs right where the later rule would say up.
  Check({"near the right side, high on the screen", w, {150, 50}, -1, Slide::Right});
  Check({"top", w, {100, 5}, -1, Slide::Right});
  Check({"bottom", w, {100, 400}, -1, Slide::Up});
  Check({"left", w, {10, 200}, -1, Slide::Right});
  Check({"right", w, {150, 200}, -1, Slide::Up});
  Check({"middle", w, {100, 200}, -1, Slide::None});
}

TEST(ChooseSlide, BottomRightCorner) {
  const Rect w = At(kCx - kW, kCy - kH);
  Check({"near the left side, high on the screen", w, {10, 50}, -1, Slide::Left});
  Check({"top", w, {100, 5}, -1, Slide::Left});
  Check({"bottom", w, {100, 400}, -1, Slide::Up});
  Check({"left", w, {10, 200}, -1, Slide::Up});
  Check({"right", w, {150, 200}, -1, Slide::Left});
  Check({"middle", w, {100, 200}, -1, Slide::None});
}

TEST(ChooseSlide, EdgesRunAlongWhereverThePointerIs) {
  for (Point p : {Point{100, 200}, Point{5, 5}, Point{170, 400}}) {
    Check({"top edge", At(300, 0), p, -1, Slide::Right});
    Check({"bottom edge", At(300, kCy - kH), p, -1, Slide::Right});
    Check({"left edge", At(0, 100), p, -1, Slide::Down});
    Check({"right edge", At(kCx - kW, 100), p, -1, Slide::Down});
  }
  // A screen no wider (taller) than twice the window's half sends it the other way.
  Check({"top edge, narrow screen", At(0 + 10, 0), {100, 200}, -1, Slide::Left}, 182, kCy);
  Check({"left edge, low screen", At(0, 0 + 10), {100, 200}, -1, Slide::Up}, kCx, 434);
}

TEST(ChooseSlide, AnywhereElse) {
  const Rect w = At(300, 100);
  Check({"top", w, {100, 5}, -1, Slide::Down});
  Check({"bottom", w, {100, 400}, -1, Slide::Up});
  Check({"left", w, {5, 200}, -1, Slide::Right});
  Check({"right", w, {150, 200}, -1, Slide::Left});
  Check({"top before left", w, {5, 5}, -1, Slide::Down});
  Check({"bottom before right", w, {170, 400}, -1, Slide::Up});
  // The thresholds themselves do not count.
  Check({"y = 10", w, {100, 10}, -1, Slide::None});
  Check({"y = 377", w, {100, 377}, -1, Slide::None});
  Check({"x = 10", w, {10, 200}, -1, Slide::None});
  Check({"x = 133", w, {133, 200}, -1, Slide::None});
  Check({"x = 15, which only a corner counts", w, {15, 200}, -1, Slide::None});
  // One pixel from an edge is not on it.
  Check({"one pixel off the top-left corner", At(1, 1), {100, 400}, -1, Slide::Up});
  Check({"one pixel off the left edge, on the top", At(1, 0), {100, 200}, -1, Slide::Right});
}

TEST(MouseMove, ShiftOrCtrlAloneHoldTheWindow) {
  EXPECT_TRUE(HoldsWindowStill(kShiftKey));
  EXPECT_TRUE(HoldsWindowStill(kControlKey));
  EXPECT_FALSE(HoldsWindowStill(0));
  EXPECT_FALSE(HoldsWindowStill(kShiftKey | kControlKey));
  EXPECT_FALSE(HoldsWindowStill(kShiftKey | 0x0001));    // with the left button
  EXPECT_FALSE(HoldsWindowStill(kControlKey | 0x0010));  // with the middle button
}

TEST(MouseMove, Plans) {
  MouseMove move;
  move.window = At(-50, 100);  // hanging off the left of the screen
  move.client = {100, 400};
  move.screen = {53, 525};
  move.cx = kCx;
  move.cy = kCy;

  MouseMovePlan plan = PlanMouseMove(move);
  EXPECT_FALSE(plan.pull);
  EXPECT_EQ(plan.slide, Slide::None);

  move.stayDesktop = true;
  plan = PlanMouseMove(move);
  EXPECT_TRUE(plan.pull);
  EXPECT_EQ(plan.pullTo, (Point{0, 100}));
  EXPECT_EQ(plan.slide, Slide::None);

  move.runAwayMouse = true;
  move.stayDesktop = false;
  move.keyFlags = kShiftKey;
  plan = PlanMouseMove(move);
  EXPECT_FALSE(plan.pull);
  EXPECT_EQ(plan.slide, Slide::None);

  // Judged where the window was: off the edge it floats, so the bottom of the face runs up
  // (on the left edge, after the pull, it would run down).
  move.keyFlags = kShiftKey | kControlKey;
  plan = PlanMouseMove(move);
  EXPECT_TRUE(plan.pull);
  EXPECT_EQ(plan.pullTo, (Point{0, 100}));
  EXPECT_EQ(plan.slide, Slide::Up);
}

TEST(PullInsideScreen, EachSide) {
  EXPECT_EQ(PullInsideScreen(At(300, 100), kCx, kCy), (Point{300, 100}));
  EXPECT_EQ(PullInsideScreen(At(-5, -7), kCx, kCy), (Point{0, 0}));
  EXPECT_EQ(PullInsideScreen(At(900, 400), kCx, kCy), (Point{kCx - kW, kCy - kH}));
  // A screen smaller than the window keeps its top-left corner on the screen.
  EXPECT_EQ(PullInsideScreen(At(-5, -5), 100, 100), (Point{0, 0}));
}

TEST(SlideSteps, FiveAStepThenExactlyOnTheEdge) {
  std::vector<Point> up = SlideSteps(Slide::Up, At(300, 12), kCx, kCy);
  EXPECT_EQ(up, (std::vector<Point>{{300, 7}, {300, 2}, {300, -3}, {300, 0}}));

  std::vector<Point> left = SlideSteps(Slide::Left, At(7, 50), kCx, kCy);
  EXPECT_EQ(left, (std::vector<Point>{{2, 50}, {-3, 50}, {0, 50}}));

  std::vector<Point> right = SlideSteps(Slide::Right, At(0, 0), kCx, kCy);
  ASSERT_EQ(right.size(), 170u);  // 842 / 5 rounded up, then the final move
  EXPECT_EQ(right[0], (Point{5, 0}));
  EXPECT_EQ(right[168], (Point{845, 0}));
  EXPECT_EQ(right.back(), (Point{842, 0}));

  std::vector<Point> down = SlideSteps(Slide::Down, At(0, 15), kCx, kCy);
  ASSERT_EQ(down.size(), 61u);  // 300 / 5 steps land on 315, then the final move
  EXPECT_EQ(down[59], (Point{0, 315}));
  EXPECT_EQ(down.back(), (Point{0, 315}));

  // Already there: only the final move.
  EXPECT_EQ(SlideSteps(Slide::Up, At(40, 0), kCx, kCy), (std::vector<Point>{{40, 0}}));
  EXPECT_TRUE(SlideSteps(Slide::None, At(40, 0), kCx, kCy).empty());
}

}  // namespace
}  // namespace behaviours
