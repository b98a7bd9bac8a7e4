#include <windows.h>

#include "app/commands.h"
#include "app/mainwindow.h"

namespace {

using behaviours::Point;
using behaviours::Rect;
using behaviours::Slide;

// The screen the window keeps to: the client area of a full-screen window.
Point ScreenSize() {
  return {GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)};
}

Rect WindowRect(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return {r.left, r.top, r.right, r.bottom};
}

// Moves keep the size and the z-order, and do not take the activation from the user's window.
void MoveWindowTo(HWND hwnd, Point to) {
  SetWindowPos(hwnd, nullptr, to.x, to.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void CMainwindow::ApplyRunAwayMouse() {
  HMENU menu = GetSystemMenu(hwnd(), FALSE);
  if (settings_.RunAwayMouse) {
    CheckMenuItem(menu, kCmdRunAway, MF_BYCOMMAND | MF_CHECKED);
    MessageBoxW(hwnd(),
                L"マウスから逃げるオプションを選択しました。\n"
                L"マウスがウィンドウに入ると自動的に回避します。\n\n"
                L"ウィンドウにアクセスするには、素早くマウスを動かすか、"
                L"またはShift/Ctrlキーを押します。",
                L"マウスから逃げる", MB_OK | MB_ICONINFORMATION);
  } else {
    CheckMenuItem(menu, kCmdRunAway, MF_BYCOMMAND | MF_UNCHECKED);
  }
  PullInsideScreen();
}

void CMainwindow::PullInsideScreen() {
  Point screen = ScreenSize();
  Rect window = WindowRect(hwnd());
  MoveWindowTo(hwnd(), behaviours::PullInsideScreen(window, screen.x, screen.y));
}

void CMainwindow::OnMouseMove(unsigned keyFlags, int x, int y) {
  behaviours::MouseMove move;
  move.runAwayMouse = settings_.RunAwayMouse != 0;
  move.stayDesktop = settings_.StayDesktop != 0;
  move.keyFlags = keyFlags;
  move.client = {x, y};
  POINT screen{x, y};
  ClientToScreen(hwnd(), &screen);
  move.screen = {screen.x, screen.y};
  move.window = WindowRect(hwnd());
  Point size = ScreenSize();
  move.cx = size.x;
  move.cy = size.y;

  behaviours::MouseMovePlan plan = behaviours::PlanMouseMove(move);
  // Most moves find the window where it belongs; only a real change moves it.
  if (plan.pull && !(plan.pullTo == Point{move.window.left, move.window.top}))
    MoveWindowTo(hwnd(), plan.pullTo);
  switch (plan.slide) {
    case Slide::Up:
      SlideUp();
      break;
    case Slide::Down:
      SlideDown();
      break;
    case Slide::Left:
      SlideLeft();
      break;
    case Slide::Right:
      SlideRight();
      break;
    case Slide::None:
      break;
  }
}

void CMainwindow::SlideUp() { SlideAway(Slide::Up); }
void CMainwindow::SlideDown() { SlideAway(Slide::Down); }
void CMainwindow::SlideLeft() { SlideAway(Slide::Left); }
void CMainwindow::SlideRight() { SlideAway(Slide::Right); }

void CMainwindow::SlideAway(Slide slide) {
  PlayRandomSound(sounds_.AwaySounds);
  Point screen = ScreenSize();
  // Step by step inside this one message, so the window is seen gliding to the edge.
  for (Point at : behaviours::SlideSteps(slide, WindowRect(hwnd()), screen.x, screen.y))
    MoveWindowTo(hwnd(), at);
}
