#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "app/commands.h"
#include "app/mainwindow.h"
#include "app/placement.h"
#include "framework/app.h"
#include "res/resource.h"
#include "ui/sound_lists.h"
#include "win/system.h"

namespace {

// The files beside the program that the clock writes; Illust.ini is only read.
const std::vector<const wchar_t*> kWrittenFiles = {L"Sound.ini", L"Message.ini", L"Show.ini"};

CProfile& Profile() { return CApplication::Current()->Profile(); }

// A placement value; a stored -1 (a window one pixel past the left edge) is a value too.
std::optional<int> ReadPlacementValue(const wchar_t* name) {
  int value = Profile().GetInt(kSettingsSection, name, -1);
  if (value != -1) return value;
  if (Profile().GetInt(kSettingsSection, name, 0) == 0) return std::nullopt;
  return -1;
}

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, RECT*, LPARAM data) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  if (GetMonitorInfoW(monitor, &info)) {
    auto* list = reinterpret_cast<std::vector<MonitorArea>*>(data);
    const RECT& b = info.rcMonitor;
    const RECT& w = info.rcWork;
    list->push_back({{b.left, b.top, b.right, b.bottom}, {w.left, w.top, w.right, w.bottom}});
  }
  return TRUE;
}

}  // namespace

bool CMainwindow::LoadSettings() {
  settings_ = ReadClockSettings(Profile());
  ApplyFullWindow();
  ApplyStayOnTop();
  HMENU menu = GetSystemMenu(hwnd(), FALSE);
  if (settings_.StayDesktop) CheckMenuItem(menu, kCmdStayDesktop, MF_BYCOMMAND | MF_CHECKED);
  if (settings_.RunAwayMouse) CheckMenuItem(menu, kCmdRunAway, MF_BYCOMMAND | MF_CHECKED);

  LoadFiles();
  std::srand(static_cast<unsigned>(std::time(nullptr)));
  PlayRandomSound(sounds_.BootSounds);
  illusts_.ChooseFirst();

  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(hwnd(), &placement);
  std::optional<StoredPlacement> stored = ReadPlacement(ReadPlacementValue);
  if (!stored) return false;
  ClampToScreen(*stored, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON));

  // The normal position counts from the primary work area; the window keeps its fixed size
  // whatever right and bottom say.
  RECT work{}, frame{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  GetWindowRect(hwnd(), &frame);
  Box window{stored->x1 + work.left, stored->y1 + work.top, 0, 0};
  window.right = window.left + (frame.right - frame.left);
  window.bottom = window.top + (frame.bottom - frame.top);
  std::vector<MonitorArea> monitors;
  EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (auto shift = ShiftOntoMonitor(window, monitors)) {
    stored->x1 += shift->first;
    stored->x2 += shift->first;
    stored->y1 += shift->second;
    stored->y2 += shift->second;
  }
  placement.flags = static_cast<UINT>(stored->flags);
  placement.showCmd = static_cast<UINT>(stored->showCmd);
  placement.rcNormalPosition = {stored->x1, stored->y1, stored->x2, stored->y2};
  SetWindowPlacement(hwnd(), &placement);
  return true;
}

void CMainwindow::LoadFiles() {
  files_.Load(L"Sound.ini", [this](const std::string& bytes) {
    if (!sounds_.Read(bytes)) {
      files_.MarkUnrecognised(L"Sound.ini",
                              L"1行目が [Boot]、[Exit]、[Time]、[Away] のどれでもなく、"
                              L"サウンドの一覧として読めません。");
    }
  });
  files_.Load(L"Message.ini", [this](const std::string& bytes) { alarms_.Read(bytes); });
  RebuildHourMessages();
  std::string catalogue, flags;
  files_.Load(L"Illust.ini", [&](const std::string& bytes) { catalogue = bytes; });
  files_.Load(L"Show.ini", [&](const std::string& bytes) { flags = bytes; });
  illusts_.Read(catalogue, flags);
  // Flags written without their names would lose every flag.
  if (files_.Unread(L"Illust.ini") && !files_.Unread(L"Show.ini")) files_.MarkUnread(L"Show.ini");
  files_.FinishLoading(kWrittenFiles, [this](const std::wstring& name) { return FileBytes(name); });
}

// What a save writes into one of the files beside the program now.
std::string CMainwindow::FileBytes(const std::wstring& name) const {
  if (name == L"Sound.ini") return sounds_.Bytes();
  if (name == L"Show.ini") return illusts_.FlagBytes();
  if (name == L"Message.ini") return alarms_.Bytes();
  return {};  // Illust.ini is never written
}

