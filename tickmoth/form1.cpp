#include "form1.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "line_file.h"
#include "res/resource.h"
#include "win/probe.h"
#include "win/system.h"

namespace {

constexpr wchar_t kApplicationTitle[] = L"Orvane";
constexpr UINT kTrayId = 1;
constexpr int kTimePoints = 15;
constexpr POINT kTimeShadow{41, 31};
constexpr POINT kTimeText{40, 30};
// The caption's move command: the system's own drag loop follows the mouse.
constexpr WPARAM kMoveByCaption = SC_MOVE | HTCAPTION;

Gdi<HBITMAP> LoadBitmapResource(HINSTANCE instance, int id) {
  return Gdi<HBITMAP>(LoadBitmapW(instance, MAKEINTRESOURCEW(id)));
}

BITMAPINFO SpriteFormat() {
  BITMAPINFO bmi{};
  bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
  bmi.bmiHeader.biWidth = kSpriteSize;
  bmi.bmiHeader.biHeight = -kSpriteSize;  // top-down
  bmi.bmiHeader.biPlanes = 1;
  bmi.bmiHeader.biBitCount = 32;
  bmi.bmiHeader.biCompression = BI_RGB;
  return bmi;
}

}  // namespace

bool MenuItem::Checked() const { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

void MenuItem::SetChecked(bool checked) const {
  CheckMenuItem(menu, id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

TForm1::TForm1(HINSTANCE instance)
    : instance_(instance), taskbarCreated_(RegisterWindowMessageW(L"TaskbarCreated")) {}

TForm1::~TForm1() {
  if (hwnd_) DestroyWindow(hwnd_);
}

bool TForm1::Create() {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance_;
  wc.hIcon = LoadIconW(instance_, MAKEINTRESOURCEW(IDI_TICKMOTH));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = kClassName;
  // A test process may make the form more than once.
  if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return false;

  positionFile_ = PositionFileName(GetModulePath());
  std::optional<std::string> stored = ReadFileBytes(positionFile_);
  positionUnread_ = !stored && GetFileAttributesW(positionFile_.c_str()) != INVALID_FILE_ATTRIBUTES;
  position_ = ReadPosition(stored ? *stored : std::string());
  // A position no monitor shows any more (a screen unplugged, a hand-edited file) would leave
  // a window that cannot be reached to drag it back.
  if (!IsReachable(position_, MonitorRects())) position_ = {};

  // A tool window has no taskbar button and needs no hidden owner window to achieve that.
  CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, kClassName, kApplicationTitle, WS_POPUP,
                  position_.x, position_.y, kPictureSize, kPictureSize, nullptr, nullptr, instance_,
                  this);
  return hwnd_ != nullptr;
}

void TForm1::Show(int command) {
  ShowWindow(hwnd_, command);
  // Started minimized or maximized (a shortcut set so, or Windows applying the starter's choice
  // to the first show): without a taskbar button the window could never be restored, and a
  // maximized one would cover the screen. It shows normally.
  if (IsIconic(hwnd_) || IsZoomed(hwnd_)) ShowWindow(hwnd_, SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd_);
}

LRESULT CALLBACK TForm1::WindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_NCCREATE) {
    auto* form = static_cast<TForm1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<TForm1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!form) return DefWindowProcW(hwnd, msg, wParam, lParam);
  LRESULT result;
  if (AnswerProbe(msg, wParam, result)) return result;
  try {
    result = form->OnMessage(msg, wParam, lParam);
  } catch (...) {
    // No exception may unwind through the system's dispatcher. One during creation fails it:
    // a form without its timer or picture is no clock.
    if (msg == WM_NCCREATE) return FALSE;
    if (msg == WM_CREATE) return -1;
    result = DefWindowProcW(hwnd, msg, wParam, lParam);
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    form->hwnd_ = nullptr;
  }
  return result;
}

