#include "app/placement.h"

#include <algorithm>
#include <climits>

const wchar_t* const kPlacementValues[6] = {L"flags", L"showCmd", L"x1", L"y1", L"x2", L"y2"};

std::optional<StoredPlacement> ReadPlacement(
    const std::function<std::optional<int>(const wchar_t* name)>& read) {
  int values[6];
  for (int i = 0; i < 6; ++i) {
    std::optional<int> value = read(kPlacementValues[i]);
    if (!value) return std::nullopt;
    values[i] = *value;
  }
  return StoredPlacement{values[0], values[1], values[2], values[3], values[4], values[5]};
}

void ClampToScreen(StoredPlacement& placement, int screenWidth, int screenHeight, int iconWidth,
                   int iconHeight) {
  placement.x1 = std::min(placement.x1, screenWidth - iconWidth);
  placement.y1 = std::min(placement.y1, screenHeight - iconHeight);
}

namespace {

bool Overlap(const Box& a, const Box& b) {
  return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Gap between two ranges, 0 when they touch or overlap.
long long Gap(int a0, int a1, int b0, int b1) {
  if (a1 < b0) return static_cast<long long>(b0) - a1;
  if (b1 < a0) return static_cast<long long>(a0) - b1;
  return 0;
}

// Start of a range of the given length moved into [lo, hi); the low end wins when it is too long.
int Into(int start, int length, int lo, int hi) {
  if (start + length > hi) start = hi - length;
  if (start < lo) start = lo;
  return start;
}

}  // namespace

std::optional<std::pair<int, int>> ShiftOntoMonitor(const Box& window,
                                                    const std::vector<MonitorArea>& monitors) {
  if (monitors.empty()) return std::nullopt;
  for (const MonitorArea& m : monitors) {
    if (Overlap(window, m.bounds)) return std::nullopt;
  }
  const MonitorArea* nearest = nullptr;
  long long best = LLONG_MAX;
  for (const MonitorArea& m : monitors) {
    long long dx = Gap(window.left, window.right, m.bounds.left, m.bounds.right);
    long long dy = Gap(window.top, window.bottom, m.bounds.top, m.bounds.bottom);
    long long distance = dx * dx + dy * dy;
    if (distance < best) best = distance, nearest = &m;
  }
  const Box& work = nearest->work;
  int left = Into(window.left, window.Width(), work.left, work.right);
  int top = Into(window.top, window.Height(), work.top, work.bottom);
  return std::make_pair(left - window.left, top - window.top);
}
