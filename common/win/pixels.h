#pragma once

#include <windows.h>

#include <vector>

// Pixels read back from a DC or bitmap, for checking what a window shows.
struct Pixels {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<COLORREF> pixels;  // row by row, as RGB()
  COLORREF at(int x, int y) const { return pixels[(y - top) * width + (x - left)]; }
  // Whether the block starting at (x, y) equals the whole of `part`.
  bool Contains(const Pixels& part, int x, int y) const;
};

// The rectangle (x, y, width, height) of a DC; the result keeps x and y as its left and top.
Pixels CaptureDc(HDC source, int x, int y, int width, int height);
// A whole bitmap, top-left at (0, 0).
Pixels CaptureBitmap(HBITMAP bitmap);
