#include "alarms/editing_controls.h"

#include <commdlg.h>

#include "alarms/message_file.h"
#include "framework/dialog.h"
#include "win/system.h"

bool HasText(HWND edit) { return GetWindowTextLengthW(edit) > 0; }

std::wstring BrowseWaveFile(HWND owner) {
  wchar_t path[MAX_PATH] = {};
  // One filter entry: the description and its pattern.
  static const wchar_t kFilter[] = L"WAVE サウンド (*.wav)\0*.wav\0";
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = kFilter;
  ofn.lpstrFile = path;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = L"参照";
  ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetOpenFileNameW(&ofn)) return {};
  return path;
}

bool AcceptMessageText(HWND page, int messageBox, const std::string& message) {
  // Lines of only "]" are kept by the file as they are; a lone CR or LF would not come back.
  CMessageRecord record;
  record.message = message;
  if (StoresUnchanged(record)) return true;
  AppMessageBox(page,
                L"メッセージに行の区切りとして使えない改行文字が含まれています。\n"
                L"このままでは保存できないため、改行を入力し直してください。",
                MB_OK | MB_ICONEXCLAMATION);
  SetFocus(GetDlgItem(page, messageBox));
  return false;
}
