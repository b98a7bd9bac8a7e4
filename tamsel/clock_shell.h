#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "alarm_check.h"
#include "clock_logic.h"
#include "edition.h"
#include "settings_keys.h"

// The character clock's Win32 side: one window procedure over process-wide state.

constexpr wchar_t kClassName[] = L"TAMSELWND";
constexpr UINT kTrayMessage = 10000;
constexpr UINT kTrayId = 1;
// Adding the tray icon is tried again this often until the shell takes it.
constexpr UINT_PTR kTrayRetryTimer = 1;  // apart from the editions' clock timers
constexpr UINT kTrayRetryMs = 1000;      // the first wait; it doubles up to a minute
constexpr UINT kTrayRetryMaxMs = 60000;
constexpr COLORREF kKeyColour = RGB(255, 0, 255);

struct ClockState {
  HINSTANCE instance = nullptr;
  HWND hwnd = nullptr;
  const Edition* edition = nullptr;
  Settings settings;
  TickState tick;
  LocalTime now;
  bool timerRunning = false;
  AlarmCheck alarm;
  POINT click{};  // drag anchor (client), then where the menu opened (screen)
  bool dialogOpen = false;
  bool trayAdded = false;
  UINT trayRetryMs = kTrayRetryMs;
  UINT taskbarCreated = 0;
};
extern ClockState g_clock;

// What tests replace: the wall clock, the sound player and the notification area.
struct ClockSeams {
  LocalTime (*now)();
  void (*play)(const std::string& file);  // code page 932 path
  void (*stop)();
  BOOL(WINAPI* notifyIcon)(DWORD message, PNOTIFYICONDATAW data);
};
extern ClockSeams g_seams;

// The program: 0 at once when another clock runs or the window cannot be made.
int RunCharacterClock(HINSTANCE instance, int show, const Edition& edition);
// Registers the class and creates and shows the window; null when another clock runs (it is
// brought to the front) or creation fails.
HWND StartCharacterClock(HINSTANCE instance, int show, const Edition& edition);

// The window's shape: one rectangle per run of non-key pixels. Null when there is none.
HRGN RegionFromBitmap(HBITMAP bitmap, COLORREF key);
HRGN RegionFromRuns(const std::vector<Run>& runs, int width, int height);

// The registry keys of the settings: the shared key under HKEY_USERS\.DEFAULT and the current
// user's copy.
class RegistryKeys : public SettingsKeys {
 public:
  explicit RegistryKeys(const char* subkey);
  bool Exists(KeyPlace place) override;
  bool Read(KeyPlace place, StoredValues& values) override;
  bool Write(KeyPlace place, uint32_t position, uint32_t option,
             const std::string& alarmFn) override;
  static HKEY Root(KeyPlace place);
  std::wstring Path(KeyPlace place) const;

 private:
  std::wstring subkey_;
};

void LoadClockSettings();
void SaveClockSettings();
void StopSound();
void PlayAlarmFile();

// Dialogs opened from the popup menu.
INT_PTR CALLBACK AboutProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK SetupProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AlarmProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM lParam);