LRESULT TForm1::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      FormCreate();
      return 0;
    case WM_TIMER:
      if (wParam == Timer1.id) Timer1Timer();
      if (wParam == kTrayRetryTimer) AddTrayIcon();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      // Puts back the last tick's picture when the window is uncovered; it does not redraw it.
      PaintDc paint(hwnd_);
      CopyPictureTo(paint.get());
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
      FormMouseDown(msg);
      return 0;
    case WM_XBUTTONDOWN:
      FormMouseDown(msg);
      return TRUE;
    case WM_COMMAND: {
      UINT id = LOWORD(wParam);
      if (id == N1.id) N1Click();
      if (id == AboutA1.id) AboutA1Click();
      if (id == Exit1.id) Exit1Click();
      return 0;
    }
    case kTrayMessage:
      OnTrayMessage(lParam);
      return 0;
    case WM_CLOSE:
      FormClose();
      DestroyWindow(hwnd_);
      return 0;
    case WM_ENDSESSION:
      // The process ends without a WM_CLOSE when Windows logs off or shuts down.
      if (wParam) FormClose();
      return 0;
    case WM_DESTROY:
      Timer1.Stop();
      RemoveTrayIcon();
      PostQuitMessage(0);
      return 0;
    default:
      if (taskbarCreated_ && msg == taskbarCreated_) {
        // Explorer restarted and forgot every notification icon.
        trayAdded_ = false;
        AddTrayIcon();
        return 0;
      }
      return DefWindowProcW(hwnd_, msg, wParam, lParam);
  }
}

void TForm1::FormCreate() {
  Image1 = LoadBitmapResource(instance_, IDB_ILLUST);
  imageH = LoadBitmapResource(instance_, IDB_HOUR);
  ImageM = LoadBitmapResource(instance_, IDB_MINUTE);
  ImageS = LoadBitmapResource(instance_, IDB_SECOND);

  // The resource menu is a bar holding one popup; keep the popup and let the bar go.
  Menu bar(LoadMenuW(instance_, MAKEINTRESOURCEW(IDM_POPUP)));
  PopupMenu1.reset(GetSubMenu(bar.get(), 0));
  RemoveMenu(bar.get(), 0, MF_BYPOSITION);
  N1 = {PopupMenu1.get(), IDM_N1};
  AboutA1 = {PopupMenu1.get(), IDM_ABOUT_A1};
  Exit1 = {PopupMenu1.get(), IDM_EXIT1};

  AddTrayIcon();

  Gdi<HRGN> round(CreateEllipticRgn(0, 0, kPictureSize, kPictureSize));
  if (SetWindowRgn(hwnd_, round.get(), TRUE)) round.release();  // the system owns it now

  WindowDc screen(hwnd_);
  pictureBitmap_.reset(CreateCompatibleBitmap(screen.get(), kPictureSize, kPictureSize));
  picture_.reset(CreateCompatibleDC(screen.get()));
  pictureSelection_ = std::make_unique<Selection>(picture_.get(), pictureBitmap_.get());
  timeFont_.reset(CreateFontW(-MulDiv(kTimePoints, GetDeviceCaps(screen.get(), LOGPIXELSY), 72), 0,
                              0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH | FF_DONTCARE, L"ＭＳ Ｐゴシック"));
  SetBkMode(picture_.get(), TRANSPARENT);
  PrepareSheet(screen.get());
  // The first picture is ready before the window shows, not a second later.
  DrawPicture();

  Timer1 = {hwnd_, 1, 1000};
  Timer1.Start();
}

void TForm1::FormClose() {
  if (closed_) return;
  closed_ = true;
  SavePosition();
  RemoveTrayIcon();
}

void TForm1::FormMouseDown(UINT button) {
  if (button == WM_LBUTTONDOWN) {
    ReleaseCapture();
    SendMessageW(hwnd_, WM_SYSCOMMAND, kMoveByCaption, 0);
  } else {
    PopupAtCursor();
  }
}

void TForm1::Timer1Timer() {
  if (!DrawPicture()) return;
  WindowDc window(hwnd_);
  CopyPictureTo(window.get());
}

void TForm1::N1Click() { N1.SetChecked(!N1.Checked()); }

