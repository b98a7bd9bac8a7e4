#include "framework/app.h"

#include <cwchar>

#include "framework/dialog.h"
#include "win/system.h"

namespace {
CApplication* g_app = nullptr;
}  // namespace

CApplication::CApplication() { g_app = this; }
CApplication::~CApplication() { g_app = nullptr; }
CApplication* CApplication::Current() { return g_app; }

void CApplication::SetRegistryKey(const wchar_t* company) {
  std::wstring path = GetModulePath();
  size_t slash = path.find_last_of(L"\\/");
  std::wstring name = path.substr(slash == std::wstring::npos ? 0 : slash + 1);
  size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.resize(dot);
  profile_.SetRegistryKey(company, name);
}

namespace {

bool IsDialogWindow(HWND hwnd) {
  wchar_t name[8] = {};
  return GetClassNameW(hwnd, name, 8) && wcscmp(name, L"#32770") == 0;
}

}  // namespace

int CApplication::Run(HINSTANCE instance, int showCommand) {
  instance_ = instance;
  showCommand_ = showCommand;
  bool started = false;
  try {
    started = InitInstance();
  } catch (...) {
    // Whatever failed has no message of its own; the user learns at least that it did not start.
    MessageBoxW(nullptr, L"起動できませんでした。", L"エラー", MB_OK | MB_ICONSTOP);
  }
  if (!started) {
    mainWindow_.reset();
    return 1;
  }
  MSG msg{};
  for (;;) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) break;
    if (got == -1) {
      msg.wParam = 1;  // the message was not filled in
      break;
    }
    if (PreTranslate(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  mainWindow_.reset();
  return static_cast<int>(msg.wParam);
}

bool CApplication::PreTranslate(MSG* msg) {
  if (mainWindow_ && mainWindow_->PreTranslateMessage(msg)) return true;
  // A modeless dialog of the class layer looks at its messages first (its tooltips).
  if (CDialog::PreTranslateModeless(msg)) return true;
  // Modeless dialogs (and whatever their controls receive) get their dialog keys here: Tab,
  // Enter, Escape and the mnemonics, which a modal dialog's own loop would give them.
  HWND root = msg->hwnd ? GetAncestor(msg->hwnd, GA_ROOT) : nullptr;
  if (!root || (mainWindow_ && root == mainWindow_->hwnd()) || !IsDialogWindow(root)) return false;
  return IsDialogMessageW(root, msg) != FALSE;
}
