#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

#include <optional>
#include <vector>

#include "clock_shell.h"
#include "cp932.h"
#include "dialog_numbers.h"
#include "res/resource.h"
#include "win/system.h"

namespace {

// Opens the dialog at the click point, flipped left or up where it would leave the desktop;
// the click point keeps the shifted place.
void PlaceAndMarkOpen(HWND dlg) {
  RECT self, desktop;
  GetWindowRect(dlg, &self);
  GetWindowRect(GetDesktopWindow(), &desktop);
  Point at = PlaceDialog({g_clock.click.x, g_clock.click.y},
                         {self.right - self.left, self.bottom - self.top},
                         {desktop.left, desktop.top, desktop.right, desktop.bottom});
  g_clock.click = {at.x, at.y};
  SetWindowPos(dlg, nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_SHOWWINDOW);
  g_clock.dialogOpen = true;
}

void Close(HWND dlg, INT_PTR result) {
  g_clock.dialogOpen = false;
  EndDialog(dlg, result);
}

bool Checked(HWND dlg, int id) { return IsDlgButtonChecked(dlg, id) == BST_CHECKED; }

void Check(HWND dlg, int id, bool on) { CheckDlgButton(dlg, id, on ? BST_CHECKED : BST_UNCHECKED); }

std::wstring ItemText(HWND dlg, int id) {
  HWND item = GetDlgItem(dlg, id);
  std::vector<wchar_t> text(GetWindowTextLengthW(item) + 1);
  GetWindowTextW(item, text.data(), static_cast<int>(text.size()));
  return text.data();
}

// A path as stored text: code page 932, within the stored buffer. A path with a character the
// code page lacks, or cut to fit, would name another file: it is refused with a message.
std::optional<std::string> StorablePath(HWND dlg, const std::wstring& path) {
  std::optional<std::string> text = WideToCp932(path);
  const wchar_t* refusal = nullptr;
  if (!text)
    refusal = L"保存できない文字が含まれています。";
  else if (text->size() > kAlarmFileMax)
    refusal = L"パスが長すぎて保存できません。";
  if (!refusal) return text;
  MessageBoxW(dlg, refusal, L"ALARM", MB_OK | MB_ICONWARNING);
  return std::nullopt;
}

std::optional<std::string> WaveFileText(HWND dlg) {
  return StorablePath(dlg, ItemText(dlg, IDC_WAVE));
}

void Warn(HWND dlg, const wchar_t* text) {
  MessageBoxW(dlg, text, L"数値異常", MB_OK | MB_ICONWARNING);
}

void SetUpDown(HWND dlg, int spin, int buddy, int low, int high, int value) {
  SendDlgItemMessageW(dlg, spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(GetDlgItem(dlg, buddy)), 0);
  SendDlgItemMessageW(dlg, spin, UDM_SETRANGE32, low, high);
  SendDlgItemMessageW(dlg, spin, UDM_SETPOS32, 0, value);
}

void AlarmInit(HWND dlg) {
  const Settings& s = g_clock.settings;
  Check(dlg, IDC_ACTIVE, s.alarmActive);
  SetUpDown(dlg, IDC_HOUR_SPIN, IDC_HOUR, 0, 23, s.alarmHour);
  SetUpDown(dlg, IDC_MINUTE_SPIN, IDC_MINUTE, 0, 59, s.alarmMinute);
  // Set after the up-downs, which write their own "%d" into the boxes.
  wchar_t text[16];
  wsprintfW(text, L"%d", s.alarmHour);
  SetDlgItemTextW(dlg, IDC_HOUR, text);
  wsprintfW(text, L"%02d", s.alarmMinute);
  SetDlgItemTextW(dlg, IDC_MINUTE, text);
  SetDlgItemTextW(dlg, IDC_WAVE, Cp932ToWide(s.alarmFile).c_str());
  PlaceAndMarkOpen(dlg);
}

void AlarmOk(HWND dlg) {
  Settings& s = g_clock.settings;
  // Each value is taken as soon as it is checked; a later refusal leaves it taken.
  s.alarmActive = Checked(dlg, IDC_ACTIVE);
  int hour = ReadDialogNumber(ItemText(dlg, IDC_HOUR));
  if (hour < 0 || hour > 23) return Warn(dlg, L"時間は0～23の範囲です");
  s.alarmHour = hour;
  int minute = ReadDialogNumber(ItemText(dlg, IDC_MINUTE));
  if (minute < 0 || minute > 59) return Warn(dlg, L"分は0～59の範囲です");
  s.alarmMinute = minute;
  std::optional<std::string> file = WaveFileText(dlg);
  if (!file) return;
  s.alarmFile = *file;
  SaveClockSettings();
  StopSound();
  Close(dlg, IDOK);
}

void AlarmBrowse(HWND dlg) {
  StopSound();
  wchar_t file[256] = {};
  wchar_t title[256] = {};
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = dlg;
  ofn.lpstrFilter = L"WAVEファイル(*.wav)\0*.wav\0すべてのファイル(*.*)\0*.*\0";
  ofn.nFilterIndex = 1;
  ofn.lpstrFile = file;
  ofn.nMaxFile = 255;
  ofn.lpstrFileTitle = title;
  ofn.nMaxFileTitle = 255;
  ofn.lpstrTitle = L"WAVEファイル指定";
  ofn.Flags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
  if (GetOpenFileNameW(&ofn)) {
    if (std::optional<std::string> chosen = StorablePath(dlg, file))
      g_clock.settings.alarmFile = *chosen;
  }
  SetDlgItemTextW(dlg, IDC_WAVE, Cp932ToWide(g_clock.settings.alarmFile).c_str());
  InvalidateRect(dlg, nullptr, TRUE);
}

}  // namespace

INT_PTR CALLBACK AboutProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      PlaceAndMarkOpen(dlg);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) Close(dlg, IDCANCEL);
      return TRUE;
    case WM_MOUSEMOVE:
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK SetupProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG: {
      const Settings& s = g_clock.settings;
      Check(dlg, IDC_HOUR24, s.hour24);
      Check(dlg, IDC_PIN, s.pinned);
      Check(dlg, IDC_ON_TOP, s.onTop);  // the first of the two buttons with this id
      PlaceAndMarkOpen(dlg);
      return TRUE;
    }
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) {
        Settings& s = g_clock.settings;
        s.pinned = Checked(dlg, IDC_PIN);
        s.onTop = Checked(dlg, IDC_ON_TOP);
        s.hour24 = Checked(dlg, IDC_HOUR24);
        SaveClockSettings();
        Close(dlg, IDOK);
      } else if (LOWORD(wParam) == IDCANCEL) {
        Close(dlg, IDCANCEL);
      }
      return TRUE;
  }
  return FALSE;
}

INT_PTR CALLBACK AlarmProc(HWND dlg, UINT msg, WPARAM wParam, LPARAM) {
  switch (msg) {
    case WM_INITDIALOG:
      AlarmInit(dlg);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
          AlarmOk(dlg);
          break;
        case IDCANCEL:
          StopSound();
          Close(dlg, IDCANCEL);
          break;
        case IDC_BROWSE:
          AlarmBrowse(dlg);
          break;
        case IDC_PLAY:
          if (std::optional<std::string> file = WaveFileText(dlg)) {
            g_clock.settings.alarmFile = *file;
            PlayAlarmFile();
          }
          break;
      }
      return TRUE;
  }
  return FALSE;
}
