#include "testing/thread_windows.h"

#include <commctrl.h>
#include <prsht.h>

namespace {

std::wstring ClassName(HWND hwnd) {
  wchar_t name[64] = {};
  GetClassNameW(hwnd, name, 64);
  return name;
}

// A message box is a dialog whose text is the static control with id 0xFFFF.
constexpr int kMessageBoxText = 0xFFFF;

bool IsMessageBox(HWND hwnd) {
  return ClassName(hwnd) == L"#32770" && GetDlgItem(hwnd, kMessageBoxText) != nullptr;
}

MessageBoxAnswerer* g_answerer = nullptr;

}  // namespace

std::wstring WindowText(HWND hwnd) {
  wchar_t text[512] = {};
  GetWindowTextW(hwnd, text, 512);
  return text;
}

bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  DWORD start = GetTickCount();
  MSG msg;
  while (!done() && GetTickCount() - start < timeoutMs) {
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
      DispatchMessageW(&msg);
    else
      Sleep(10);
  }
  return done();
}

HWND FindThreadWindow(const wchar_t* className, const wchar_t* caption) {
  struct Query {
    const wchar_t* cls;
    const wchar_t* caption;
    HWND found;
  } query{className, caption, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* q = reinterpret_cast<Query*>(lParam);
        if (IsWindowVisible(hwnd) && ClassName(hwnd) == q->cls &&
            (!q->caption || WindowText(hwnd) == q->caption)) {
          q->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND FindOwnedWindow(HWND owner, const wchar_t* className) {
  struct Query {
    HWND owner;
    const wchar_t* cls;
    HWND found;
  } query{owner, className, nullptr};
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        auto* q = reinterpret_cast<Query*>(lParam);
        if (GetWindow(hwnd, GW_OWNER) == q->owner && ClassName(hwnd) == q->cls) {
          q->found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&query));
  return query.found;
}

std::vector<std::wstring> SheetTabTexts(HWND sheet) {
  std::vector<std::wstring> texts;
  HWND tab = PropSheet_GetTabControl(sheet);
  for (int i = 0; i < TabCtrl_GetItemCount(tab); ++i) {
    wchar_t text[64] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = 64;
    TabCtrl_GetItem(tab, i, &item);
    texts.push_back(text);
  }
  return texts;
}

std::vector<HWND> ThreadDialogs() {
  std::vector<HWND> found;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM lParam) -> BOOL {
        if (IsWindowVisible(hwnd) && ClassName(hwnd) == L"#32770")
          reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hwnd);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

HWND FindThreadMessageBox() {
  for (HWND hwnd : ThreadDialogs())
    if (IsMessageBox(hwnd)) return hwnd;
  return nullptr;
}

std::wstring AnswerMessageBox(int answer) {
  HWND box = FindThreadMessageBox();
  if (!box) return {};
  std::wstring text = WindowText(GetDlgItem(box, kMessageBoxText));
  PostMessageW(box, WM_COMMAND, answer, 0);
  return text;
}

MessageBoxAnswerer::MessageBoxAnswerer(int answer) : answer_(answer) {
  g_answerer = this;
  timer_ = SetTimer(nullptr, 0, 30, Tick);
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
  if (timer_) KillTimer(nullptr, timer_);
  if (g_answerer == this) g_answerer = nullptr;
}

void CALLBACK MessageBoxAnswerer::Tick(HWND, UINT, UINT_PTR timer, DWORD) {
  MessageBoxAnswerer* self = g_answerer;
  if (!self || self->timer_ != timer) {
    KillTimer(nullptr, timer);
    return;
  }
  if (!FindThreadMessageBox()) return;
  KillTimer(nullptr, timer);
  self->timer_ = 0;
  self->text_ = AnswerMessageBox(self->answer_);
}
