// A bare window with a timer and nothing else but the least work a clock's tick must do: the
// yardstick for the clocks' CPU use and start-up time.
//   bare_window.exe [interval in ms, 1000] [mode]
// Modes: none (the timer alone), "title" (a 182 x 434 framed window whose title shows the
// time, set when the second changes), "blit" (a round 150 x 150 topmost window that copies
// one prepared 150 x 150 picture to the screen on each tick).
#include <windows.h>

#include <cwchar>

namespace {

enum class Mode { kTimer, kTitle, kBlit };

Mode g_mode = Mode::kTimer;
HDC g_picture = nullptr;  // the blit mode's prepared picture
WORD g_lastSecond = 0xFFFF;
constexpr int kPictureSize = 150;

void Tick(HWND hwnd) {
  if (g_mode == Mode::kTitle) {
    SYSTEMTIME st;
    GetLocalTime(&st);
    if (st.wSecond == g_lastSecond) return;
    g_lastSecond = st.wSecond;
    wchar_t title[64];
    swprintf(title, 64, L"%ls %02u:%02u:%02u - bare", st.wHour < 12 ? L"AM" : L"PM",
             (st.wHour + 11) % 12 + 1, st.wMinute, st.wSecond);
    SetWindowTextW(hwnd, title);
  } else if (g_mode == Mode::kBlit) {
    HDC dc = GetDC(hwnd);
    BitBlt(dc, 0, 0, kPictureSize, kPictureSize, g_picture, 0, 0, SRCCOPY);
    ReleaseDC(hwnd, dc);
  }
}

// Something to copy that is not one flat colour: rings of colour.
void PreparePicture(HWND hwnd) {
  HDC screen = GetDC(hwnd);
  g_picture = CreateCompatibleDC(screen);
  SelectObject(g_picture, CreateCompatibleBitmap(screen, kPictureSize, kPictureSize));
  ReleaseDC(hwnd, screen);
  for (int r = kPictureSize; r > 0; r -= 10) {
    HBRUSH brush = CreateSolidBrush(RGB(r * 17 % 256, r * 5 % 256, 255 - r));
    HGDIOBJ old = SelectObject(g_picture, brush);
    int inset = (kPictureSize - r) / 2;
    Ellipse(g_picture, inset, inset, inset + r, inset + r);
    SelectObject(g_picture, old);
    DeleteObject(brush);
  }
}

LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_TIMER:
      Tick(hwnd);
      return 0;
    case WM_PAINT:
      if (g_mode == Mode::kBlit) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd, &ps);
        BitBlt(dc, 0, 0, kPictureSize, kPictureSize, g_picture, 0, 0, SRCCOPY);
        EndPaint(hwnd, &ps);
        return 0;
      }
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int show) {
  // The arguments are read by hand: a bare window links no DLL it does not need (CommandLineToArgvW
  // would bring in shell32 and what that loads).
  int interval = 1000;
  for (wchar_t* word = wcstok(arguments, L" \t"); word; word = wcstok(nullptr, L" \t")) {
    if (wcscmp(word, L"title") == 0) {
      g_mode = Mode::kTitle;
    } else if (wcscmp(word, L"blit") == 0) {
      g_mode = Mode::kBlit;
    } else if (_wtoi(word) > 0) {
      interval = _wtoi(word);
    }
  }

  WNDCLASSW wc{};
  wc.lpfnWndProc = Proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = L"BareTimerWindow";
  RegisterClassW(&wc);
  HWND hwnd;
  if (g_mode == Mode::kBlit) {
    hwnd = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, wc.lpszClassName, L"bare", WS_POPUP,
                           600, 0, kPictureSize, kPictureSize, nullptr, nullptr, instance, nullptr);
    SetWindowRgn(hwnd, CreateEllipticRgn(0, 0, kPictureSize, kPictureSize), TRUE);
    PreparePicture(hwnd);
  } else {
    DWORD style =
        g_mode == Mode::kTitle ? WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX : WS_OVERLAPPEDWINDOW;
    hwnd = CreateWindowW(wc.lpszClassName, L"bare", style, 300, 0, 182, 434, nullptr, nullptr,
                         instance, nullptr);
  }
  ShowWindow(hwnd, show);
  UpdateWindow(hwnd);
  SetTimer(hwnd, 1, interval, nullptr);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) DispatchMessageW(&msg);
  return 0;
}