void CMainwindow::SaveSettings(bool tellUser) {
  CProfile& profile = Profile();
  bool ok = WriteClockSettings(profile, settings_);  // the registry took every value

  files_.ForgetSaveFailures();
  for (const wchar_t* name : kWrittenFiles) files_.Save(name, FileBytes(name));

  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(hwnd(), &placement);
  const RECT& r = placement.rcNormalPosition;
  const int values[6] = {static_cast<int>(placement.flags), static_cast<int>(placement.showCmd),
                         static_cast<int>(r.left),          static_cast<int>(r.top),
                         static_cast<int>(r.right),         static_cast<int>(r.bottom)};
  for (int i = 0; i < 6; ++i)
    ok &= profile.WriteInt(kSettingsSection, kPlacementValues[i], values[i]);

  if (tellUser) files_.ReportSaveFailures(hwnd(), ok);
}

void CMainwindow::ReportUnreadFiles() { files_.ReportUnread(hwnd()); }

void CMainwindow::ApplyFullWindow() {
  LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
  HMENU menu = GetSystemMenu(hwnd(), FALSE);
  const bool bare = settings_.FullWindow != 0;
  style = bare ? style & ~WS_CAPTION : style | WS_CAPTION;
  SetWindowLongW(hwnd(), GWL_STYLE, style);
  ModifyMenuW(menu, kCmdHideTitle, MF_BYCOMMAND | MF_STRING, kCmdHideTitle,
              bare ? L"タイトルバーを表示(&T)" : L"タイトルバーを隠す(&T)");
  SIZE size = FrameSize();
  SetWindowPos(hwnd(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(hwnd(), nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void CMainwindow::ApplyStayOnTop() {
  SetWindowPos(hwnd(), settings_.StayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  CheckMenuItem(GetSystemMenu(hwnd(), FALSE), kCmdStayOnTop,
                MF_BYCOMMAND | (settings_.StayOnTop ? MF_CHECKED : MF_UNCHECKED));
}

void CMainwindow::RecheckIllusts() {
  illusts_.Recheck();
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CMainwindow::RebuildHourMessages() { alarms_.RebuildHourMessages(clock_()); }

void CMainwindow::ShowProperties() {
  SheetValues values;
  values.Settings = settings_;
  values.IllustNames = illusts_.IllustNames;
  values.IllustShown = illusts_.IllustShown;
  values.Sounds[kBootSound] = sounds_.BootSounds;
  values.Sounds[kExitSound] = sounds_.ExitSounds;
  values.Sounds[kTimeSound] = sounds_.TimeSounds;
  values.Sounds[kAwaySound] = sounds_.AwaySounds;
  values.Messages = alarms_.Messages;
  // Show now puts the picture on the clock at once, outside OK and Cancel.
  auto showNow = [this](int index, const std::string& name) {
    illusts_.CurrentIllust = index;
    illusts_.IllustName = name;
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  };
  // Made with the first sheet and kept for the next: each sheet's list and tree only borrow it.
  if (!iconList_) {
    iconList_.reset(ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 10, 10));
    for (int id : {IDI_EVENT, IDI_SOUND, IDI_MESSAGE, IDI_MESSAGE_SOUND}) {
      Icon icon(static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                              IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR)));
      ImageList_AddIcon(iconList_.get(), icon.get());
    }
  }
  CMyPropertySheet sheet(hwnd(), IconList(), showNow,
                         [this](const SheetValues& confirmed) { TakeSettings(confirmed); });
  sheet.CopyIn(values);
  sheet.Run();
}

void CMainwindow::TakeSettings(const SheetValues& values) {
  settings_.SecondHand = values.Settings.SecondHand;
  settings_.TitleFace = values.Settings.TitleFace;
  settings_.FontFace = values.Settings.FontFace;
  settings_.FontSize = values.Settings.FontSize;
  settings_.UpdateIllust = values.Settings.UpdateIllust;
  settings_.UpdateTime = values.Settings.UpdateTime;
  illusts_.IllustShown = values.IllustShown;
  // An illustration no longer shown gives way to a random shown one, and the face is redrawn.
  RecheckIllusts();
  sounds_.BootSounds = values.Sounds[kBootSound];
  sounds_.ExitSounds = values.Sounds[kExitSound];
  sounds_.TimeSounds = values.Sounds[kTimeSound];
  sounds_.AwaySounds = values.Sounds[kAwaySound];
  alarms_.Messages = values.Messages;
  RebuildHourMessages();
  UpdateTooltip();
  // What the user confirmed goes to disk at once, so a crash later in the run cannot lose it.
  SaveSettings(true);
}
