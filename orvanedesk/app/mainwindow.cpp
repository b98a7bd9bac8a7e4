#include "app/mainwindow.h"

#include <windowsx.h>

#include <cstdlib>

#include "alarms/message_popup.h"
#include "app/commands.h"
#include "cp932.h"
#include "framework/app.h"
#include "res/resource.h"

namespace {

constexpr UINT_PTR kTickTimer = 1;
// Posted at creation, so handled once the window has first painted.
constexpr UINT kFinishStartMessage = WM_APP + 1;
constexpr wchar_t kClassName[] = L"OrvaneDeskClock";

}  // namespace

CMainwindow::CMainwindow(Clock clock) : CMainwindow(clock, clock()) {}

CMainwindow::CMainwindow(Clock clock, const LocalTime& start)
    : clock_(std::move(clock)), alarms_(start), tick_(InitialTickState(start)) {}

bool CMainwindow::Create() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_ORVANE));
  wc.lpszClassName = kClassName;
  if (!RegisterClass(wc)) return false;
  return CreateEx(0, kClassName, L"Orvane", WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr);
}

LRESULT CMainwindow::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CREATE:
      return OnCreate() ? 0 : -1;
    case WM_TIMER:
      if (wParam == kTickTimer) OnTick();
      return 0;
    case kFinishStartMessage:
      // The tooltip is the one common control the clock has: made after the first paint, it
      // keeps the common controls' library out of the start.
      tooltip_ = CreateTooltip(hwnd(), TTS_ALWAYSTIP);
      if (tooltip_) AddTooltipTool(tooltip_, hwnd(), hwnd(), L"Orvane");
      return 0;
    case WM_PAINT:
      OnPaint();
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_ENDSESSION:
      // The session ends without a close: this is the last chance to keep the settings.
      if (wParam) SaveSettings(false);
      break;
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      SIZE size = FrameSize();
      info->ptMinTrackSize = {size.cx, size.cy};
      info->ptMaxTrackSize = info->ptMinTrackSize;
      return 0;
    }
    case WM_NCHITTEST: {
      // While the primary button is down the face acts as the caption, so it drags the window.
      // The key state is of the physical button: with the buttons swapped the primary is the
      // right one.
      LRESULT hit = Default(msg, wParam, lParam);
      int primary = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
      if (hit == HTCLIENT && (GetAsyncKeyState(primary) & 0x8000)) hit = HTCAPTION;
      return hit;
    }
    case WM_SYSCOMMAND:
      // The system uses the low four bits of a command itself.
      if (OnOwnCommand(static_cast<UINT>(wParam & 0xFFF0))) return 0;
      break;
    case WM_MOUSEMOVE:
      OnMouseMove(static_cast<unsigned>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
      break;
    case WM_NCLBUTTONDBLCLK:
      // Only the caption itself: a double-click on the icon closes the window by default.
      if (wParam == HTCAPTION) {
        settings_.FullWindow = !settings_.FullWindow;
        ApplyFullWindow();
      }
      break;
    case WM_CONTEXTMENU: {
      POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      RECT client;
      GetClientRect(hwnd(), &client);
      MapWindowPoints(hwnd(), nullptr, reinterpret_cast<POINT*>(&client), 2);
      if (PtInRect(&client, at)) {
        ShowSystemMenuPopup(at);
        return 0;
      }
      break;
    }
    case WM_NCRBUTTONDOWN: {
      POINT at;
      GetCursorPos(&at);
      ShowSystemMenuPopup(at);
      return 0;
    }
    case MM_MCINOTIFY:
      if (sounds_.Ended(wParam, lParam)) OnSoundDone();
      return 0;
  }
  return Default(msg, wParam, lParam);
}

bool CMainwindow::OnCreate() {
  if (!SetTimer(hwnd(), kTickTimer, 1000, nullptr)) {
    MessageBoxW(hwnd(), L"タイマーの設定に失敗しました。", L"エラー", MB_OK | MB_ICONSTOP);
    return false;
  }
  HMENU menu = GetSystemMenu(hwnd(), FALSE);
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kCmdProperties, L"プロパティ(&R)...");
  AppendMenuW(menu, MF_STRING, kCmdHideTitle, L"タイトルバーを隠す(&T)");
  AppendMenuW(menu, MF_STRING, kCmdRunAway, L"マウスから逃げる(&E)");
  AppendMenuW(menu, MF_STRING, kCmdStayDesktop, L"デスクトップに常駐(&D)");
  AppendMenuW(menu, MF_STRING, kCmdStayOnTop, L"常に手前に表示(&O)");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING, kCmdAbout, L"バージョン情報(&A)...");
  PostMessageW(hwnd(), kFinishStartMessage, 0, 0);
  return true;
}

