#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "testing/program_files.h"
#include "win/pixels.h"

// Helpers for driving a real program from a test: start it, find its window, read the screen.

// A started program, ended (if still running) when the object goes.
class Program {
 public:
  // `show`, when given, is the show command the starter hands over (STARTF_USESHOWWINDOW), as
  // a shortcut set to "minimized" does.
  explicit Program(const std::wstring& exeName, const std::wstring& arguments = L"",
                   std::optional<WORD> show = std::nullopt);
  ~Program();
  bool started() const { return process_ != nullptr; }
  HANDLE process() const { return process_; }
  DWORD id() const { return id_; }
  // The program's visible top-level windows of this class (and this caption, when given).
  std::vector<HWND> Windows(const wchar_t* className, const wchar_t* caption = nullptr) const;
  // The first of them, or null.
  HWND Window(const wchar_t* className, const wchar_t* caption = nullptr) const;
  // The first visible top-level window of the program with this class, waiting up to timeoutMs.
  HWND WaitForWindow(const wchar_t* className, DWORD timeoutMs = 15000) const;
  bool WaitForExit(DWORD timeoutMs) const;

 private:
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

std::wstring WindowTitle(HWND hwnd);
// Polls until pred() holds or the time runs out; returns pred()'s last value.
template <typename Pred>
bool WaitUntil(Pred pred, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  while (!pred()) {
    if (GetTickCount() - start > timeoutMs) return pred();
    Sleep(100);
  }
  return true;
}

// Screen pixels of a rectangle, addressed in screen coordinates.
using Screenshot = Pixels;
Screenshot CaptureScreen(RECT area);
// The client area of a window in screen coordinates.
RECT ClientOnScreen(HWND hwnd);
// A bitmap resource of a program file, read as pixels with (0, 0) at its top-left.
Screenshot LoadProgramBitmap(const std::wstring& exeName, int id);
// A bitmap file beside the driver.
Screenshot LoadBitmapFile(const std::wstring& fileName);
std::wstring DriverFolder();
