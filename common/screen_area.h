#pragma once

#include <vector>

// An area of the screen in pixels, right and bottom exclusive.
struct ScreenRect {
  int left = 0, top = 0, right = 0, bottom = 0;
};

// Whether a window covering `area` can be seen and dragged back: the middle of the area (its
// central 32 by 32 pixels) lies on the monitors.
bool MiddleOnMonitors(ScreenRect area, const std::vector<ScreenRect>& monitors);
