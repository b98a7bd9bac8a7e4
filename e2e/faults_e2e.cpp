// The clocks meeting what a user's machine can throw at them: files other programs hold or
// lock, a program folder that refuses change, and no sound device. Each keeps running, keeps
// what it had, and says so where the user must know.
#include <windows.h>
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "../tamsel/res/resource.h"
#include "../tamsel/stored_settings.h"
#include "e2e_support.h"
#include "line_file.h"
#include "testing/immutable.h"
#include "testing/program_files.h"
#include "testing/silent_wave.h"
#include "win/raii.h"

namespace {

constexpr wchar_t kDeskKey[] = L"Software\\HARBOR LAMP\\orvanedesk";
constexpr wchar_t kDeskClass[] = L"OrvaneDeskClock";

// Code page 932: 毎日, 指定の時刻.
const std::string kDaily = "\x96\x88\x93\xfa";
const std::string kAtTime = "\x8e\x77\x92\xe8\x82\xcc\x8e\x9e\x8d\x8f";

std::string Item(const std::string& title, const std::string& alarm, const std::string& message,
                 const std::string& time) {
  return title + "\r\n" + alarm + "\r\n[\r\n" + message + "\r\n]\r\n" + kDaily + "\r\nNULL\r\n" +
         kAtTime + "\r\n" + time + "\r\n";
}

std::string FileText(const std::wstring& path) {
  return ReadFileBytes(path).value_or("<unreadable>");
}

#ifndef FAULTS_E2E_NO_SOUND

// The text of the program's next message box, which is then answered with OK; empty when none
// came in the time.
std::wstring AnswerProgramMessageBox(const Program& program, DWORD timeoutMs) {
  std::vector<HWND> boxes;
  if (!WaitUntil(
          [&] {
            boxes = program.Windows(L"#32770");
            return !boxes.empty() && GetDlgItem(boxes[0], 0xFFFF);
          },
          timeoutMs))
    return {};
  std::wstring text(1024, L'\0');
  text.resize(GetDlgItemTextW(boxes[0], 0xFFFF, text.data(), 1024));
  PostMessageW(boxes[0], WM_COMMAND, IDOK, 0);
  WaitUntil([&] { return !IsWindow(boxes[0]); }, 5000);
  return text;
}

bool Names(const std::wstring& text, const wchar_t* file) {
  return text.find(std::wstring(L"・") + file) != std::wstring::npos;
}

// A file opened by "another program" (this driver): without sharing, or with all of it locked.
FileHandle OpenWithoutSharing(const std::wstring& path) {
  return FileHandle(CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
}
class LockedFile {
 public:
  explicit LockedFile(const std::wstring& path)
      : file_(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
    locked_ = file_ && LockFileEx(file_.get(), LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY,
                                  0, MAXDWORD, MAXDWORD, &range_);
  }
  ~LockedFile() {
    if (locked_) UnlockFileEx(file_.get(), 0, MAXDWORD, MAXDWORD, &range_);
  }
  bool locked() const { return locked_; }

 private:
  FileHandle file_;
  OVERLAPPED range_{};
  bool locked_ = false;
};

// Files of a folder whose names start with `prefix` and end in ".tmp" (left-over save files).
int TempFiles(const std::wstring& folder, const std::wstring& prefix) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((folder + prefix + L"*.tmp").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return 0;
  int count = 0;
  do ++count;
  while (FindNextFileW(search, &found));
  FindClose(search);
  return count;
}

RECT WindowRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// ---- The picture clock's position file, held by another program.

std::wstring TickmothIni() { return DriverFolder() + L"tickmoth.INI"; }

class PictureClockFaults : public ::testing::Test {
 protected:
  void SetUp() override { saved_ = ReadFileBytes(TickmothIni()); }
  void TearDown() override {
    if (saved_)
      (void)WriteFileBytes(TickmothIni(), *saved_);
    else
      DeleteFileW(TickmothIni().c_str());
  }
  std::optional<std::string> saved_;
};

TEST_F(PictureClockFaults, APositionFileHeldByAnotherProgramIsNeverOverwrittenUnasked) {
  const std::string stored = "[Position]\r\nXpos=200\r\nYpos=100\r\n[Note]\r\nkeep=1\r\n";
  ASSERT_TRUE(WriteFileBytes(TickmothIni(), stored));
  {
    // Held while the clock reads it: the clock opens at the origin and, not moved, leaves the
    // position it could not see alone at close.
    Program clock(L"tickmoth.exe");
    HWND hwnd;
    {
      FileHandle held = OpenWithoutSharing(TickmothIni());
      ASSERT_TRUE(held);
      hwnd = clock.WaitForWindow(L"TickmothClock");
      ASSERT_NE(hwnd, nullptr);
    }
    EXPECT_EQ(WindowRect(hwnd).left, 0);
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(clock.WaitForExit(10000));
    EXPECT_EQ(FileText(TickmothIni()), stored);
  }
  {
    // Locked for the whole run: a moved window cannot be saved; the clock ends normally, with
    // no message, and the file is whole.
    LockedFile lock(TickmothIni());
    ASSERT_TRUE(lock.locked());
    Program clock(L"tickmoth.exe");
    HWND hwnd = clock.WaitForWindow(L"TickmothClock");
    ASSERT_NE(hwnd, nullptr);
    // Windows refuses reads of a locked range, and the clock then opens at the origin; Wine
    // does not enforce such locks on reads, and the clock opens where the file says.
    const LONG left = WindowRect(hwnd).left;
    EXPECT_TRUE(left == 0 || left == 200) << left;
    SetWindowPos(hwnd, nullptr, 260, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(hwnd).left == 260; }, 2000));
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(clock.WaitForExit(10000));
    DWORD code = 1;
    GetExitCodeProcess(clock.process(), &code);
    EXPECT_EQ(code, 0u);
  }
  EXPECT_EQ(FileText(TickmothIni()), stored);
  EXPECT_EQ(TempFiles(DriverFolder(), L"tickmoth.INI"), 0);
  // Free again: the clock opens where the file says. Held without sharing while it closes
  // after a move, the file stays whole.
  Program clock(L"tickmoth.exe");
  HWND hwnd = clock.WaitForWindow(L"TickmothClock");
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(WindowRect(hwnd).left, 200);
  EXPECT_EQ(WindowRect(hwnd).top, 100);
  SetWindowPos(hwnd, nullptr, 260, 130, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  ASSERT_TRUE(WaitUntil([&] { return WindowRect(hwnd).left == 260; }, 2000));
  {
    FileHandle held = OpenWithoutSharing(TickmothIni());
    ASSERT_TRUE(held);
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(clock.WaitForExit(10000));
  }
  EXPECT_EQ(FileText(TickmothIni()), stored);
  EXPECT_EQ(TempFiles(DriverFolder(), L"tickmoth.INI"), 0);
}

// ---- The desk clock's files, held or locked by another program, and a read-only folder.

class DeskClockFaults : public ::testing::Test {
 protected:
  std::wstring Path(const wchar_t* name) const { return DriverFolder() + name; }
  void Put(const wchar_t* name, const std::string& bytes) {
    ASSERT_TRUE(WriteFileBytes(Path(name), bytes));
  }
  ProgramFilesGuard files_{DeskClockFiles(), kDeskKey};
};

const std::string kSounds = "[Boot]\r\nC:\\none.wav\r\n[Exit]\r\n[Time]\r\n[Away]\r\n";
const std::string kMessages = Item("tea", "NULL", "green", "15:0");

TEST_F(DeskClockFaults, FilesLockedAtStartAreNamedThenAndLeftWholeAtClose) {
  Put(L"Sound.ini", kSounds);
  Put(L"Message.ini", kMessages);
  Put(L"Illust.ini", "a\r\nb\r\n");
  const std::string show = "1\r\n0\r\n";
  Put(L"Show.ini", show);
  Program clock(L"orvanedesk.exe");
  std::wstring text;
  {
    FileHandle held = OpenWithoutSharing(Path(L"Sound.ini"));
    LockedFile locked(Path(L"Message.ini"));
    ASSERT_TRUE(held && locked.locked());
    ASSERT_TRUE(clock.started());
    text = AnswerProgramMessageBox(clock, 20000);
  }
  EXPECT_TRUE(Names(text, L"Sound.ini")) << testing::PrintToString(text);
  // Message.ini is named where the system refuses reads of a locked range (Windows); Wine
  // reads it. Either way it is whole after the close.
  EXPECT_FALSE(Names(text, L"Show.ini"));
  EXPECT_NE(text.find(DriverFolder()), std::wstring::npos);
  HWND hwnd = clock.WaitForWindow(kDeskClass);
  ASSERT_NE(hwnd, nullptr);
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  ASSERT_TRUE(clock.WaitForExit(10000)) << "a message held the close";
  EXPECT_EQ(FileText(Path(L"Sound.ini")), kSounds);
  EXPECT_EQ(FileText(Path(L"Message.ini")), kMessages);
  EXPECT_EQ(FileText(Path(L"Show.ini")), show);
}

TEST_F(DeskClockFaults, FilesLockedAtCloseAreNamedAndKeptWhole) {
  // Both files must be written at close: the flags lack pictures, the lines their CR.
  Put(L"Show.ini", "1\r\n");
  std::string lfOnly;
  for (char c : kMessages)
    if (c != '\r') lfOnly += c;
  Put(L"Message.ini", lfOnly);
  Put(L"Sound.ini", kSounds);
  Program clock(L"orvanedesk.exe");
  HWND hwnd = clock.WaitForWindow(kDeskClass);
  ASSERT_NE(hwnd, nullptr);
  std::wstring text;
  {
    LockedFile locked(Path(L"Show.ini"));
    FileHandle held = OpenWithoutSharing(Path(L"Message.ini"));
    ASSERT_TRUE(held && locked.locked());
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    text = AnswerProgramMessageBox(clock, 10000);
    ASSERT_TRUE(clock.WaitForExit(10000));
  }
  EXPECT_TRUE(Names(text, L"Show.ini")) << testing::PrintToString(text);
  EXPECT_TRUE(Names(text, L"Message.ini")) << testing::PrintToString(text);
  EXPECT_FALSE(Names(text, L"Sound.ini")) << "unchanged, so not written";
  EXPECT_EQ(FileText(Path(L"Show.ini")), "1\r\n");
  EXPECT_EQ(FileText(Path(L"Message.ini")), lfOnly);
  EXPECT_EQ(TempFiles(DriverFolder(), L"Show.ini"), 0);
  EXPECT_EQ(TempFiles(DriverFolder(), L"Message.ini"), 0);
}

// A copy of the program in a folder where neither the folder nor its files may change (a
// locked-down or read-only install).
class ReadOnlyDeskClockFolder : public DeskClockFaults {
 protected:
  void SetUp() override {
    Clear();
    ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    for (const wchar_t* name : {L"orvanedesk.exe", L"bitmap0.bmp"})
      ASSERT_TRUE(CopyFileW(Path(name).c_str(), (folder_ + L"\\" + name).c_str(), TRUE));
  }
  void TearDown() override {
    locks_.clear();
    EXPECT_TRUE(Clear());
  }
  // Writes the text files, then locks them, the program and the folder.
  void Lock(const std::vector<std::pair<const wchar_t*, std::string>>& texts) {
    for (const auto& [name, bytes] : texts)
      ASSERT_TRUE(WriteFileBytes(folder_ + L"\\" + name, bytes));
    for (const wchar_t* name : kFiles) {
      if (GetFileAttributesW((folder_ + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES)
        locks_.push_back(std::make_unique<Immutable>(folder_ + L"\\" + name));
    }
    locks_.push_back(std::make_unique<Immutable>(folder_));
    ASSERT_TRUE(locks_.back()->active() || !ImmutableFlagExpected())
        << "could not make the folder refuse change";
    if (!locks_.back()->active()) GTEST_SKIP() << "no immutable flag here (needs Linux and root)";
  }
  bool Clear() {
    ClearImmutable(folder_);
    for (const wchar_t* name : kFiles) {
      ClearImmutable(folder_ + L"\\" + name);
      DeleteFileW((folder_ + L"\\" + name).c_str());
    }
    // Wine may release the program file a moment after the process has gone.
    return WaitUntil(
        [&] {
          return RemoveDirectoryW(folder_.c_str()) ||
                 GetFileAttributesW(folder_.c_str()) == INVALID_FILE_ATTRIBUTES;
        },
        5000);
  }
  static constexpr const wchar_t* kFiles[] = {L"orvanedesk.exe", L"bitmap0.bmp", L"Illust.ini",
                                              L"Show.ini",       L"Sound.ini",   L"Message.ini"};
  const std::wstring folder_ = DriverFolder() + L"locked-orvanedesk";
  std::vector<std::unique_ptr<Immutable>> locks_;
};

// It runs and shows its picture and items, and at close names the one file that had to change.
TEST_F(ReadOnlyDeskClockFolder, ShowsItsDataAndNamesWhatItCouldNotSave) {
  const std::string messages = Item("tea", "NULL", "green", "15:0");
  const std::vector<std::pair<const wchar_t*, std::string>> texts = {
      {L"Illust.ini", "spring\r\n"},
      {L"Show.ini", ""},  // the flag of the one picture is missing: this file must change
      {L"Sound.ini", "[Boot]\r\n[Exit]\r\n[Time]\r\n[Away]\r\n"},
      {L"Message.ini", messages}};
  Lock(texts);
  if (IsSkipped() || HasFatalFailure()) return;

  Program clock(L"locked-orvanedesk\\orvanedesk.exe");
  HWND hwnd = clock.WaitForWindow(kDeskClass);
  ASSERT_NE(hwnd, nullptr);
  // Its picture behind the face.
  Screenshot picture = LoadBitmapFile(L"bitmap0.bmp");
  ASSERT_FALSE(picture.empty());
  // Two points in plain parts of the picture, clear of the hands and the date.
  EXPECT_TRUE(WaitUntil(
      [&] {
        Screenshot face = CaptureScreen(ClientOnScreen(hwnd));
        face.left = face.top = 0;
        return face.at(20, 20) == picture.at(20, 20) && face.at(120, 120) == picture.at(120, 120);
      },
      5000));
  EXPECT_TRUE(clock.Windows(L"#32770").empty()) << "every file could be read";
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  std::wstring text = AnswerProgramMessageBox(clock, 10000);
  EXPECT_TRUE(Names(text, L"Show.ini")) << testing::PrintToString(text);
  EXPECT_NE(text.find(folder_), std::wstring::npos) << testing::PrintToString(text);
  for (const wchar_t* kept : {L"Sound.ini", L"Message.ini", L"Illust.ini"})
    EXPECT_FALSE(Names(text, kept)) << "unchanged, so not written";
  ASSERT_TRUE(clock.WaitForExit(10000));
  for (const auto& [name, bytes] : texts)
    EXPECT_EQ(FileText(folder_ + L"\\" + name), bytes) << testing::PrintToString(name);
  // The registry took the options.
  DWORD value = 0, size = sizeof value;
  EXPECT_EQ(RegGetValueW(HKEY_CURRENT_USER, (std::wstring(kDeskKey) + L"\\Version 1.0").c_str(),
                         L"SecondHand", RRF_RT_REG_DWORD, nullptr, &value, &size),
            ERROR_SUCCESS);
}

// Installed with none of the files it makes itself: they cannot be made at start, and a close
// with nothing changed has nothing to report.
TEST_F(ReadOnlyDeskClockFolder, FilesItCouldNotMakeAreNoFailureWhenNothingChanged) {
  Lock({{L"Illust.ini", "spring\r\n"}});
  if (IsSkipped() || HasFatalFailure()) return;
  Program clock(L"locked-orvanedesk\\orvanedesk.exe");
  HWND hwnd = clock.WaitForWindow(kDeskClass);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_TRUE(clock.Windows(L"#32770").empty()) << "nothing there could not be read";
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  ASSERT_TRUE(
      WaitUntil([&] { return clock.WaitForExit(0) || !clock.Windows(L"#32770").empty(); }, 10000));
  if (!clock.WaitForExit(0))
    ADD_FAILURE() << "nothing had to be saved, yet: "
                  << testing::PrintToString(AnswerProgramMessageBox(clock, 5000));
  ASSERT_TRUE(clock.WaitForExit(10000));
  for (const wchar_t* name : {L"Show.ini", L"Sound.ini", L"Message.ini"})
    EXPECT_EQ(GetFileAttributesW((folder_ + L"\\" + name).c_str()), INVALID_FILE_ATTRIBUTES);
}

#else  // FAULTS_E2E_NO_SOUND

// ---- No sound device (the driver and the programs it starts run with Wine's audio drivers
// disabled): alarms still come, sounds fail quietly, nothing waits for a sound.

// Started at 08:14:50 (set by the test command); both clocks have an alarm at 08:15.
TEST(NoSoundDevice, AlarmsStillComeAndNeitherClockWaitsForASound) {
  ASSERT_EQ(waveOutGetNumDevs(), 0u) << "the scenario needs Wine without its audio driver";
  ProgramFilesGuard files(DeskClockFiles(), kDeskKey);
  const std::wstring wave = DriverFolder() + L"faults_e2e.wav";
  ASSERT_TRUE(WriteFileBytes(wave, SilentWave()));
  const std::string waveName(wave.begin(), wave.end());  // the driver's folder is plain ASCII
  const std::string sounds = "[Boot]\r\n" + waveName + "\r\n[Exit]\r\n" + waveName +
                             "\r\n[Time]\r\n" + waveName + "\r\n[Away]\r\n";
  const std::string messages = Item("tea", waveName, "green", "8:15");
  ASSERT_TRUE(WriteFileBytes(DriverFolder() + L"Sound.ini", sounds));
  ASSERT_TRUE(WriteFileBytes(DriverFolder() + L"Message.ini", messages));

  // The first character clock, its alarm at 8:15 with the same wave.
  const std::wstring tamselKey = L".DEFAULT\\Software\\brindlewick\\tamsela";
  RegistryKeyGuard sharedKey(HKEY_USERS, tamselKey);
  RegistryKeyGuard userKey(HKEY_CURRENT_USER, L"Software\\brindlewick\\tamsela");
  Settings alarm;
  alarm.alarmActive = true;
  alarm.alarmHour = 8;
  alarm.alarmMinute = 15;
  const DWORD option = ComposeOption(alarm), position = PackPosition(600, 300);
  const std::wstring alarmFn = wave + std::wstring(256 - wave.size(), L'\0');
  RegSetKeyValueW(HKEY_USERS, tamselKey.c_str(), L"Option", REG_DWORD, &option, 4);
  RegSetKeyValueW(HKEY_USERS, tamselKey.c_str(), L"Position", REG_DWORD, &position, 4);
  RegSetKeyValueW(HKEY_USERS, tamselKey.c_str(), L"AlarmFn", REG_SZ, alarmFn.data(),
                  static_cast<DWORD>(alarmFn.size() * 2));

  Program desk(L"orvanedesk.exe");
  Program character(L"tamsela.exe");
  HWND main = desk.WaitForWindow(kDeskClass);
  HWND tamsel = character.WaitForWindow(L"TAMSELWND");
  ASSERT_NE(main, nullptr);
  ASSERT_NE(tamsel, nullptr);
  WaitUntil([&] { return WindowTitle(main).find(L"AM 08:1") == 0; }, 3000);
  ASSERT_EQ(WindowTitle(main).find(L"AM 08:14"), 0u)
      << "started too late for the scenario: " << testing::PrintToString(WindowTitle(main));

  // The popup comes at 8:15 as ever, though its sound cannot play.
  std::vector<HWND> popups;
  ASSERT_TRUE(WaitUntil([&] { return !(popups = desk.Windows(L"#32770")).empty(); }, 40000));
  EXPECT_NE(WindowTitle(main).find(L"08:15"), std::wstring::npos);
  EXPECT_NE(WindowTitle(popups[0]).find(L"メッセージ"), std::wstring::npos);
  EXPECT_EQ(WindowTitle(GetDlgItem(popups[0], 1042)), L" tea");
  SendMessageW(GetDlgItem(popups[0], 1040), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(popups[0]); }, 3000));

  // The character clock's alarm second has passed: it still answers and ends normally.
  EXPECT_TRUE(WaitUntil(
      [&] {
        SYSTEMTIME st;
        GetLocalTime(&st);
        return st.wHour * 60 + st.wMinute > 8 * 60 + 15 || st.wSecond >= 2;
      },
      10000));
  DWORD_PTR answer = 0;
  EXPECT_TRUE(SendMessageTimeoutW(tamsel, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 3000, &answer));
  PostMessageW(tamsel, WM_COMMAND, IDM_EXIT, 0);
  EXPECT_TRUE(character.WaitForExit(10000));

  // The exit sound cannot play, so it does not hold the close; nothing to tell.
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(desk.WaitForExit(10000));
  EXPECT_TRUE(desk.Windows(L"#32770").empty());
  EXPECT_EQ(FileText(DriverFolder() + L"Sound.ini"), sounds);
  EXPECT_EQ(FileText(DriverFolder() + L"Message.ini"), messages);
  DeleteFileW(wave.c_str());
}

#endif

}  // namespace
