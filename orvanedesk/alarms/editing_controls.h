#pragma once

#include <windows.h>

#include <string>

// Helpers both alarm editors share: the add wizard and the properties sheet.

// The file dialog both editors browse with: a wave file's full path, empty when cancelled.
std::wstring BrowseWaveFile(HWND owner);
bool HasText(HWND edit);
// A message the file could not keep as typed is refused with a notice; true when accepted.
bool AcceptMessageText(HWND page, int messageBox, const std::string& message);
