#include <algorithm>
#include <cstdlib>
#include <ctime>

#include "alarms/message_file.h"
#include "app/commands.h"
#include "app/mainwindow.h"
#include "app/placement.h"
#include "framework/app.h"
#include "line_file.h"
#include "ui/illust_catalogue.h"
#include "ui/sound_lists.h"
#include "win/system.h"

namespace {

constexpr wchar_t kSection[] = L"Version 1.0";

CProfile& Profile() { return CApplication::Current()->Profile(); }

// A placement value; a stored -1 (a window one pixel past the left edge) is a value too.
std::optional<int> ReadPlacementValue(const wchar_t* name) {
  int value = Profile().GetInt(kSection, name, -1);
  if (value != -1) return value;
  if (Profile().GetInt(kSection, name, 0) == 0) return std::nullopt;
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
  CProfile& profile = Profile();
  HMENU menu = GetSystemMenu(hwnd(), FALSE);
  Settings.FullWindow = profile.GetInt(kSection, L"FullWindow", 0);
  ApplyFullWindow();
  Settings.StayOnTop = profile.GetInt(kSection, L"StayOnTop", 0);
  ApplyStayOnTop();
  Settings.StayDesktop = profile.GetInt(kSection, L"StayDesktop", 0);
  if (Settings.StayDesktop) CheckMenuItem(menu, kCmdStayDesktop, MF_BYCOMMAND | MF_CHECKED);
  Settings.RunAwayMouse = profile.GetInt(kSection, L"RunAwayMouse", 0);
  if (Settings.RunAwayMouse) CheckMenuItem(menu, kCmdRunAway, MF_BYCOMMAND | MF_CHECKED);

  LoadSoundLists();
  LoadMessages();
  RebuildHourMessages();
  LoadIllustCatalogue();
  // Flags written without their names would lose every flag.
  if (Unread(L"Illust.ini") && !Unread(L"Show.ini")) unread_.push_back({L"Show.ini", {}, {}});
  // A file still missing could not be made (a program folder the user may not write): left as
  // the start would have made it, it is no failure to report at close.
  for (const wchar_t* name : {L"Sound.ini", L"Message.ini", L"Show.ini"}) {
    if (!Unread(name) &&
        GetFileAttributesW((GetModuleFolder() + name).c_str()) == INVALID_FILE_ATTRIBUTES)
      unread_.push_back({name, {}, {}, true});
  }
  for (UnreadFile& file : unread_) file.startBytes = PendingBytes(file.name);

  std::srand(static_cast<unsigned>(std::time(nullptr)));
  PlayRandomSound(BootSounds);
  FewIllusts = HasFewIllusts(IllustShown);
  ChooseFirstIllust();

  Settings.SecondHand = profile.GetInt(kSection, L"SecondHand", 1);
  Settings.TitleFace = profile.GetInt(kSection, L"TitleFace", 0);
  Settings.UpdateIllust = profile.GetInt(kSection, L"UpdateIllust", 1);
  Settings.UpdateTime = profile.GetInt(kSection, L"UpdateTime", 1);
  Settings.FontFace = profile.GetString(kSection, L"FontFace", "Times New Roman");
  Settings.FontSize =
      std::clamp(profile.GetInt(kSection, L"FontSize", 7), -kMaxFontSize, kMaxFontSize);

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

void CMainwindow::SaveSettings(bool tellUser) {
  CProfile& profile = Profile();
  bool ok = true;  // the registry took every value
  ok &= profile.WriteInt(kSection, L"FullWindow", Settings.FullWindow);
  ok &= profile.WriteInt(kSection, L"StayOnTop", Settings.StayOnTop);
  ok &= profile.WriteInt(kSection, L"StayDesktop", Settings.StayDesktop);
  ok &= profile.WriteInt(kSection, L"RunAwayMouse", Settings.RunAwayMouse);
  ok &= profile.WriteInt(kSection, L"SecondHand", Settings.SecondHand);
  ok &= profile.WriteInt(kSection, L"TitleFace", Settings.TitleFace);
  ok &= profile.WriteInt(kSection, L"UpdateIllust", Settings.UpdateIllust);
  ok &= profile.WriteInt(kSection, L"UpdateTime", Settings.UpdateTime);
  ok &= profile.WriteString(kSection, L"FontFace", Settings.FontFace);
  ok &= profile.WriteInt(kSection, L"FontSize", Settings.FontSize);

  saveFailures_.clear();
  SaveSoundLists();
  SaveMessages();
  SaveShowFlags();

  WINDOWPLACEMENT placement{};
  placement.length = sizeof placement;
  GetWindowPlacement(hwnd(), &placement);
  const RECT& r = placement.rcNormalPosition;
  const int values[6] = {static_cast<int>(placement.flags), static_cast<int>(placement.showCmd),
                         static_cast<int>(r.left),          static_cast<int>(r.top),
                         static_cast<int>(r.right),         static_cast<int>(r.bottom)};
  for (int i = 0; i < 6; ++i) ok &= profile.WriteInt(kSection, kPlacementValues[i], values[i]);

  if (tellUser) ReportSaveFailures(ok);
  saveFailures_.clear();
}

void CMainwindow::ApplyFullWindow() {
  LONG style = GetWindowLongW(hwnd(), GWL_STYLE);
  HMENU menu = GetSystemMenu(hwnd(), FALSE);
  const bool bare = Settings.FullWindow != 0;
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
  SetWindowPos(hwnd(), Settings.StayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  CheckMenuItem(GetSystemMenu(hwnd(), FALSE), kCmdStayOnTop,
                MF_BYCOMMAND | (Settings.StayOnTop ? MF_CHECKED : MF_UNCHECKED));
}

void CMainwindow::LoadSoundLists() {
  std::vector<std::string> lines = LoadTextFile(L"Sound.ini");
  // Read as no sounds, such a file would be replaced by bare headers at the next close.
  if (!IsSoundIni(lines)) {
    unread_.push_back({L"Sound.ini",
                       L"1行目が [Boot]、[Exit]、[Time]、[Away] のどれでもなく、"
                       L"サウンドの一覧として読めません。",
                       {},
                       true});
    return;
  }
  SoundLists lists = ParseSoundIni(lines);
  BootSounds = std::move(lists[kBootSound]);
  ExitSounds = std::move(lists[kExitSound]);
  TimeSounds = std::move(lists[kTimeSound]);
  AwaySounds = std::move(lists[kAwaySound]);
}

void CMainwindow::SaveSoundLists() {
  SaveTextFile(L"Sound.ini", SoundIniLines(BootSounds, ExitSounds, TimeSounds, AwaySounds));
}

void CMainwindow::LoadIllustCatalogue() {
  std::vector<std::string> names = LoadTextFile(L"Illust.ini");
  IllustNames.insert(IllustNames.end(), names.begin(), names.end());
  LastIllust = static_cast<int>(IllustNames.size()) - 1;
  IllustShown = ParseShowIni(LoadTextFile(L"Show.ini"), IllustNames.size());
}

void CMainwindow::SaveShowFlags() { SaveTextFile(L"Show.ini", ShowIniLines(IllustShown)); }

std::vector<std::string> CMainwindow::LoadTextFile(const wchar_t* fileName) {
  FilePath path = GetModuleFolder() + fileName;
  if (auto lines = ReadLines(path)) return *lines;
  // A first start leaves the file there, empty; a folder that refuses it is no error.
  FileHandle created(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!created && GetLastError() == ERROR_FILE_EXISTS) NoteUnread(fileName);
  return {};
}

bool CMainwindow::SaveTextFile(const wchar_t* fileName, const std::vector<std::string>& lines) {
  return SaveFileBytes(fileName, JoinLines(lines));
}

// Every save of the desk clock's files passes here, so one message can name all that failed.
// A file that already holds the bytes is not written: a folder the user keeps read-only then
// raises no message when nothing changed.
bool CMainwindow::SaveFileBytes(const wchar_t* fileName, const std::string& bytes) {
  const FilePath path = GetModuleFolder() + fileName;
  for (const UnreadFile& file : unread_) {
    if (file.name != fileName) continue;
    if (bytes == file.startBytes) return true;
    if (file.writeWhenChanged) break;
    saveFailures_.push_back({path,
                             L"起動時に読み込めなかったため、上書きしませんでした。この間の変更は保"
                             L"存されていません。"});
    return false;
  }
  if (ReadFileBytes(path) == bytes) return true;
  SaveResult result = WriteFileBytes(path, bytes);
  if (!result) saveFailures_.push_back({result.path, result.reason});
  return result.saved;
}

// Why a file that is there cannot be read: opened and read as ReadFileBytes does, for the
// system's own words.
void CMainwindow::NoteUnread(const wchar_t* fileName) {
  const FilePath path = GetModuleFolder() + fileName;
  DWORD error = ERROR_SUCCESS;
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  char byte;
  DWORD got = 0;
  if (!file) {
    error = GetLastError();
  } else if (!ReadFile(file.get(), &byte, 1, &got, nullptr)) {
    error = GetLastError();
  }
  unread_.push_back({fileName, SystemErrorText(error ? error : ERROR_READ_FAULT), {}});
}

bool CMainwindow::Unread(const wchar_t* fileName) const {
  for (const UnreadFile& file : unread_) {
    if (file.name == fileName) return true;
  }
  return false;
}

// What SaveSettings would write into a file beside the program now.
std::string CMainwindow::PendingBytes(const std::wstring& fileName) const {
  if (fileName == L"Sound.ini")
    return JoinLines(SoundIniLines(BootSounds, ExitSounds, TimeSounds, AwaySounds));
  if (fileName == L"Show.ini") return JoinLines(ShowIniLines(IllustShown));
  if (fileName == L"Message.ini") return FormatMessageFile(Messages);
  return {};  // Illust.ini is never written
}

void CMainwindow::ReportUnreadFiles() {
  std::wstring unreadable, unrecognised;
  for (const UnreadFile& file : unread_) {
    if (file.reason.empty()) continue;  // nothing the user must know
    (file.writeWhenChanged ? unrecognised : unreadable) +=
        L"\n・" + file.name + L"（場所: " + GetModuleFolder() + L"）\n　理由: " + file.reason;
  }
  std::wstring text;
  if (!unreadable.empty()) {
    text = L"次のファイルを読み込めませんでした。" + unreadable +
           L"\n\nほかのプログラムが使用中でないか確かめてください。"
           L"これらのファイルは終了時にも上書きせず、そのまま残します。";
  }
  if (!unrecognised.empty()) {
    if (!text.empty()) text += L"\n\n";
    text += L"次のファイルは形式が違うため、空として扱います。" + unrecognised +
            L"\n\nこれらのファイルは、設定で内容を変えない限り上書きせず、そのまま残します。";
  }
  if (text.empty()) return;
  MessageBoxW(hwnd(), text.c_str(), L"Orvane", MB_OK | MB_ICONWARNING);
}

void CMainwindow::ReportSaveFailures(bool registrySaved) {
  if (saveFailures_.empty()) return;
  std::wstring text = L"次のファイルを保存できませんでした。\n";
  for (const SaveFailure& failure : saveFailures_) {
    size_t slash = failure.path.find_last_of(L'\\');
    std::wstring name = failure.path.substr(slash == std::wstring::npos ? 0 : slash + 1);
    std::wstring folder = failure.path.substr(0, slash == std::wstring::npos ? 0 : slash + 1);
    text += L"\n・" + name + L"（場所: " + folder + L"）";
    if (!failure.reason.empty()) text += L"\n　理由: " + failure.reason;
  }
  text +=
      L"\n\nファイルやフォルダーが書き込み禁止になっていないか確かめてください。"
      L"前に保存した内容はそのまま残っています。";
  if (registrySaved) text += L"時計の設定（ウィンドウの位置など）は保存されました。";
  MessageBoxW(hwnd(), text.c_str(), L"Orvane", MB_OK | MB_ICONWARNING);
}

void CMainwindow::ChooseFirstIllust() { CurrentIllust = PickFirstIllust(IllustShown, std::rand); }

void CMainwindow::RecheckIllusts() {
  FewIllusts = HasFewIllusts(IllustShown);
  CurrentIllust = RecheckIllust(IllustShown, CurrentIllust, std::rand);
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}
