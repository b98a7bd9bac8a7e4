#pragma once

#include <string>

#include "../local_time.h"

// Folder of the running program file, ending in a backslash.
std::wstring GetModuleFolder();
// Full path of the running program file.
std::wstring GetModulePath();

LocalTime GetLocalNow();
