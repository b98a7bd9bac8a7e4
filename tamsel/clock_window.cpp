#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <shellapi.h>
#include <windowsx.h>

#include <algorithm>

#include "clock_shell.h"
#include "cp932.h"
#include "res/resource.h"
#include "win/probe.h"
#include "win/raii.h"
#include "win/system.h"

ClockState g_clock;

namespace {

void PlayFile(const std::string& file) {
  sndPlaySoundW(Cp932ToWide(file).c_str(), SND_ASYNC | SND_NODEFAULT);
}
void StopPlaying() { sndPlaySoundW(nullptr, SND_ASYNC); }

}  // namespace

ClockSeams g_seams = {GetLocalNow, PlayFile, StopPlaying, Shell_NotifyIconW};

void StopSound() { g_seams.stop(); }
void PlayAlarmFile() {
  ProbeAdd(ProbeKind::Sounds, 1);
  g_seams.play(g_clock.settings.alarmFile);
}

namespace {

const Edition& Ed() { return *g_clock.edition; }

HWND ZOrder() {
  if (g_clock.settings.pinned) return HWND_BOTTOM;
  return g_clock.settings.onTop ? HWND_TOPMOST : HWND_NOTOPMOST;
}

Gdi<HBITMAP> LoadPicture(int id) {
  return Gdi<HBITMAP>(LoadBitmapW(g_clock.instance, MAKEINTRESOURCEW(id)));
}

// The window's shape in window coordinates; the whole window when it has no region.
Rect ShapeBounds(HWND hwnd) {
  RECT box;
  if (GetWindowRgnBox(hwnd, &box) == ERROR) return {0, 0, Ed().window.width, Ed().window.height};
  return {box.left, box.top, box.right, box.bottom};
}

void TakeSnapshot() { g_clock.now = g_seams.now(); }

void AddTrayIcon() {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;  // the first layout: every shell knows it
  data.hWnd = g_clock.hwnd;
  data.uID = kTrayId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayMessage;
  // A shared icon needs no destroying; the shell keeps its own copy of the picture.
  data.hIcon = static_cast<HICON>(LoadImageW(g_clock.instance, MAKEINTRESOURCEW(IDI_TRAY),
                                             IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  lstrcpynW(data.szTip, Ed().trayTip, 64);
  // At sign-in the shell may not be ready yet and time out: the timer tries again. An icon it
  // took while reporting the time-out is there already and takes a change instead.
  g_clock.trayAdded = g_seams.notifyIcon(NIM_ADD, &data) || g_seams.notifyIcon(NIM_MODIFY, &data);
  if (g_clock.trayAdded) {
    KillTimer(g_clock.hwnd, kTrayRetryTimer);
    g_clock.trayRetryMs = kTrayRetryMs;
  } else {
    // Each try with a hung shell blocks for seconds: the tries grow further apart.
    SetTimer(g_clock.hwnd, kTrayRetryTimer, g_clock.trayRetryMs, nullptr);
    g_clock.trayRetryMs = std::min(g_clock.trayRetryMs * 2, kTrayRetryMaxMs);
  }
}

void RemoveTrayIcon() {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = g_clock.hwnd;
  data.uID = kTrayId;
  g_seams.notifyIcon(NIM_DELETE, &data);
  g_clock.trayAdded = false;
}

void OnCreate(HWND hwnd, const CREATESTRUCTW* create) {
  g_clock.hwnd = hwnd;
  g_clock.instance = create->hInstance;

  // The picture's own colours: a bitmap made for a 16-bit display holds the key colour rounded,
  // so no pixel would match it and the window would stay a rectangle.
  Gdi<HBITMAP> background(
      static_cast<HBITMAP>(LoadImageW(g_clock.instance, MAKEINTRESOURCEW(IDB_BACKGROUND),
                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  if (background) {
    HRGN region = RegionFromBitmap(background.get(), kKeyColour);
    // The system owns a region it accepted; a picture without any shape keeps the rectangle.
    if (region && !SetWindowRgn(hwnd, region, TRUE)) DeleteObject(region);
  }

  // Without a timer the clock still shows the moment it started, not a made-up date.
  TakeSnapshot();
  if (SetTimer(hwnd, Ed().timerId, 40, nullptr)) {
    g_clock.timerRunning = true;
    g_clock.tick.lastMinute = g_clock.now.minute;
    g_clock.tick.lastHour = g_clock.now.hour;
  } else {
    MessageBoxW(hwnd, L"起動に失敗しました", L"起動失敗", MB_OK | MB_ICONWARNING);
  }

  LoadClockSettings();
  // A place where no monitor shows the middle of the clock (a screen unplugged, a hand-edited
  // value) would leave a clock nobody can drag back; one partly off a screen stays.
  Settings& s = g_clock.settings;
  if (!IsReachable({s.x, s.y}, ShapeBounds(hwnd), MonitorRects())) s.x = s.y = 0;
  SetWindowPos(hwnd, ZOrder(), g_clock.settings.x, g_clock.settings.y, 0, 0,
               SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
  AddTrayIcon();
}

void OnTimer() {
  TakeSnapshot();
  int marks = TimeMarks(g_clock.tick, g_clock.now);
  marks |= AdvanceAnimation(g_clock.tick, Ed());
  Invalidation inv = InvalidationFor(marks, Ed());
  if (inv.kind == Invalidation::kClient) {
    InvalidateRect(g_clock.hwnd, nullptr, FALSE);
  } else if (inv.kind == Invalidation::kArea) {
    RECT r{inv.area.left, inv.area.top, inv.area.right, inv.area.bottom};
    InvalidateRect(g_clock.hwnd, &r, FALSE);
  }
}

void CopyPart(HDC dc, HDC source, Rect from, int x, int y) {
  BitBlt(dc, x, y, from.right - from.left, from.bottom - from.top, source, from.left, from.top,
         SRCCOPY);
}

void OnPaint(HWND hwnd) {
  {
    PaintDc paint(hwnd);
    HDC dc = paint.get();
    Gdi<HBITMAP> background = LoadPicture(IDB_BACKGROUND);
    Gdi<HBITMAP> frames = LoadPicture(IDB_FRAMES);
    Gdi<HBITMAP> glyphs = LoadPicture(IDB_GLYPHS);
    MemoryDc memory(CreateCompatibleDC(dc));
    if (memory && background && frames && glyphs) {
      HDC source = memory.get();
      {
        Selection picture(source, background.get());
        BitBlt(dc, 0, 0, Ed().background.width, Ed().background.height, source, 0, 0, SRCCOPY);
      }
      {
        Selection strip(source, glyphs.get());
        for (const GlyphBlit& g :
             GlyphsFor(g_clock.now, g_clock.settings.hour24, g_clock.settings.alarmActive, Ed())) {
          BitBlt(dc, g.dstX, g.dstY, g.width, g.height, source, g.srcX, g.srcY + kMaskOffset,
                 SRCAND);
          BitBlt(dc, g.dstX, g.dstY, g.width, g.height, source, g.srcX, g.srcY, SRCPAINT);
        }
      }
      Selection animation(source, frames.get());
      if (g_clock.tick.face != 0)
        CopyPart(dc, source, FaceFrameSource(g_clock.tick.face, Ed()), Ed().faceX, Ed().faceY);
      if (Ed().creatures && g_clock.tick.creature != 0) {
        CopyPart(dc, source, BigCreatureSource(g_clock.tick.creature), kBigCreatureX,
                 kBigCreatureY);
        CopyPart(dc, source, SmallCreatureSource(g_clock.tick.creature), kSmallCreatureX,
                 kSmallCreatureY);
      }
    }
  }
  if (AlarmDue(g_clock.alarm, g_clock.settings, g_clock.now)) PlayAlarmFile();
  // A pinned clock sinks again below whatever was raised over it; activating it would raise it.
  if (!g_clock.dialogOpen && g_clock.settings.pinned)
    SetWindowPos(hwnd, HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW | SWP_NOACTIVATE);
}

// Moves the window so the drag anchor stays under the pointer at client point (x, y).
void DragTo(HWND hwnd, int x, int y) {
  POINT at{x, y};
  ClientToScreen(hwnd, &at);
  MoveWindow(hwnd, at.x - g_clock.click.x, at.y - g_clock.click.y, Ed().window.width,
             Ed().window.height, TRUE);
}

void ShowPopupMenu(HWND hwnd) {
  Menu bar(LoadMenuW(g_clock.instance, MAKEINTRESOURCEW(IDM_POPUP)));
  if (!bar) return;
  TrackPopupMenu(GetSubMenu(bar.get(), 0), TPM_LEFTALIGN | TPM_LEFTBUTTON, g_clock.click.x,
                 g_clock.click.y, 0, hwnd, nullptr);
  // Lets the menu close properly when it was opened from the notification area.
  PostMessageW(hwnd, WM_NULL, 0, 0);
}

void OnCommand(HWND hwnd, UINT id) {
  switch (id) {
    case IDM_SETUP:
      DialogBoxParamW(g_clock.instance, MAKEINTRESOURCEW(IDD_SETUP), hwnd, SetupProc, 0);
      SetWindowPos(hwnd, ZOrder(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      InvalidateRect(hwnd, nullptr, FALSE);
      break;
    case IDM_ALARM: {
      StopSound();
      // Its spin buttons are the clock's only common controls: their library is loaded here,
      // not with the clock.
      INITCOMMONCONTROLSEX controls{sizeof controls, ICC_UPDOWN_CLASS};
      InitCommonControlsEx(&controls);
      DialogBoxParamW(g_clock.instance, MAKEINTRESOURCEW(IDD_ALARM), hwnd, AlarmProc, 0);
      InvalidateRect(hwnd, nullptr, TRUE);
      break;
    }
    case IDM_ABOUT:
      DialogBoxParamW(g_clock.instance, MAKEINTRESOURCEW(IDD_ABOUT), hwnd, AboutProc, 0);
      break;
    case IDM_EXIT:
      StopSound();
      SendMessageW(hwnd, WM_CLOSE, 0, 0);
      break;
  }
}

void OnTray(HWND hwnd, WPARAM id, LPARAM event) {
  if (LOWORD(event) == WM_LBUTTONDOWN) {
    SetForegroundWindow(hwnd);
  } else if (LOWORD(event) == WM_RBUTTONDOWN && id == kTrayId) {
    // One dialog at a time: the open one comes forward instead of a second menu.
    if (g_clock.dialogOpen) {
      SetForegroundWindow(GetLastActivePopup(hwnd));
      return;
    }
    POINT at;
    GetCursorPos(&at);
    SetForegroundWindow(hwnd);
    g_clock.click = at;
    ShowPopupMenu(hwnd);
  }
}

void OnClose(HWND hwnd) {
  if (!KillTimer(hwnd, Ed().timerId))
    MessageBoxW(hwnd, L"うまく終了できませんでした", L"異常終了", MB_OK | MB_ICONWARNING);
  g_clock.timerRunning = false;
  RemoveTrayIcon();
  SetForegroundWindow(hwnd);
  DestroyWindow(hwnd);
}

LRESULT HandleMessage(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      OnCreate(hwnd, reinterpret_cast<const CREATESTRUCTW*>(lParam));
      return 0;
    case WM_DESTROY:
      g_clock.hwnd = nullptr;
      PostQuitMessage(0);
      return 0;
    case WM_PAINT:
      OnPaint(hwnd);
      return 0;
    case WM_CLOSE:
      OnClose(hwnd);
      return 0;
    case WM_COMMAND:
      OnCommand(hwnd, LOWORD(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == Ed().timerId) OnTimer();
      if (wParam == kTrayRetryTimer) AddTrayIcon();
      return 0;
    case WM_LBUTTONDOWN:
      g_clock.click = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      SetCapture(hwnd);
      return 0;
    case WM_MOUSEMOVE:
      if (g_clock.settings.pinned) return 0;
      // Only a plain left-button drag moves the clock; Shift, Ctrl or a second button do not.
      if (wParam != MK_LBUTTON || GetCapture() != hwnd) break;
      DragTo(hwnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      return 0;
    case WM_LBUTTONUP:
      // A release without our own press (a click that began elsewhere) moves nothing.
      if (GetCapture() != hwnd) return 0;
      if (!g_clock.settings.pinned) DragTo(hwnd, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      // The end of every press: released here, or the capture taken away mid-drag (Alt+Tab),
      // which leaves the window wherever the drag had moved it.
      if (!g_clock.settings.pinned) {
        RECT frame;
        GetWindowRect(hwnd, &frame);
        g_clock.settings.x = frame.left;
        g_clock.settings.y = frame.top;
        SaveClockSettings();
      }
      return 0;
    case WM_RBUTTONDOWN: {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      ClientToScreen(hwnd, &at);
      g_clock.click = at;
      ShowPopupMenu(hwnd);
      return 0;
    }
    case kTrayMessage:
      OnTray(hwnd, wParam, lParam);
      return 0;
    default:
      if (g_clock.taskbarCreated && msg == g_clock.taskbarCreated) {
        // Explorer restarted and forgot every notification icon.
        AddTrayIcon();
        return 0;
      }
      break;
  }
  return DefWindowProcW(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK ClockProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  LRESULT probed;
  if (AnswerProbe(msg, wParam, probed)) return probed;
  try {
    return HandleMessage(hwnd, msg, wParam, lParam);
  } catch (...) {
    // No exception may unwind through the system's dispatcher. One during creation fails it:
    // a window without its timer or shape is no clock.
    if (msg == WM_CREATE) {
      MessageBoxW(nullptr, L"起動に失敗しました", L"起動失敗", MB_OK | MB_ICONWARNING);
      return -1;
    }
    return DefWindowProcW(hwnd, msg, wParam, lParam);
  }
}

}  // namespace

HWND StartCharacterClock(HINSTANCE instance, int show, const Edition& edition) {
  // All three editions share the class, so whichever runs first is the only clock.
  if (HWND running = FindWindowW(kClassName, nullptr)) {
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    return nullptr;
  }
  g_clock = ClockState{};
  g_clock.edition = &edition;
  g_clock.taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = ClockProc;
  wc.hInstance = instance;
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_CLOCK), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                           LR_SHARED));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_CLOCK), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_SHARED));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  // A test process may start the clock more than once.
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;

  HWND hwnd = CreateWindowExW(WS_EX_PALETTEWINDOW, kClassName, edition.title, WS_POPUP,
                              CW_USEDEFAULT, CW_USEDEFAULT, edition.window.width,
                              edition.window.height, nullptr, nullptr, instance, nullptr);
  if (!hwnd) return nullptr;
  ShowWindow(hwnd, show);
  // Started minimized or maximized (a shortcut set so, or Windows applying the starter's choice
  // to the first show): without a taskbar button the window could never be restored, and a
  // maximized one would cover the screen. It shows normally.
  if (IsIconic(hwnd) || IsZoomed(hwnd)) ShowWindow(hwnd, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd);
  return hwnd;
}

int RunCharacterClock(HINSTANCE instance, int show, const Edition& edition) {
  // Starts at the same moment (a sign-in, a script) would each look for the window before any
  // has made it: one start at a time goes from that look to a shown window. A start that waits
  // longer than this goes on alone, as without the lock.
  constexpr DWORD kStartWaitMs = 10000;
  Handle starting(CreateMutexW(nullptr, FALSE, L"Local\\TamselCharacterClockStart"));
  const DWORD wait = starting ? WaitForSingleObject(starting.get(), kStartWaitMs) : WAIT_FAILED;
  HWND hwnd = StartCharacterClock(instance, show, edition);
  if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED) ReleaseMutex(starting.get());
  if (!hwnd) return 0;
  MSG msg{};
  for (;;) {
    BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0) return static_cast<int>(msg.wParam);  // WM_QUIT carries the exit code
    if (got == -1) return 1;                            // the message was not filled in
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}
