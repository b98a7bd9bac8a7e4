// The desk clock meeting damaged pictures, files other programs hold, read-only files and
// registry values of the wrong type: it keeps running, keeps what it had and says so.
#include <gtest/gtest.h>

#include <memory>

#include "app/mainwindow.h"
#include "testing/settings_test_support.h"
#include "testing/immutable.h"
#include "testing/thread_windows.h"
#include "win/pixels.h"

namespace {

constexpr wchar_t kSection[] = L"Version 1.0";
LocalTime g_now{2026, 12, 9, 3, 10, 20, 30};

std::string Le(uint32_t v, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  return out;
}

// A 4 by 4 picture of 24 bits, with some of its header fields replaced.
std::string Picture(uint32_t width = 4, uint32_t height = 4, uint32_t bitsAt = 54) {
  return "BM" + Le(54 + 48, 4) + Le(0, 4) + Le(bitsAt, 4) + Le(40, 4) + Le(width, 4) +
         Le(height, 4) + Le(1, 2) + Le(24, 2) + std::string(24, '\0') + std::string(48, '\x40');
}

Pixels CaptureClient(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  WindowDc dc(hwnd);
  return CaptureDc(dc.get(), 0, 0, client.right, client.bottom);
}

bool Names(const std::wstring& text, const wchar_t* file) {
  return text.find(std::wstring(L"・") + file) != std::wstring::npos;
}

std::string FileText(const wchar_t* name) {
  return ReadFileBytes(GetModuleFolder() + name).value_or("<missing>");
}

void PutFile(const wchar_t* name, const std::string& bytes) {
  ASSERT_TRUE(WriteFileBytes(GetModuleFolder() + name, bytes));
}

HANDLE Hold(const wchar_t* name) {
  return CreateFileW((GetModuleFolder() + name).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                     FILE_ATTRIBUTE_NORMAL, nullptr);
}

const std::string kIllust = "spring\r\nsummer\r\nautumn\r\n";
const std::string kShow = "1\r\n0\r\n1\r\n";
const std::string kSound = "[Boot]\r\nC:\\boot.wav\r\n[Exit]\r\n[Time]\r\n[Away]\r\n";
const std::string kMessage =
    "wake\r\nNULL\r\n[\r\nget up\r\n]\r\nDaily\r\nNULL\r\nAtTime\r\n7:5\r\n";

class FaultsTest : public ::testing::Test {
 protected:
  void Start() {
    window_ = std::make_unique<CMainwindow>([] { return g_now; });
    ASSERT_TRUE(window_->Create());
    hwnd_ = window_->hwnd();
    if (!window_->LoadSettings()) ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
  }
  void Close() {
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindow(hwnd_));
  }
  void PutAll() {
    PutFile(L"Illust.ini", kIllust);
    PutFile(L"Show.ini", kShow);
    PutFile(L"Sound.ini", kSound);
    PutFile(L"Message.ini", kMessage);
  }
  ProgramFolderGuard folder_;
  std::unique_ptr<CMainwindow> window_;
  HWND hwnd_ = nullptr;
};

