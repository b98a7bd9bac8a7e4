#include "alarms/message_popup.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

#include "cp932.h"
#include "framework/window.h"
#include "res/resource.h"

namespace {

constexpr char kSoundOnlyText[] = "SOUND ONLY";
constexpr UINT kTitleFormat = DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER;  // 0x824
constexpr UINT kMessageFormat = DT_NOPREFIX | DT_WORDBREAK;              // 0x810
constexpr UINT kRedrawNow = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW;  // 0x105
// Posted to itself when a sound-only page has nothing to play, to go on to the next.
constexpr UINT kAdvanceMessage = WM_APP + 1;
constexpr wchar_t kFace[] = L"\xff2d\xff33 \xff30\x30b4\x30b7\x30c3\x30af";  // ＭＳ Ｐゴシック

HFONT CreatePointFont(int tenthsOfPoint) {
  HDC screen = GetDC(nullptr);
  int height = -MulDiv(tenthsOfPoint, GetDeviceCaps(screen, LOGPIXELSY), 720);
  ReleaseDC(nullptr, screen);
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0,
                     kFace);
}

void SetText(HWND control, const std::string& cp932) {
  SetWindowTextW(control, Cp932ToWide(cp932).c_str());
}

}  // namespace

// ---- CColorLabel

CColorLabel::CColorLabel()
    : textColor(GetSysColor(COLOR_BTNTEXT)), backColor(GetSysColor(COLOR_BTNFACE)) {}

CColorLabel::~CColorLabel() {
  if (hwnd_) RemoveWindowSubclass(hwnd_, Proc, 0);
}

void CColorLabel::Attach(HWND control) {
  hwnd_ = control;
  if (hwnd_) SetWindowSubclass(hwnd_, Proc, 0, reinterpret_cast<DWORD_PTR>(this));
}

LRESULT CALLBACK CColorLabel::Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                   DWORD_PTR self) {
  auto* label = reinterpret_cast<CColorLabel*>(self);
  if (msg == WM_PAINT) {
    label->OnPaint();
    return 0;
  }
  if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, Proc, 0);
    label->hwnd_ = nullptr;
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

void CColorLabel::OnPaint() {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(hwnd_, &ps);
  RECT client;
  GetClientRect(hwnd_, &client);
  Gdi<HBRUSH> back(CreateSolidBrush(backColor));
  FillRect(dc, &client, back.get());
  SetTextColor(dc, textColor);
  SetBkColor(dc, backColor);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0)));
  int length = GetWindowTextLengthW(hwnd_);
  std::wstring text(length + 1, L'\0');
  text.resize(GetWindowTextW(hwnd_, text.data(), length + 1));
  measuredHeight = DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &client, format);
  SelectObject(dc, old);
  EndPaint(hwnd_, &ps);
}

// ---- CMessagePopup

CMessagePopup::CMessagePopup() : CDialog(IDD_MESSAGE_POPUP) {}

// The tooltip is owned by the popup's window and goes with it.
CMessagePopup::~CMessagePopup() = default;

HWND CMessagePopup::Open(const DueMessages& due) {
  if (due.records.empty()) return nullptr;
  // Held here until its window is up; one that could not be made, or closed while being made,
  // leaves the popup and its records to be freed here.
  auto popup = std::make_unique<CMessagePopup>();
  popup->records = due.records;
  popup->soundOnly = due.soundOnly;
  if (!popup->Create(nullptr) || !popup->hwnd()) return nullptr;
  popup->ownedByWindow_ = true;
  return popup.release()->hwnd();
}

