#include "region_reference.h"

#include "win/raii.h"

HRGN RegionFromBitmapPixelByPixel(HBITMAP bitmap, COLORREF key) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info)) return nullptr;
  MemoryDc memory(CreateCompatibleDC(nullptr));
  Selection selected(memory.get(), bitmap);
  HRGN region = nullptr;
  for (int y = 0; y < info.bmHeight; ++y) {
    int x = 0;
    while (x < info.bmWidth) {
      while (x < info.bmWidth && (GetPixel(memory.get(), x, y) & 0xFFFFFF) == key) ++x;
      if (x == info.bmWidth) break;
      int left = x;
      while (x < info.bmWidth && (GetPixel(memory.get(), x, y) & 0xFFFFFF) != key) ++x;
      HRGN run = CreateRectRgn(left, y, x, y + 1);
      if (!region) {
        region = run;
      } else {
        CombineRgn(region, region, run, RGN_OR);
        DeleteObject(run);
      }
    }
  }
  return region;
}