void TForm1::AboutA1Click() {
  const wchar_t* text = nullptr;
  int length = LoadStringW(instance_, IDS_ABOUT, reinterpret_cast<LPWSTR>(&text), 0);
  std::wstring about(text ? text : L"", text ? length : 0);
  MessageBoxW(hwnd_, about.c_str(), kApplicationTitle, MB_OK | MB_ICONINFORMATION);
}

void TForm1::Exit1Click() { SendMessageW(hwnd_, WM_CLOSE, 0, 0); }

void TForm1::OnTrayMessage(LPARAM lParam) {
  if (LOWORD(lParam) == WM_RBUTTONDOWN) PopupAtCursor();
}

void TForm1::AddTrayIcon() {
  if (!trayIcon_) {
    trayIcon_.reset(static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(IDI_TICKMOTH),
                                                  IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                                                  GetSystemMetrics(SM_CYSMICON), 0)));
  }
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = hwnd_;
  data.uID = kTrayId;
  data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  data.uCallbackMessage = kTrayMessage;
  data.hIcon = trayIcon_.get();
  wcscpy_s(data.szTip, kApplicationTitle);
  // At sign-in the shell may not be ready yet and time out: the timer tries again. An icon it
  // took while reporting the time-out is there already and takes a change instead.
  trayAdded_ = notifyIcon(NIM_ADD, &data) || notifyIcon(NIM_MODIFY, &data);
  if (trayAdded_) {
    KillTimer(hwnd_, kTrayRetryTimer);
    trayRetryMs_ = kTrayRetryMs;
  } else {
    // Each try with a hung shell blocks for seconds: the tries grow further apart.
    SetTimer(hwnd_, kTrayRetryTimer, trayRetryMs_, nullptr);
    trayRetryMs_ = std::min(trayRetryMs_ * 2, kTrayRetryMaxMs);
  }
}

void TForm1::RemoveTrayIcon() {
  if (!trayAdded_) return;
  NOTIFYICONDATAW data{};
  data.cbSize = sizeof data;
  data.hWnd = hwnd_;
  data.uID = kTrayId;
  notifyIcon(NIM_DELETE, &data);
  trayAdded_ = false;
}

void TForm1::PopupAtCursor() {
  POINT at;
  GetCursorPos(&at);
  // Without the foreground the menu would not close when the user clicks elsewhere.
  SetForegroundWindow(hwnd_);
  TrackPopupMenu(PopupMenu1.get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, hwnd_, nullptr);
  PostMessageW(hwnd_, WM_NULL, 0, 0);
}

// Each sprite is read once and kept beside the illustration, so a tick selects no bitmap and
// makes no temporary DC or mask: under Wine those cost server round trips every second.
void TForm1::PrepareSheet(HDC screen) {
  sheetBitmap_.reset(CreateCompatibleBitmap(screen, kPictureSize, kPictureSize + 2 * kSpriteSize));
  sheet_.reset(CreateCompatibleDC(screen));
  if (!sheetBitmap_ || !sheet_) return;
  sheetSelection_ = std::make_unique<Selection>(sheet_.get(), sheetBitmap_.get());
  {
    MemoryDc source(CreateCompatibleDC(screen));
    Selection illustration(source.get(), Image1.get());
    BitBlt(sheet_.get(), 0, 0, kPictureSize, kPictureSize, source.get(), 0, 0, SRCCOPY);
  }
  BITMAPINFO format = SpriteFormat();
  int x = 0;
  for (HBITMAP sprite : {imageH.get(), ImageM.get(), ImageS.get()}) {
    std::vector<uint32_t> colour(kSpriteSize * kSpriteSize), mask(colour.size());
    MemoryDc memory(CreateCompatibleDC(screen));
    if (sprite && GetDIBits(memory.get(), sprite, 0, kSpriteSize, colour.data(), &format,
                            DIB_RGB_COLORS) == kSpriteSize) {
      // The key is the sprite's bottom-left pixel, black in our artwork.
      const uint32_t key = colour[(kSpriteSize - 1) * kSpriteSize];
      for (size_t i = 0; i < colour.size(); ++i) {
        mask[i] = colour[i] == key ? 0xFFFFFF : 0;
        if (colour[i] == key) colour[i] = 0;
      }
    } else {
      // A sprite that cannot be read is left out, as a failed transparent copy would leave it.
      std::fill(colour.begin(), colour.end(), 0);
      std::fill(mask.begin(), mask.end(), 0xFFFFFF);
    }
    SetDIBitsToDevice(sheet_.get(), x, kPictureSize, kSpriteSize, kSpriteSize, 0, 0, 0, kSpriteSize,
                      colour.data(), &format, DIB_RGB_COLORS);
    SetDIBitsToDevice(sheet_.get(), x, kPictureSize + kSpriteSize, kSpriteSize, kSpriteSize, 0, 0,
                      0, kSpriteSize, mask.data(), &format, DIB_RGB_COLORS);
    x += kSpriteSize;
  }
}

