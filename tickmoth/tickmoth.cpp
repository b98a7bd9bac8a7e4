#include <windows.h>

#include "form1.h"

// The picture clock: one round form, alive until it closes.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  TForm1 form(instance);
  if (!form.Create()) return 1;
  form.Show();
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
