#pragma once

#include <vector>

// Decisions of the desk clock's window behaviours: staying on the screen and running away
// from the mouse. Coordinates are pixels; the screen is cx by cy.
namespace behaviours {

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};

struct Rect {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
};

enum class Slide { None, Up, Down, Left, Right };

// Key flags of a mouse message, as the system sends them.
constexpr unsigned kShiftKey = 0x0004;
constexpr unsigned kControlKey = 0x0008;

// Top-left corner of the window once pulled inside the screen.
Point PullInsideScreen(const Rect& window, int cx, int cy);

// Where the window runs to when the pointer is at `client` (face pixels) and `screen` (the
// same point on the screen), with the window at `window`.
Slide ChooseSlide(Point client, Point screen, const Rect& window, int cx, int cy);

// Holding exactly Shift or exactly Ctrl, and nothing else, lets the user reach the window.
bool HoldsWindowStill(unsigned keyFlags);

struct MouseMove {
  bool runAwayMouse = false;
  bool stayDesktop = false;
  unsigned keyFlags = 0;
  Point client, screen;
  Rect window;
  int cx = 0, cy = 0;
};

struct MouseMovePlan {
  bool pull = false;  // move the window to pullTo first
  Point pullTo;
  Slide slide = Slide::None;
};

MouseMovePlan PlanMouseMove(const MouseMove& move);

// Every top-left corner a slide passes through, 5 pixels a step, ending exactly on the edge.
std::vector<Point> SlideSteps(Slide slide, const Rect& window, int cx, int cy);

}  // namespace behaviours