// Draws the frame of the current second into the off-screen picture; false when that frame is
// already there.
bool TForm1::DrawPicture() {
  HDC picture = picture_.get();
  if (!picture || !sheet_) return false;
  SYSTEMTIME st;
  GetLocalTime(&st);
  const bool timeText = N1.Checked();
  if (!TakeNewFrame(shown_, {st.wHour, st.wMinute, st.wSecond, timeText})) return false;

  BitBlt(picture, 0, 0, kPictureSize, kPictureSize, sheet_.get(), 0, 0, SRCCOPY);
  if (timeText) {
    wchar_t text[80];
    // The user's own time format, in 24 hours and without the AM/PM marker: with the marker a
    // text such as "12:00:00 PM" runs off the round window; a Japanese system's default has none.
    int n = GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_FORCE24HOURFORMAT | TIME_NOTIMEMARKER, &st,
                           nullptr, text, 80);
    if (n > 1) {
      Selection font(picture, timeFont_.get());
      SetTextColor(picture, RGB(0, 0, 0));
      TextOutW(picture, kTimeShadow.x, kTimeShadow.y, text, n - 1);
      SetTextColor(picture, RGB(255, 255, 255));
      TextOutW(picture, kTimeText.x, kTimeText.y, text, n - 1);
    }
  }

  LocalTime now;
  now.hour = st.wHour;
  now.minute = st.wMinute;
  now.second = st.wSecond;
  SpriteCentres centres = SpriteCentresAt(now);
  DrawSprite(0, centres.hour);
  DrawSprite(1, centres.minute);
  DrawSprite(2, centres.second);
  return true;
}

// Transparent by mask: the mask keeps the picture where the key was, then the sprite's own
// pixels go in where it was not.
void TForm1::DrawSprite(int index, SpritePoint centre) {
  SpritePoint corner = SpriteCorner(centre);
  const int x = index * kSpriteSize;
  BitBlt(picture_.get(), corner.x, corner.y, kSpriteSize, kSpriteSize, sheet_.get(), x,
         kPictureSize + kSpriteSize, SRCAND);
  BitBlt(picture_.get(), corner.x, corner.y, kSpriteSize, kSpriteSize, sheet_.get(), x,
         kPictureSize, SRCPAINT);
}

void TForm1::CopyPictureTo(HDC dc) {
  if (picture_) BitBlt(dc, 0, 0, kPictureSize, kPictureSize, picture_.get(), 0, 0, SRCCOPY);
}

void TForm1::SavePosition() {
  RECT frame;
  if (!GetWindowRect(hwnd_, &frame)) return;
  // A file that could not be read at start holds a position we never saw: only one the user
  // chose by moving the window replaces it.
  if (positionUnread_ && frame.left == position_.x && frame.top == position_.y) return;
  std::optional<std::string> existing = ReadFileBytes(positionFile_);
  // Rewritten without its other lines, an unreadable file would lose them.
  if (!existing && GetFileAttributesW(positionFile_.c_str()) != INVALID_FILE_ATTRIBUTES) return;
  // The picture clock shows no message for a failed save; the old file stays whole.
  static_cast<void>(WriteFileBytes(
      positionFile_, WritePosition(existing ? *existing : std::string(), {frame.left, frame.top})));
}
