#include <windows.h>

#include <memory>

#include "form1.h"

// The picture clock: one round form, alive until it closes.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  std::unique_ptr<TForm1> form;
  try {
    form = std::make_unique<TForm1>(instance);
    if (!form->Create()) form.reset();
  } catch (...) {
    form.reset();
  }
  if (!form) {
    // The clock has no message of its own for a failed start; a silent end would leave the
    // user wondering.
    MessageBoxW(nullptr, L"起動できませんでした。", L"Orvane", MB_OK | MB_ICONSTOP);
    return 1;
  }
  form->Show(show);
  MSG msg{};
  for (;;) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);  // WM_QUIT carries the exit code
    if (got == -1) return 1;                            // the message was not filled in
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}
