#pragma once

#include <functional>
#include <optional>
#include <vector>

// The window placement as the registry keeps it: six signed values.
struct StoredPlacement {
  int flags = 0;
  int showCmd = 0;
  int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// The registry value names, in the order they are read and written.
extern const wchar_t* const kPlacementValues[6];

// Reads the six values in order through read (nullopt: no such value); the first missing one
// ends the read and the stored placement is not used.
std::optional<StoredPlacement> ReadPlacement(
    const std::function<std::optional<int>(const wchar_t* name)>& read);

// Keeps at least an icon's width and height of the window on the screen: the left and top
// edges are pulled back, right and bottom stay as stored, there is no lower limit.
void ClampToScreen(StoredPlacement& placement, int screenWidth, int screenHeight, int iconWidth,
                   int iconHeight);

struct Box {
  int left = 0, top = 0, right = 0, bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  bool operator==(const Box& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};
struct MonitorArea {
  Box bounds;  // the whole monitor
  Box work;    // without the task bar
};

// When the window lies wholly outside every monitor (one was removed since it was saved), the
// shift that brings it whole onto the work area of the nearest monitor; else none.
std::optional<std::pair<int, int>> ShiftOntoMonitor(const Box& window,
                                                    const std::vector<MonitorArea>& monitors);
