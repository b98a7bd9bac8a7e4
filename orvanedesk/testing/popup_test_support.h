#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "alarms/message_record.h"
#include "alarms/schedule.h"
#include "cp932.h"
#include "framework/dialog.h"
#include "line_file.h"
#include "testing/silent_wave.h"
#include "testing/thread_windows.h"
#include "win/pixels.h"
#include "win/system.h"

// What the tests of the message popup and of the window that opens it share.

inline CMessageRecord Rec(std::string title, std::string message, std::string alarm = "NULL",
                          std::string dateUnit = kDaily, std::string dateDetail = "NULL",
                          std::string timeUnit = kAtTime, std::string timeDetail = "7:5") {
  return {title, alarm, message, dateUnit, dateDetail, timeUnit, timeDetail};
}

inline DueMessages Due(std::vector<CMessageRecord> records) {
  DueMessages due;
  for (const auto& r : records) AddDue(due, r);
  return due;
}

// Runs the thread's messages (as the program's loop does) until pred holds or time runs out.
template <typename Pred>
inline bool PumpUntil(Pred pred, DWORD timeoutMs = 5000) {
  DWORD start = GetTickCount();
  MSG msg;
  while (!pred() && GetTickCount() - start < timeoutMs) {
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      if (CDialog::PreTranslateModeless(&msg)) continue;
      // As the program's loop does: dialog keys for dialogs.
      HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
      wchar_t name[8] = {};
      if (root && GetClassNameW(root, name, 8) && wcscmp(name, L"#32770") == 0 &&
          IsDialogMessageW(root, &msg)) {
        continue;
      }
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    } else {
      Sleep(5);
    }
  }
  return pred();
}
inline void Pump() {
  PumpUntil([] { return false; }, 100);
}

inline std::wstring ItemText(HWND popup, int id) { return WindowText(GetDlgItem(popup, id)); }
inline bool Visible(HWND popup, int id) { return IsWindowVisible(GetDlgItem(popup, id)) != FALSE; }
inline RECT ClientRectOf(HWND popup, int id) {
  RECT r;
  GetWindowRect(GetDlgItem(popup, id), &r);
  MapWindowPoints(nullptr, popup, reinterpret_cast<POINT*>(&r), 2);
  return r;
}
inline int WindowHeight(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return r.bottom - r.top;
}
inline void Click(HWND popup, int id) {
  SendMessageW(GetDlgItem(popup, id), BM_CLICK, 0, 0);
  Pump();
}

class Wave {
 public:
  explicit Wave(const wchar_t* name, uint32_t milliseconds = 250)
      : path_(GetModuleFolder() + name) {
    EXPECT_TRUE(WriteFileBytes(path_, SilentWave(milliseconds)));
  }
  ~Wave() { DeleteFileW(path_.c_str()); }
  std::string cp932() const { return WideToCp932(path_).value(); }

 private:
  std::wstring path_;
};
