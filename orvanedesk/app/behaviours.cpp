#include "app/behaviours.h"

namespace behaviours {

namespace {

// Near the left or top of the face (corners, and anywhere else), and near its right or bottom.
constexpr int kCornerNear = 20;
constexpr int kFloatingNear = 10;
constexpr int kRightFrom = 133;
constexpr int kBottomFrom = 377;
constexpr int kStep = 5;

}  // namespace

Point PullInsideScreen(const Rect& window, int cx, int cy) {
  Point to{window.left, window.top};
  if (window.left < 0)
    to.x = 0;
  else if (window.right > cx)
    to.x = cx - window.Width();
  if (window.top < 0)
    to.y = 0;
  else if (window.bottom > cy)
    to.y = cy - window.Height();
  return to;
}

Slide ChooseSlide(Point client, Point screen, const Rect& window, int cx, int cy) {
  const int x = client.x, y = client.y;
  const int w = window.Width(), h = window.Height();
  const bool atLeft = window.left == 0, atTop = window.top == 0;
  const bool atRight = window.right == cx, atBottom = window.bottom == cy;
  const bool nearSide = x < kCornerNear || x > kRightFrom;

  if (atLeft && atTop) {
    if (nearSide && screen.y < h && screen.y > cy - h) return Slide::Right;
    if (y < kCornerNear) return Slide::Down;
    if (y > kBottomFrom) return Slide::Right;
    if (x < kCornerNear) return Slide::Right;
    if (x > kRightFrom) return Slide::Down;
    return Slide::None;
  }
  if (atRight && atTop) {
    if (nearSide && screen.y < h && screen.y > cy - h) return Slide::Left;
    if (y < kCornerNear) return Slide::Down;
    if (y > kBottomFrom) return Slide::Left;
    if (x < kCornerNear) return Slide::Down;
    if (x > kRightFrom) return Slide::Left;
    return Slide::None;
  }
  if (atLeft && atBottom) {
    if (nearSide && screen.y < h) return Slide::Right;
    if (y < kCornerNear) return Slide::Right;
    if (y > kBottomFrom) return Slide::Up;
    if (x < kCornerNear) return Slide::Right;
    if (x > kRightFrom) return Slide::Up;
    return Slide::None;
  }
  if (atRight && atBottom) {
    if (nearSide && screen.y < h) return Slide::Left;
    if (y < kCornerNear) return Slide::Left;
    if (y > kBottomFrom) return Slide::Up;
    if (x < kCornerNear) return Slide::Up;
    if (x > kRightFrom) return Slide::Left;
    return Slide::None;
  }
  // On one edge the window always runs along it, towards the far side when it fits.
  if (atTop || atBottom) return w / 2 < cx / 2 ? Slide::Right : Slide::Left;
  if (atLeft || atRight) return h / 2 < cy / 2 ? Slide::Down : Slide::Up;
  if (y < kFloatingNear) return Slide::Down;
  if (y > kBottomFrom) return Slide::Up;
  if (x < kFloatingNear) return Slide::Right;
  if (x > kRightFrom) return Slide::Left;
  return Slide::None;
}

bool HoldsWindowStill(unsigned keyFlags) {
  return keyFlags == kShiftKey || keyFlags == kControlKey;
}

MouseMovePlan PlanMouseMove(const MouseMove& move) {
  MouseMovePlan plan;
  if (!move.runAwayMouse) {
    if (move.stayDesktop) {
      plan.pull = true;
      plan.pullTo = PullInsideScreen(move.window, move.cx, move.cy);
    }
    return plan;
  }
  if (HoldsWindowStill(move.keyFlags)) return plan;
  plan.pull = true;
  plan.pullTo = PullInsideScreen(move.window, move.cx, move.cy);
  // The edges are judged where the window was, before the pull.
  plan.slide = ChooseSlide(move.client, move.screen, move.window, move.cx, move.cy);
  return plan;
}

std::vector<Point> SlideSteps(Slide slide, const Rect& window, int cx, int cy) {
  std::vector<Point> steps;
  Point at{window.left, window.top};
  switch (slide) {
    case Slide::None:
      return steps;
    case Slide::Up:
      while (at.y > 0) {
        at.y -= kStep;
        steps.push_back(at);
      }
      at.y = 0;
      break;
    case Slide::Down: {
      const int target = cy - window.Height();
      while (at.y < target) {
        at.y += kStep;
        steps.push_back(at);
      }
      at.y = target;
      break;
    }
    case Slide::Left:
      while (at.x > 0) {
        at.x -= kStep;
        steps.push_back(at);
      }
      at.x = 0;
      break;
    case Slide::Right: {
      const int target = cx - window.Width();
      while (at.x < target) {
        at.x += kStep;
        steps.push_back(at);
      }
      at.x = target;
      break;
    }
  }
  steps.push_back(at);
  return steps;
}

}  // namespace behaviours
