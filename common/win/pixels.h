#pragma once

#include <windows.h>

#include <vector>

// Pixels read back from a DC or bitmap, for checking what a window shows. Reading a pixel the
// capture does not hold (outside it, or in an empty capture) throws std::out_of_range, so the
// test reading it fails instead of reading past the data.
struct Pixels {
  int left = 0, top = 0, width = 0, height = 0;
  std::vector<COLORREF> pixels;  // row by row, as RGB()
  bool empty() const { return pixels.empty(); }
  bool Holds(int x, int y) const;
  COLORREF at(int x, int y) const;
  // Whether the block starting at (x, y) equals the whole of `part`. Throws when `part` is
  // empty or would reach outside this capture.
  bool Contains(const Pixels& part, int x, int y) const;
};

// The rectangle (x, y, width, height) of a DC; the result keeps x and y as its left and top.
// Empty when the rectangle is or the capture fails.
Pixels CaptureDc(HDC source, int x, int y, int width, int height);
// A whole bitmap, top-left at (0, 0).
Pixels CaptureBitmap(HBITMAP bitmap);