TEST_F(FaultsTest, DamagedPicturesAreRefusedAndLeaveAPlainFace) {
  const std::wstring folder = GetModuleFolder();
  const std::pair<const char*, std::string> damaged[] = {
      {"cut short", Picture().substr(0, 30)},
      {"pixels cut", Picture().substr(0, 70)},
      {"wrong header", "XY" + Picture().substr(2)},
      {"empty", ""},
      {"huge size", Picture(100000, 100000)},
      {"largest size", Picture(0x7FFFFFFF, 0x7FFFFFFF)},
      // The one that crashed the system's loader under Wine.
      {"pixels past the end", Picture(4, 4, 0xFFFFFFF0)},
  };
  PutFile(L"Illust.ini", "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n");
  PutFile(L"Show.ini", "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
  Start();
  ASSERT_EQ(window_->Illusts().CurrentIllust, 0);
  EXPECT_TRUE(window_->LoadIllustFile("bitmap0.bmp")) << "the pictures beside the program load";
  EXPECT_TRUE(window_->LoadIllustFile("bitmap5.bmp"));
  const COLORREF plain = GetSysColor(COLOR_BTNFACE);
  window_->Illusts().IllustShown = {0, 0, 0, 0, 0, 0, 1, 0};
  window_->Illusts().CurrentIllust = 6;
  for (const auto& [what, bytes] : damaged) {
    ASSERT_TRUE(WriteFileBytes(folder + L"bitmap6.bmp", bytes));
    EXPECT_FALSE(window_->LoadIllustFile("bitmap6.bmp")) << what;
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateWindow(hwnd_);
    EXPECT_EQ(CaptureClient(hwnd_).at(20, 60), plain) << what;
  }
  DeleteFileW((folder + L"bitmap6.bmp").c_str());
  // A folder where the picture should be.
  ASSERT_TRUE(CreateDirectoryW((folder + L"bitmap7.bmp").c_str(), nullptr));
  EXPECT_FALSE(window_->LoadIllustFile("bitmap7.bmp"));
  window_->Illusts().IllustShown = {0, 0, 0, 0, 0, 0, 0, 1};
  window_->RecheckIllusts();
  EXPECT_EQ(window_->Illusts().CurrentIllust, 7);
  EXPECT_EQ(CaptureClient(hwnd_).at(20, 60), plain);
  RemoveDirectoryW((folder + L"bitmap7.bmp").c_str());
  EXPECT_TRUE(IsWindow(hwnd_));
}

TEST_F(FaultsTest, FilesHeldByAnotherProgramAtStartAreNamedAndNeverOverwritten) {
  PutAll();
  {
    FileHandle sound(Hold(L"Sound.ini")), message(Hold(L"Message.ini")),
        illust(Hold(L"Illust.ini"));
    ASSERT_TRUE(sound && message && illust);
    Start();
  }
  EXPECT_TRUE(window_->Sounds().BootSounds.empty());
  EXPECT_TRUE(window_->Alarms().Messages.empty());
  std::wstring text;
  {
    MessageBoxAnswerer answer;
    window_->ReportUnreadFiles();
    text = answer.text();
  }
  for (const wchar_t* file : {L"Sound.ini", L"Message.ini", L"Illust.ini"})
    EXPECT_TRUE(Names(text, file)) << testing::PrintToString(text);
  EXPECT_FALSE(Names(text, L"Show.ini")) << "it was read";
  EXPECT_NE(text.find(GetModuleFolder()), std::wstring::npos);

  // Nothing changed: nothing to tell at close, and every file stays as it was, the show flags
  // too (without their names they would have been written as none).
  {
    MessageBoxAnswerer answer;
    Close();
    EXPECT_EQ(answer.text(), L"") << "nothing had to be written";
  }
  EXPECT_EQ(FileText(L"Sound.ini"), kSound);
  EXPECT_EQ(FileText(L"Message.ini"), kMessage);
  EXPECT_EQ(FileText(L"Show.ini"), kShow);
  EXPECT_EQ(FileText(L"Illust.ini"), kIllust);

  // A change to what could not be read cannot be saved without losing the file: it is named.
  {
    FileHandle sound(Hold(L"Sound.ini"));
    Start();
  }
  window_->Sounds().BootSounds = {"C:\\new.wav"};
  {
    MessageBoxAnswerer answer;
    Close();
    text = answer.text();
  }
  EXPECT_TRUE(Names(text, L"Sound.ini")) << testing::PrintToString(text);
  EXPECT_NE(text.find(L"起動時に読み込めなかった"), std::wstring::npos);
  EXPECT_FALSE(Names(text, L"Message.ini"));
  EXPECT_EQ(FileText(L"Sound.ini"), kSound);
}

// A Sound.ini of other making reads as no sounds: it is named at start and kept, unless the user
// sets lists of their own.
TEST_F(FaultsTest, AnUnrecognisedSoundFileIsNamedAndKeptUnlessTheListsChange) {
  PutAll();
  // An editor's byte-order mark, a blank first line.
  for (const std::string& odd : {"\xEF\xBB\xBF" + kSound, "\r\n" + kSound}) {
    PutFile(L"Sound.ini", odd);
    Start();
    EXPECT_TRUE(window_->Sounds().BootSounds.empty());
    std::wstring text;
    {
      MessageBoxAnswerer answer;
      window_->ReportUnreadFiles();
      text = answer.text();
    }
    EXPECT_TRUE(Names(text, L"Sound.ini")) << testing::PrintToString(text);
    EXPECT_FALSE(Names(text, L"Message.ini"));
    {
      MessageBoxAnswerer answer;
      Close();
      EXPECT_EQ(answer.text(), L"") << "nothing had to be written";
    }
    EXPECT_EQ(FileText(L"Sound.ini"), odd);
  }
  Start();
  window_->Sounds().BootSounds = {"C:\\new.wav"};
  {
    MessageBoxAnswerer answer;
    Close();
    EXPECT_EQ(answer.text(), L"");
  }
  EXPECT_EQ(FileText(L"Sound.ini"), "[Boot]\r\nC:\\new.wav\r\n[Exit]\r\n[Time]\r\n[Away]\r\n");
}

TEST_F(FaultsTest, ReadOnlyFilesAreNamedOnlyWhenTheyHadToChange) {
  PutAll();
  {
    ReadOnlyFile show(GetModuleFolder() + L"Show.ini"), sound(GetModuleFolder() + L"Sound.ini"),
        message(GetModuleFolder() + L"Message.ini");
    ASSERT_TRUE(show.active() && sound.active() && message.active());
    Start();
    EXPECT_EQ(window_->Illusts().IllustShown, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(window_->Sounds().BootSounds, std::vector<std::string>{"C:\\boot.wav"});
    ASSERT_EQ(window_->Alarms().Messages.size(), 1u);
    {
      MessageBoxAnswerer answer;
      Close();
      EXPECT_EQ(answer.text(), L"") << "nothing had to be written";
    }
    Start();
    window_->Illusts().IllustShown = {1, 1, 1};
    window_->Alarms().Messages.clear();
    std::wstring text;
    {
      MessageBoxAnswerer answer;
      Close();
      text = answer.text();
    }
    EXPECT_TRUE(Names(text, L"Show.ini")) << testing::PrintToString(text);
    EXPECT_TRUE(Names(text, L"Message.ini"));
    EXPECT_FALSE(Names(text, L"Sound.ini"));
  }
  EXPECT_EQ(FileText(L"Show.ini"), kShow);
  EXPECT_EQ(FileText(L"Message.ini"), kMessage);
  // The registry took the options all the same.
  EXPECT_EQ(TestApplication::Get().Profile().GetInt(kSection, L"SecondHand", -7), 1);
}

// Values another program (or a hand in the registry editor) stored with the wrong type or size.
TEST_F(FaultsTest, RegistryValuesOfTheWrongTypeOrSizeGiveDefaultsAndAreStoredRight) {
  const std::wstring key = std::wstring(TestApplication::Key()) + L"\\" + kSection;
  auto set = [&](const wchar_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key.c_str(), name, type, data, size),
              ERROR_SUCCESS);
  };
  const BYTE bytes[8] = {1, 0, 0, 0, 1, 0, 0, 0};
  const DWORD one = 1, two = 2;
  set(L"FullWindow", REG_SZ, L"1", 4);
  set(L"StayOnTop", REG_BINARY, bytes, 0);
  set(L"StayDesktop", REG_BINARY, bytes, 1);
  set(L"RunAwayMouse", REG_BINARY, bytes, 3);
  set(L"SecondHand", REG_BINARY, "\0\0\0\0\0\0\0\0", 8);
  set(L"TitleFace", REG_DWORD, &one, 4);  // right, and read
  set(L"UpdateTime", REG_MULTI_SZ, L"2\0\0", 6);
  set(L"UpdateIllust", REG_DWORD, &one, 2);  // a double word of two bytes
  set(L"FontFace", REG_DWORD, &two, 4);
  set(L"FontSize", REG_QWORD, bytes, 8);
  const DWORD placement[] = {0, SW_SHOWNORMAL, 40, 50, 222, 484};
  const wchar_t* names[] = {L"flags", L"showCmd", L"x1", L"y1", L"x2", L"y2"};
  for (int i = 0; i < 6; ++i) set(names[i], REG_DWORD, &placement[i], 4);
  set(L"y1", REG_SZ, L"50", 6);

  Start();
  const ClockSettings& s = window_->Settings();
  EXPECT_EQ(s.FullWindow, 0);
  EXPECT_EQ(s.StayOnTop, 0);
  EXPECT_EQ(s.StayDesktop, 0);
  EXPECT_EQ(s.RunAwayMouse, 0);
  EXPECT_EQ(s.SecondHand, 1);
  EXPECT_EQ(s.TitleFace, 1);
  EXPECT_EQ(s.UpdateTime, 1);
  EXPECT_EQ(s.UpdateIllust, 1);
  EXPECT_EQ(s.FontFace, "Times New Roman");
  EXPECT_EQ(s.FontSize, 7);
  EXPECT_TRUE(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CAPTION);
  Close();

  // Saved back with the types they belong in.
  HKEY opened = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ, &opened), ERROR_SUCCESS);
  RegKey stored(opened);
  for (const wchar_t* name : {L"FullWindow", L"StayOnTop", L"StayDesktop", L"RunAwayMouse",
                              L"SecondHand", L"TitleFace", L"UpdateIllust", L"UpdateTime",
                              L"FontSize", L"flags", L"showCmd", L"x1", L"y1", L"x2", L"y2"}) {
    DWORD type = 0, size = 0;
    EXPECT_EQ(RegQueryValueExW(stored.get(), name, nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD)) << testing::PrintToString(std::wstring(name));
    EXPECT_EQ(size, 4u);
  }
  EXPECT_EQ(TestApplication::Get().Profile().GetInt(kSection, L"SecondHand", -7), 1);
  EXPECT_EQ(TestApplication::Get().Profile().GetInt(kSection, L"TitleFace", -7), 1);
  EXPECT_EQ(TestApplication::Get().Profile().GetString(kSection, L"FontFace", ""),
            "Times New Roman");

  // A text without its terminating zero, longer than any face name: read as far as it goes.
  const std::wstring longName(300, L'N');
  set(L"FontFace", REG_SZ, longName.data(), static_cast<DWORD>(longName.size() * 2));
  EXPECT_EQ(TestApplication::Get().Profile().GetString(kSection, L"FontFace", ""),
            std::string(300, 'N'));
  Start();
  EXPECT_EQ(window_->Settings().FontFace, std::string(300, 'N'));
  window_->Settings().TitleFace = 1;
  InvalidateRect(hwnd_, nullptr, TRUE);
  UpdateWindow(hwnd_);
  EXPECT_TRUE(IsWindow(hwnd_));
  Close();
}

}  // namespace