void CMainwindow::OnTick() {
  TickInputs in;
  in.now = clock_();
  in.secondHand = settings_.SecondHand != 0;
  in.minimized = IsIconic(hwnd()) != FALSE;
  in.fewIllusts = illusts_.FewIllusts;
  in.updateIllust = settings_.UpdateIllust != 0;
  in.updateTime = settings_.UpdateTime;
  TickPlan plan = PlanTick(tick_, in);
  if (plan.timeSignal) PlayRandomSound(sounds_.TimeSounds);
  if (plan.setTitle) {
    SetWindowTextW(hwnd(), plan.title.c_str());
    timeText_ = plan.timeText;
  }
  // Alarms run minimized or not: they do not depend on how the window looks. They come after
  // the title, so a popup never shows beside the minute before its own.
  CMessagePopup::Open(alarms_.Tick(in.now));
  if (plan.steps.empty()) return;

  WindowDc dc(hwnd());
  RECT client;
  GetClientRect(hwnd(), &client);
  // The face mapping is set up only for steps that need it: under Wine it costs more than the
  // rest of a plain second's tick, which moves only the second hand.
  bool mapped = false;
  auto face = [&] {
    if (!mapped) MapToFace(dc.get());
    mapped = true;
    return dc.get();
  };
  for (const TickStep& step : plan.steps) {
    switch (step.kind) {
      case TickStep::RotateIllust:
        illusts_.Next();
        break;
      case TickStep::DrawFace:
        DrawFace(face());
        break;
      case TickStep::DrawHands:
        DrawHand(face(), kHourHand, HourHandAngle(step.value, step.value2), RGB(0, 0, 0));
        DrawHand(face(), kMinuteHand, MinuteHandAngle(step.value2), RGB(0, 0, 0));
        break;
      case TickStep::DrawSecondHand:
        if (mapped || !DrawSecondHandPixels(dc.get(), step.value, {client.right, client.bottom})) {
          DrawSecondHand(face(), SecondHandAngle(step.value), RGB(0, 0, 0));
        }
        break;
      case TickStep::UpdateTooltip:
        UpdateTooltip();
        break;
    }
  }
}

void CMainwindow::OnPaint() {
  PaintDc dc(hwnd());
  MapToFace(dc.get());
  DrawFace(dc.get());
  DrawHand(dc.get(), kHourHand, HourHandAngle(tick_.LastHour, tick_.LastMinute), RGB(0, 0, 0));
  DrawHand(dc.get(), kMinuteHand, MinuteHandAngle(tick_.LastMinute), RGB(0, 0, 0));
  DrawSecondHand(dc.get(), SecondHandAngle(tick_.LastSecond), RGB(0, 0, 0));
}

void CMainwindow::UpdateTooltip() {
  if (!tooltip_) return;
  std::wstring wide = Cp932ToWide(TooltipText());
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = hwnd();
  tool.uId = reinterpret_cast<UINT_PTR>(hwnd());
  tool.lpszText = wide.data();
  SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
  SendMessageW(tooltip_, TTM_UPDATE, 0, 0);
}

bool CMainwindow::PreTranslateMessage(MSG* msg) {
  if (tooltip_) SendMessageW(tooltip_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
  return false;
}

void CMainwindow::PlayRandomSound(const std::vector<std::string>& sounds) {
  sounds_.PlayRandom(hwnd(), sounds);
}

std::string CMainwindow::TooltipText() const {
  return illusts_.CurrentIllust == kNoIllust ? timeText_ : timeText_ + " - " + illusts_.IllustName;
}

void CMainwindow::OnSoundDone() {
  if (closing_) FinishClose();
}

void CMainwindow::OnClose() {
  closing_ = true;
  if (!sounds_.ExitSounds.empty()) {
    PlayRandomSound(sounds_.ExitSounds);
    // Any sound still playing holds the close until its completion notice.
    if (sounds_.Playing()) return;
  }
  FinishClose();
}

void CMainwindow::FinishClose() {
  // A close requested again while a failed save's message is open must not save twice.
  if (finishingClose_) return;
  finishingClose_ = true;
  SaveSettings(true);
  KillTimer(hwnd(), kTickTimer);
  iconList_.reset();
  DefaultClose();
}

// The window size that gives the face its whole client area, with or without the title bar:
// captions and borders differ between systems (Windows 10's are larger than the classic ones).
SIZE CMainwindow::FrameSize() const {
  LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
  style = settings_.FullWindow ? style & ~WS_CAPTION : style | WS_CAPTION;
  RECT frame{0, 0, kFaceWidth, kFaceHeight};
  AdjustWindowRectEx(&frame, static_cast<DWORD>(style), FALSE,
                     static_cast<DWORD>(GetWindowLongW(hwnd(), GWL_EXSTYLE)));
  return {frame.right - frame.left, frame.bottom - frame.top};
}

void CMainwindow::UpdateSysMenu(HMENU menu) {
  if (IsIconic(hwnd())) return;
  EnableMenuItem(menu, SC_RESTORE, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(menu, SC_MOVE, MF_BYCOMMAND | MF_ENABLED);
  EnableMenuItem(menu, SC_SIZE, MF_BYCOMMAND | MF_GRAYED);
  EnableMenuItem(menu, SC_MINIMIZE, MF_BYCOMMAND | MF_ENABLED);
  EnableMenuItem(menu, SC_MAXIMIZE, MF_BYCOMMAND | MF_GRAYED);
  SetMenuDefaultItem(menu, kCmdHideTitle, FALSE);
}

void CMainwindow::ShowSystemMenuPopup(POINT at) {
  HMENU menu = GetSystemMenu(hwnd(), FALSE);
  UpdateSysMenu(menu);
  UINT command =
      TrackPopupMenu(menu, TPM_RIGHTBUTTON | TPM_RETURNCMD, at.x, at.y, 0, hwnd(), nullptr);
  if (command > 0) SendMessageW(hwnd(), WM_SYSCOMMAND, command, 0);
}
