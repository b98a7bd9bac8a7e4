#pragma once

#include <string>
#include <vector>

#include "../local_time.h"
#include "../screen_area.h"

// Folder of the running program file, ending in a backslash.
std::wstring GetModuleFolder();
// Full path of the running program file.
std::wstring GetModulePath();

LocalTime GetLocalNow();

// The areas of the monitors, in screen pixels.
std::vector<ScreenRect> MonitorRects();

// The system's own description of an error code, for telling the user why.
std::wstring SystemErrorText(unsigned long error);
