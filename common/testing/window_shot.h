#pragma once

#include <windows.h>

// Saves what the screen shows of a window as <name>.ppm in the folder EDITING_SHOTS names, for
// looking at a dialog a test drives; does nothing when it is not set.
void ShotIfAsked(HWND window, const char* name);
