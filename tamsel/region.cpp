#include <vector>

#include "clock_shell.h"
#include "win/raii.h"

namespace {

// The bitmap's pixels as 0x00RRGGBB, row by row from the top, read in one call.
bool ReadPixels(HBITMAP bitmap, int& width, int& height, std::vector<uint32_t>& pixels) {
  BITMAP info{};
  if (!GetObjectW(bitmap, sizeof info, &info)) return false;
  width = info.bmWidth;
  height = info.bmHeight;
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = width;
  bmi.bmiHeader.biHeight = -height;  // top-down
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  pixels.assign(static_cast<size_t>(width) * height, 0);
  // A memory DC: fetching the screen's DC can cost more than the read itself.
  MemoryDc memory(CreateCompatibleDC(nullptr));
  return GetDIBits(memory.get(), bitmap, 0, height, pixels.data(), &bmi, DIB_RGB_COLORS) == height;
}

}  // namespace

HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF key) {
  int width = 0, height = 0;
  std::vector<uint32_t> pixels;
  if (!ReadPixels(bitmap, width, height, pixels)) return nullptr;
  // GetDIBits gives blue in the low byte; the runs compare 0x00RRGGBB.
  uint32_t rgbKey = GetRValue(key) << 16 | GetGValue(key) << 8 | GetBValue(key);
  return RegionFromRuns(RegionRuns(pixels.data(), width, height, rgbKey), width, height);
}

HRGN RegionFromRuns(const std::vector<Run>& runs, int width, int height) {
  if (runs.empty()) return nullptr;
  // All rectangles handed over at once: the system sorts and merges them in one pass.
  std::vector<BYTE> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
  auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
  header->dwSize = sizeof(RGNDATAHEADER);
  header->iType = RDH_RECTANGLES;
  header->nCount = static_cast<DWORD>(runs.size());
  header->rcBound = {0, 0, width, height};
  auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
  for (size_t i = 0; i < runs.size(); ++i)
    rects[i] = {runs[i].left, runs[i].y, runs[i].right, runs[i].y + 1};
  return ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                         reinterpret_cast<RGNDATA*>(data.data()));
}