BOOL CMessagePopup::OnInitDialog() {
  titleFont_.reset(
      CreateFontW(14, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, 0, 0, 0, 0, kFace));
  messageFont_.reset(CreatePointFont(90));
  timeFont_.reset(CreatePointFont(90));
  white_.reset(CreateSolidBrush(RGB(255, 255, 255)));
  title_.Attach(Item(IDC_POPUP_TITLE));
  message_.Attach(Item(IDC_POPUP_MESSAGE));
  time_.Attach(Item(IDC_POPUP_TIME));
  SendMessageW(title_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), FALSE);
  SendMessageW(message_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(messageFont_.get()), FALSE);
  SendMessageW(time_.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(timeFont_.get()), FALSE);
  title_.textColor = RGB(255, 255, 255);
  title_.backColor = RGB(0, 0, 128);
  title_.format = kTitleFormat;
  message_.textColor = RGB(0, 0, 0);
  message_.backColor = RGB(255, 255, 255);
  message_.format = kMessageFormat;
  time_.textColor = RGB(128, 128, 128);
  time_.backColor = RGB(255, 255, 255);
  playing_ = false;

  if (records.empty()) {
    AppMessageBox(hwnd(), L"メッセージがありません。", MB_OK);
    return FALSE;
  }
  // A window nobody sees gets no taskbar button or Alt+Tab entry; the style is set while the
  // dialog is still hidden, as the taskbar reads it when a window is first shown.
  if (soundOnly) {
    SetWindowLongPtrW(hwnd(), GWL_EXSTYLE,
                      GetWindowLongPtrW(hwnd(), GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
  }
  // Above the window the user works in, even when this program is not in the foreground. Done
  // before the tooltip exists: under Wine a popup placed topmost falls back behind an owned
  // window that is not.
  SetWindowPos(hwnd(), HWND_TOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  position_ = 1;
  const bool single = records.size() == 1;
  ShowWindow(Item(IDOK), single ? SW_SHOW : SW_HIDE);
  ShowWindow(Item(IDC_POPUP_NEXT), single ? SW_HIDE : SW_SHOW);
  ShowWindow(Item(IDC_POPUP_PREV), single ? SW_HIDE : SW_SHOW);
  if (!single) UpdateButtons(1);

  tooltip_ = CreateTooltip(hwnd(), 0);
  if (tooltip_) AddTooltipTool(tooltip_, hwnd(), title_.hwnd(), L"件名");

  // The window is not on screen yet, so its label cannot paint (and measure) itself: measure
  // the first message here so the first layout has a height to go by.
  {
    RECT area;
    GetClientRect(message_.hwnd(), &area);
    HDC dc = GetDC(hwnd());
    HGDIOBJ old = SelectObject(dc, messageFont_.get());
    std::wstring text = Cp932ToWide(records[0].message);
    message_.measuredHeight = DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area,
                                        DT_CALCRECT | kMessageFormat);
    SelectObject(dc, old);
    ReleaseDC(hwnd(), dc);
  }
  ShowRecord(records[0]);

  // One picture per popup, kept while paging.
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  const int pictures[] = {IDB_POPUP_PICTURE1, IDB_POPUP_PICTURE2, IDB_POPUP_PICTURE3};
  picture_.reset(static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr),
                                                 MAKEINTRESOURCEW(pictures[std::rand() % 3]),
                                                 IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
  HBITMAP previous = reinterpret_cast<HBITMAP>(
      SendDlgItemMessageW(hwnd(), IDC_POPUP_PICTURE, STM_SETIMAGE, IMAGE_BITMAP,
                          reinterpret_cast<LPARAM>(picture_.get())));
  // The template's own picture was loaded by the control, which leaves it to us once replaced.
  if (previous && previous != picture_.get()) DeleteObject(previous);
  // Opened by the timer while the user types elsewhere, it must not take the keys from that
  // work: its template is not visible, so the dialog manager does not show (and activate) it;
  // it shows here without activation, and FALSE leaves the focus alone. A click on the popup
  // activates it as usual.
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  AdvanceIfSilent();
  return FALSE;
}

void CMessagePopup::ShowRecord(const CMessageRecord& r) {
  if (HasSound(r)) {
    if (playing_) player_.Close();
    soundLive_ = player_.Play(hwnd(), r.alarm) == 0;
    playing_ = true;
  }
  if (soundOnly && !HasMessage(r)) {
    SetWindowPos(hwnd(), HWND_TOP, 0, 0, 0, 0, SWP_NOACTIVATE);
  }
  SetText(title_.hwnd(), " " + r.title);
  SetText(message_.hwnd(), HasMessage(r) ? r.message : kSoundOnlyText);
  time_.format = r.dateUnit == kDaily && r.timeUnit == kHourly ? kTitleFormat : DT_NOPREFIX;
  SetText(time_.hwnd(), CMessageSchedule().Describe(r, true));

  RedrawWindow(title_.hwnd(), nullptr, nullptr, kRedrawNow);
  message_.format |= DT_CALCRECT;
  RedrawWindow(message_.hwnd(), nullptr, nullptr, kRedrawNow);
  RedrawWindow(time_.hwnd(), nullptr, nullptr, kRedrawNow);
  RECT label;
  GetWindowRect(message_.hwnd(), &label);
  message_.format &= ~DT_CALCRECT;
  SetWindowPos(message_.hwnd(), nullptr, 0, 0, label.right - label.left, message_.measuredHeight,
               SWP_NOMOVE | SWP_NOZORDER);
  RedrawWindow(message_.hwnd(), nullptr, nullptr, kRedrawNow);
  const int h = std::max(message_.measuredHeight, 65);
  RECT window;
  GetWindowRect(hwnd(), &window);
  SetWindowPos(hwnd(), nullptr, 0, 0, window.right - window.left, h + 120,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (int id : {IDOK, IDC_POPUP_NEXT, IDC_POPUP_PREV}) {
    RECT button;
    GetWindowRect(Item(id), &button);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&button), 2);
    SetWindowPos(Item(id), nullptr, button.left, h + 65, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }

  if (tooltip_) {
    std::wstring tip = Cp932ToWide(r.title);
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = hwnd();
    tool.uId = reinterpret_cast<UINT_PTR>(title_.hwnd());
    tool.lpszText = tip.data();
    SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(tooltip_, TTM_UPDATE, 0, 0);
  }
}

void CMessagePopup::UpdateButtons(int n) {
  const int count = static_cast<int>(records.size());
  wchar_t caption[64];
  std::swprintf(caption, 64, L"メッセージ (%d/%d)", n, count);
  SetWindowTextW(hwnd(), caption);
  SetWindowTextW(Item(IDC_POPUP_NEXT), n != 1 && n == count ? L"完了(&F)" : L"次へ(&N)");
  EnableWindow(Item(IDC_POPUP_PREV), n != 1);
}

void CMessagePopup::Next() {
  if (position_ >= static_cast<int>(records.size())) {
    OnOK();
    return;
  }
  ++position_;
  ShowRecord(records[position_ - 1]);
  UpdateButtons(position_);
  AdvanceIfSilent();
}

void CMessagePopup::Prev() {
  if (position_ <= 1) return;
  --position_;
  ShowRecord(records[position_ - 1]);
  UpdateButtons(position_);
}

// A sound-only page goes on when its sound ends; one with nothing playing would wait forever,
// so it goes on at once (and the popup closes after the last).
void CMessagePopup::AdvanceIfSilent() {
  if (soundOnly && !HasMessage(records[position_ - 1]) && !soundLive_) {
    PostMessageW(hwnd(), kAdvanceMessage, 0, 0);
  }
}

void CMessagePopup::OnSoundDone() {
  player_.Close();
  playing_ = false;
  soundLive_ = false;
  if (soundOnly && GetItemText(hwnd(), IDC_POPUP_MESSAGE) == std::string(kSoundOnlyText)) Next();
}

void CMessagePopup::OnOK() { DestroyWindow(hwnd()); }

bool CMessagePopup::OnCommand(int id, int code, HWND control) {
  if (code == BN_CLICKED && id == IDC_POPUP_NEXT) {
    Next();
    return true;
  }
  if (code == BN_CLICKED && id == IDC_POPUP_PREV) {
    Prev();
    return true;
  }
  return CDialog::OnCommand(id, code, control);
}

INT_PTR CMessagePopup::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORMSGBOX:
      SetBkColor(reinterpret_cast<HDC>(wParam), RGB(255, 255, 255));
      return reinterpret_cast<INT_PTR>(white_.get());
    case MM_MCINOTIFY:
      if (player_.Ended(wParam, lParam)) OnSoundDone();
      return TRUE;
    case kAdvanceMessage:
      Next();
      return TRUE;
  }
  return CDialog::OnMessage(msg, wParam, lParam);
}

bool CMessagePopup::PreTranslateMessage(MSG* msg) {
  if (tooltip_) SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
  return false;
}
