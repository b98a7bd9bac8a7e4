#pragma once

#include <windows.h>

// The clock's shape read one GetPixel call at a time and united run by run: the yardstick the
// tests and the paint timing hold the one-read region against. Not part of the program.
HRGN RegionFromBitmapPixelByPixel(HBITMAP bitmap, COLORREF key);
