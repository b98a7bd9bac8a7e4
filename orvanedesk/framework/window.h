#pragma once

#include <windows.h>

// A C++ object bound to one window. The object is bound from the first message of the window
// it creates (before WM_NCCREATE, so WM_GETMINMAXINFO reaches it too), and unbound at
// WM_NCDESTROY; unhandled messages go to the default window procedure.
class CWindow {
 public:
  CWindow() = default;
  CWindow(const CWindow&) = delete;
  CWindow& operator=(const CWindow&) = delete;
  virtual ~CWindow();

  HWND hwnd() const { return hwnd_; }
  // Registers a class whose windows are driven by CWindow objects.
  static bool RegisterClass(WNDCLASSEXW wc);
  // False when the window could not be made; an exception the window threw while handling its
  // creation fails the creation and is thrown on from here.
  bool CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* title, DWORD style, int x,
                int y, int width, int height, HWND parent);
  virtual bool PreTranslateMessage(MSG*) { return false; }

 protected:
  virtual LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT Default(UINT msg, WPARAM wParam, LPARAM lParam);
  // Called after the window is gone (WM_NCDESTROY).
  virtual void PostNcDestroy() {}

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

// A top-level frame: closing destroys it, and the application's main frame ends the message
// loop when it is destroyed.
class CFrameWindow : public CWindow {
 protected:
  void DefaultClose() { DestroyWindow(hwnd()); }
  void PostNcDestroy() override;
};

// Registers the common controls' window classes; called before the first is made, since loading
// their library at start-up would cost a good share of it.
void RegisterCommonControls();
// An active tooltip control owned by `owner`, which destroys it; nullptr when it cannot be made.
HWND CreateTooltip(HWND owner, DWORD style);
// Adds the window `tool` (a child of `owner`, or `owner` itself) with its tip text; `flags` adds
// to TTF_IDISHWND.
void AddTooltipTool(HWND tooltip, HWND owner, HWND tool, const wchar_t* text, UINT flags = 0);
