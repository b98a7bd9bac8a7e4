#include "pixels.h"

#include <stdexcept>
#include <string>

#include "raii.h"

bool Pixels::Holds(int x, int y) const {
  return !empty() && x >= left && y >= top && x - left < width && y - top < height;
}

COLORREF Pixels::at(int x, int y) const {
  if (!Holds(x, y)) {
    throw std::out_of_range("pixel " + std::to_string(x) + "," + std::to_string(y) +
                            " outside the capture " + std::to_string(left) + "," +
                            std::to_string(top) + " " + std::to_string(width) + "x" +
                            std::to_string(height));
  }
  return pixels[static_cast<size_t>(y - top) * width + (x - left)];
}

bool Pixels::Contains(const Pixels& part, int x, int y) const {
  if (part.empty()) throw std::out_of_range("the part to look for is an empty capture");
  // Both corners must be held: a part placed partly outside is an error of the test.
  at(x, y);
  at(x + part.width - 1, y + part.height - 1);
  for (int py = 0; py < part.height; ++py)
    for (int px = 0; px < part.width; ++px)
      if (at(x + px, y + py) != part.at(part.left + px, part.top + py)) return false;
  return true;
}

Pixels CaptureDc(HDC source, int x, int y, int width, int height) {
  if (width <= 0 || height <= 0) return Pixels{x, y, 0, 0, {}};
  Pixels shot{x, y, width, height, std::vector<COLORREF>(static_cast<size_t>(width) * height)};
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down rows
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  Gdi<HBITMAP> dib(CreateDIBSection(source, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!dib) return {};
  MemoryDc memory(CreateCompatibleDC(source));
  {
    Selection selected(memory.get(), dib.get());
    BitBlt(memory.get(), 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
  }
  const auto* bgra = static_cast<const DWORD*>(bits);
  for (int i = 0; i < width * height; ++i) {
    DWORD v = bgra[i];
    shot.pixels[i] = RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  return shot;
}

Pixels CaptureBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info)) return {};
  WindowDc screen(nullptr);
  MemoryDc source(CreateCompatibleDC(screen.get()));
  Selection selected(source.get(), bitmap);
  return CaptureDc(source.get(), 0, 0, info.bmWidth, info.bmHeight);
}
