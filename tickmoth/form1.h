#pragma once

#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "face.h"
#include "position_file.h"
#include "win/raii.h"

// An item of the popup menu, known by its command id.
struct MenuItem {
  HMENU menu = nullptr;
  UINT id = 0;
  bool Checked() const;
  void SetChecked(bool checked) const;
};

// A window timer of the form.
struct Timer {
  HWND owner = nullptr;
  UINT_PTR id = 1;
  UINT interval = 1000;
  void Start() const { SetTimer(owner, id, interval, nullptr); }
  void Stop() const { KillTimer(owner, id); }
};

// The round picture clock: one form and its components.
class TForm1 {
 public:
  static constexpr wchar_t kClassName[] = L"TickmothClock";
  static constexpr UINT kTrayMessage = 1124;
  // Adding the tray icon is tried again this often until the shell takes it.
  static constexpr UINT_PTR kTrayRetryTimer = 2;
  static constexpr UINT kTrayRetryMs = 1000;  // the first wait; it doubles up to a minute
  static constexpr UINT kTrayRetryMaxMs = 60000;

  explicit TForm1(HINSTANCE instance);
  ~TForm1();
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;

  bool Create();
  // The first show, with the command the program was started with.
  void Show(int command);
  HWND hwnd() const { return hwnd_; }

  // What tests replace: the shell's notification area.
  BOOL(WINAPI* notifyIcon)(DWORD message, PNOTIFYICONDATAW data) = Shell_NotifyIconW;

  Gdi<HBITMAP> Image1;  // the illustration
  Gdi<HBITMAP> imageH, ImageM, ImageS;
  Menu PopupMenu1;
  MenuItem N1, AboutA1, Exit1;
  Timer Timer1;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  void FormCreate();
  void FormClose();
  void FormMouseDown(UINT button);
  void Timer1Timer();
  void N1Click();
  void AboutA1Click();
  void Exit1Click();
  void OnTrayMessage(LPARAM lParam);

  void AddTrayIcon();
  void RemoveTrayIcon();
  void PopupAtCursor();
  bool DrawPicture();
  void CopyPictureTo(HDC dc);
  void PrepareSheet(HDC screen);
  void DrawSprite(int index, SpritePoint centre);
  void SavePosition();

  HINSTANCE instance_;
  HWND hwnd_ = nullptr;
  std::wstring positionFile_;
  WindowPosition position_;
  bool positionUnread_ = false;  // the file is there but another program kept it from us
  UINT taskbarCreated_ = 0;
  Icon trayIcon_;
  bool trayAdded_ = false;
  UINT trayRetryMs_ = kTrayRetryMs;
  bool closed_ = false;
  Gdi<HFONT> timeFont_;
  // The off-screen picture: the bitmap outlives the DC's selection of it.
  Gdi<HBITMAP> pictureBitmap_;
  MemoryDc picture_;
  std::unique_ptr<Selection> pictureSelection_;
  // What each tick copies from, selected once: the illustration at the top; below it the three
  // sprites with their key colour made black, and below those their masks, white where the key
  // was.
  Gdi<HBITMAP> sheetBitmap_;
  MemoryDc sheet_;
  std::unique_ptr<Selection> sheetSelection_;
  Frame shown_;  // what the off-screen picture holds
};
