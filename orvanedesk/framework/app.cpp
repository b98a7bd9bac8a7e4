#include "framework/app.h"

#include <commctrl.h>

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

int CApplication::Run(HINSTANCE instance, int showCommand) {
  instance_ = instance;
  showCommand_ = showCommand;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  InitCommonControlsEx(&icc);
  if (!InitInstance()) return 1;
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    if (CDialog::PreTranslateModeless(&msg)) continue;
    if (mainWindow_ && mainWindow_->PreTranslateMessage(&msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  mainWindow_.reset();
  return static_cast<int>(msg.wParam);
}
