// Times one edition of the character clock's own drawing work in-process, in CPU time: the window
// region built from its picture, a whole-window paint, the paint of each animated area, and the
// average cost of a 40 ms tick over one animation cycle (the tick and any paint it asks for).
// Prints "name<TAB>ms per call", and "animation_paints_per_minute<TAB>count".
//   tamsel_paint_timing_<edition>.exe [least repetitions, 20] [least CPU ms per measurement, 500]
#include <windows.h>

#include <cstdint>
#include <cstdio>

#include "clock_shell.h"
#include "region_reference.h"
#include "res/resource.h"
#include "win/raii.h"

namespace {

// This thread's CPU time in milliseconds (the machine is shared: wall time would count the
// other programs' turns too). Wine reads it from the kernel in 10 ms steps.
double ThreadCpuMs() {
  FILETIME created, exited, kernel, user;
  GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
  auto ms = [](FILETIME t) {
    return (static_cast<uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e4;
  };
  return ms(kernel) + ms(user);
}

// How much CPU time each measurement gathers at least, so the 10 ms steps are lost in the sum.
double g_budgetMs = 500;

// CPU milliseconds per call of f, after one call to warm up: calls it at least `minCalls` times
// and until the budget of CPU time has gone by.
template <typename F>
double CpuMsPerCall(int minCalls, F f) {
  f();
  const double start = ThreadCpuMs();
  int calls = 0;
  double used = 0;
  do {
    f();
    ++calls;
    used = ThreadCpuMs() - start;
  } while (calls < minCalls || (used < g_budgetMs && calls < 20000));
  return used / calls;
}

void Print(const char* name, double ms) {
  std::printf("%s\t%.4f\n", name, ms);
  std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const int n = argc > 1 && _wtoi(argv[1]) > 0 ? _wtoi(argv[1]) : 20;
  if (argc > 2) g_budgetMs = _wtof(argv[2]);
  HINSTANCE instance = GetModuleHandleW(nullptr);
  const Edition& edition = EditionAt(TAMSEL_EDITION);

  // Read as the clock reads it for its shape: a DIB section in the picture's own colours.
  Gdi<HBITMAP> picture(static_cast<HBITMAP>(LoadImageW(instance, MAKEINTRESOURCEW(IDB_BACKGROUND),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (!picture) return 1;
  Print("region_from_one_read",
        CpuMsPerCall(n, [&] { DeleteObject(RegionFromBitmap(picture.get(), kKeyColour)); }));
  Print("region_pixel_by_pixel", CpuMsPerCall(1, [&] {
          DeleteObject(RegionFromBitmapPixelByPixel(picture.get(), kKeyColour));
        }));

  // What each paint spends on loading its three pictures from the resources.
  Print("load_three_pictures", CpuMsPerCall(n, [&] {
          for (int id : {IDB_BACKGROUND, IDB_FRAMES, IDB_GLYPHS}) {
            Gdi<HBITMAP> loaded(LoadBitmapW(instance, MAKEINTRESOURCEW(id)));
            MemoryDc memory(CreateCompatibleDC(nullptr));
            Selection selected(memory.get(), loaded.get());
          }
        }));

  HWND hwnd = StartCharacterClock(instance, SW_SHOWNOACTIVATE, edition);
  if (!hwnd) return 1;
  Print("paint_whole_window", CpuMsPerCall(n, [&] {
          InvalidateRect(hwnd, nullptr, FALSE);
          UpdateWindow(hwnd);
        }));
  auto paintArea = [&](int mark) {
    Invalidation inv = InvalidationFor(mark, edition);
    RECT area{inv.area.left, inv.area.top, inv.area.right, inv.area.bottom};
    return CpuMsPerCall(n, [&] {
      InvalidateRect(hwnd, &area, FALSE);
      UpdateWindow(hwnd);
    });
  };
  Print("paint_face_area", paintArea(kMarkFace));
  if (edition.creatures) Print("paint_creature_area", paintArea(kMarkCreature));

  // The animation's paints: one cycle of 162 ticks of 40 ms, whatever the time.
  constexpr int kCycle = 162;
  TickState cycle;
  int paints = 0;
  for (int i = 0; i < kCycle; ++i) paints += AdvanceAnimation(cycle, edition) != 0;
  std::printf("animation_paints_per_minute\t%.1f\n", paints * 60000.0 / (kCycle * 40));
  // One whole animation cycle, tick by tick, each followed by the paint it asked for: the mean
  // is what a 40 ms tick costs the clock's own code on average.
  Print("tick_and_paint_mean", CpuMsPerCall(1, [&] {
                                 for (int i = 0; i < kCycle; ++i) {
                                   SendMessageW(hwnd, WM_TIMER, edition.timerId, 0);
                                   UpdateWindow(hwnd);
                                 }
                               }) / kCycle);
  DestroyWindow(hwnd);
  return 0;
}
