// Times the character clock's own drawing work in-process: the window region built from its
// picture, a whole-window paint, a face-area paint, and the average cost of a 40 ms tick over
// one animation cycle (the tick and any paint it asks for). Prints "name<TAB>ms per call".
//   tamsel_paint_timing.exe [repetitions, 50]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "clock_shell.h"
#include "res/resource.h"
#include "win/raii.h"

namespace {

// Milliseconds per call of f, averaged over n calls after one to warm up.
template <typename F>
double TimeMs(int n, F f) {
  f();
  auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < n; ++i) f();
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count() /
         n;
}

void Print(const char* name, double ms) {
  std::printf("%s\t%.4f\n", name, ms);
  std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int n = argc > 1 && _wtoi(argv[1]) > 0 ? _wtoi(argv[1]) : 50;
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const Edition& edition = EditionAt(0);

  Gdi<HBITMAP> picture(LoadBitmapW(instance, MAKEINTRESOURCEW(IDB_BACKGROUND)));
  if (!picture) return 1;
  Print("region_from_one_read",
        TimeMs(n, [&] { DeleteObject(RegionFromBitmap(picture.get(), kKeyColour)); }));
  Print("region_pixel_by_pixel", TimeMs(std::max(1, n / 10), [&] {
          DeleteObject(RegionFromBitmapPixelByPixel(picture.get(), kKeyColour));
        }));

  HWND hwnd = StartCharacterClock(instance, SW_SHOWNOACTIVATE, edition);
  if (!hwnd) return 1;
  Print("paint_whole_window", TimeMs(n, [&] {
          InvalidateRect(hwnd, nullptr, FALSE);
          UpdateWindow(hwnd);
        }));
  Invalidation face = InvalidationFor(kMarkFace, edition);
  RECT area{face.area.left, face.area.top, face.area.right, face.area.bottom};
  Print("paint_face_area", TimeMs(n, [&] {
          InvalidateRect(hwnd, &area, FALSE);
          UpdateWindow(hwnd);
        }));
  // One whole animation cycle, tick by tick, each followed by the paint it asked for: the mean
  // is what a 40 ms tick costs the clock's own code on average.
  constexpr int kCycle = 162;
  Print("tick_and_paint_mean", TimeMs(1, [&] {
                                 for (int i = 0; i < kCycle; ++i) {
                                   SendMessageW(hwnd, WM_TIMER, edition.timerId, 0);
                                   UpdateWindow(hwnd);
                                 }
                               }) / kCycle);
  DestroyWindow(hwnd);
  return 0;
}
