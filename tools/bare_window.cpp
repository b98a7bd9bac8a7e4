// A bare window with a timer (1000 ms, or the interval given on the command line) and nothing
// else: the yardstick for the clocks' CPU use.
#include <windows.h>

static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DESTROY) PostQuitMessage(0);
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"BareTimerWindow";
  RegisterClassW(&wc);
  HWND hwnd = CreateWindowW(L"BareTimerWindow", L"bare", WS_OVERLAPPEDWINDOW, 300, 0, 182, 434,
                            nullptr, nullptr, instance, nullptr);
  ShowWindow(hwnd, show);
  int interval = _wtoi(arguments);
  SetTimer(hwnd, 1, interval > 0 ? interval : 1000, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
