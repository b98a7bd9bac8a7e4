#include "testing/window_shot.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "win/pixels.h"
#include "win/raii.h"

void ShotIfAsked(HWND window, const char* name) {
  const char* folder = getenv("EDITING_SHOTS");
  if (!folder) return;
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  RECT r{};
  GetWindowRect(window, &r);
  WindowDc screen(nullptr);
  Pixels p = CaptureDc(screen.get(), r.left, r.top, r.right - r.left, r.bottom - r.top);
  std::string path = std::string(folder) + "/" + name + ".ppm";
  if (FILE* f = fopen(path.c_str(), "wb")) {
    fprintf(f, "P6\n%d %d\n255\n", p.width, p.height);
    for (COLORREF c : p.pixels) {
      unsigned char rgb[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
      fwrite(rgb, 1, 3, f);
    }
    fclose(f);
  }
}
