#include "screen_area.h"

// A window that touches a monitor may still show none of its picture (only a transparent
// corner), so the test is on its middle. Every pixel is checked, so monitors of any layout,
// touching or overlapping, count.
bool MiddleOnMonitors(ScreenRect area, const std::vector<ScreenRect>& monitors) {
  constexpr int kMiddle = 32;
  const int left = area.left + (area.right - area.left - kMiddle) / 2;
  const int top = area.top + (area.bottom - area.top - kMiddle) / 2;
  for (int y = top; y < top + kMiddle; ++y) {
    for (int x = left; x < left + kMiddle; ++x) {
      bool onMonitor = false;
      for (const ScreenRect& m : monitors)
        onMonitor = onMonitor || (x >= m.left && x < m.right && y >= m.top && y < m.bottom);
      if (!onMonitor) return false;
    }
  }
  return true;
}
