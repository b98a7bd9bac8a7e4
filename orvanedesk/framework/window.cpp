#include "framework/window.h"

#include <commctrl.h>

#include <exception>
#include <utility>

#include "framework/app.h"
#include "win/probe.h"

namespace {
// The object whose window is being created on this thread, until its first message binds it.
thread_local CWindow* t_creating = nullptr;
// An exception thrown while a window handled its creation, held until CreateWindowExW returns.
thread_local std::exception_ptr t_creationError;
}  // namespace

CWindow::~CWindow() {
  if (hwnd_) {
    // Unbind first: messages sent while the window is destroyed must not reach a dying object.
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool CWindow::RegisterClass(WNDCLASSEXW wc) {
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  return RegisterClassExW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CWindow::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style,
                       int x, int y, int width, int height, HWND parent) {
  std::exception_ptr outer = std::exchange(t_creationError, nullptr);
  t_creating = this;
  HWND hwnd = CreateWindowExW(exStyle, className, title, style, x, y, width, height, parent,
                              nullptr, GetModuleHandleW(nullptr), this);
  t_creating = nullptr;
  std::exception_ptr error = std::exchange(t_creationError, outer);
  // Out of the system's call now, the exception may go on to the caller.
  if (error) std::rethrow_exception(error);
  return hwnd != nullptr;
}

LRESULT CWindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  return Default(msg, wParam, lParam);
}

LRESULT CWindow::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(hwnd_, msg, wParam, lParam);
}

LRESULT CALLBACK CWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self && t_creating) {
    self = t_creating;
    t_creating = nullptr;
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  if (!self) return DefWindowProcW(hwnd, msg, wParam, lParam);
  LRESULT result;
  if (AnswerProbe(msg, wParam, result)) return result;
  try {
    result = self->OnMessage(msg, wParam, lParam);
  } catch (...) {
    // No exception may unwind through the system's dispatcher. One during creation fails the
    // creation, so no half-made window lives on without its timer or picture.
    if (msg == WM_NCCREATE || msg == WM_CREATE) {
      if (!t_creationError) t_creationError = std::current_exception();
      result = msg == WM_NCCREATE ? FALSE : -1;
    } else {
      result = DefWindowProcW(hwnd, msg, wParam, lParam);
    }
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    self->hwnd_ = nullptr;
    self->PostNcDestroy();
  }
  return result;
}

void CFrameWindow::PostNcDestroy() {
  CApplication* app = CApplication::Current();
  if (app && app->MainWindow() == this) PostQuitMessage(0);
}

void RegisterCommonControls() {
  static bool registered = false;
  if (registered) return;
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  registered = InitCommonControlsEx(&icc) != FALSE;
}

HWND CreateTooltip(HWND owner, DWORD style) {
  RegisterCommonControls();
  HWND tooltip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, style, CW_USEDEFAULT, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
  if (tooltip) SendMessageW(tooltip, TTM_ACTIVATE, TRUE, 0);
  return tooltip;
}

void AddTooltipTool(HWND tooltip, HWND owner, HWND tool, const wchar_t* text, UINT flags) {
  TTTOOLINFOW info{};
  info.cbSize = sizeof info;
  info.uFlags = TTF_IDISHWND | flags;
  info.hwnd = owner;
  info.uId = reinterpret_cast<UINT_PTR>(tool);
  info.lpszText = const_cast<wchar_t*>(text);
  SendMessageW(tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}
