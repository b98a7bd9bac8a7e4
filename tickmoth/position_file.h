#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "screen_area.h"

// The window position kept beside the program: section "Position", keys "Xpos" and "Ypos".

struct WindowPosition {
  int x = 0;
  int y = 0;
  bool operator==(const WindowPosition& o) const { return x == o.x && y == o.y; }
};

// The program path with its extension (of any case) replaced by ".INI", or ".INI" added.
std::wstring PositionFileName(std::wstring_view programPath);

// Missing section, key or a value that is not a decimal integer reads as 0.
WindowPosition ReadPosition(std::string_view iniBytes);
// The file's new bytes: the two keys set, every other line of an existing file kept.
std::string WritePosition(std::string_view existingBytes, WindowPosition position);

// Whether the round window opened at `position` can be seen and dragged back: the middle of
// its circle (the central 32 by 32 pixels) lies on the monitors.
bool IsReachable(WindowPosition position, const std::vector<ScreenRect>& monitors);
