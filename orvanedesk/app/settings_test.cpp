#include <gtest/gtest.h>

#include <climits>
#include <memory>

#include "app/commands.h"
#include "app/mainwindow.h"
#include "testing/settings_test_support.h"
#include "cp932.h"
#include "win/pixels.h"
#include "testing/silent_wave.h"
#include "testing/thread_windows.h"

namespace {

constexpr wchar_t kSection[] = L"Version 1.0";
LocalTime g_now{2026, 12, 31, 4, 21, 59, 30};

std::optional<DWORD> StoredInt(const wchar_t* name) {
  DWORD value = 0, size = sizeof value;
  std::wstring key = std::wstring(TestApplication::Key()) + L"\\" + kSection;
  if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value,
                   &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

std::string FileText(const wchar_t* name) {
  return ReadFileBytes(GetModuleFolder() + name).value_or("<missing>");
}

void PutFile(const wchar_t* name, const std::string& bytes) {
  ASSERT_TRUE(WriteFileBytes(GetModuleFolder() + name, bytes));
}

std::wstring MenuText(HWND hwnd, UINT id) {
  wchar_t text[64] = {};
  GetMenuStringW(GetSystemMenu(hwnd, FALSE), id, text, 64, MF_BYCOMMAND);
  return text;
}

bool MenuChecked(HWND hwnd, UINT id) {
  return GetMenuState(GetSystemMenu(hwnd, FALSE), id, MF_BYCOMMAND) & MF_CHECKED;
}

class SettingsTest : public ::testing::Test {
 protected:
  CProfile& Profile() { return TestApplication::Get().Profile(); }
  // Creates the window as start-up does: LoadSettings, and shown when it placed nothing.
  bool Start() {
    window_ = std::make_unique<CMainwindow>([] { return g_now; });
    EXPECT_TRUE(window_->Create());
    hwnd_ = window_->hwnd();
    bool placed = window_->LoadSettings();
    if (!placed) ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    return placed;
  }
  void StorePlacement(int x1, int y1, int x2, int y2) {
    const int values[] = {0, SW_SHOWNORMAL, x1, y1, x2, y2};
    const wchar_t* names[] = {L"flags", L"showCmd", L"x1", L"y1", L"x2", L"y2"};
    for (int i = 0; i < 6; ++i) Profile().WriteInt(kSection, names[i], values[i]);
  }
  RECT Frame() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return r;
  }
  void Close() {
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    ASSERT_FALSE(IsWindow(hwnd_));
  }

  ProgramFolderGuard folder_;
  std::unique_ptr<CMainwindow> window_;
  HWND hwnd_ = nullptr;
};

TEST_F(SettingsTest, FreshUserStartsWithDefaultsAndCloseStoresThem) {
  PutFile(L"Illust.ini", "a\r\nb\r\nc\r\n");
  DeleteFileW((GetModuleFolder() + L"Show.ini").c_str());
  DeleteFileW((GetModuleFolder() + L"Sound.ini").c_str());
  EXPECT_FALSE(Start());
  // The missing files are created empty at start, as a first start leaves them.
  EXPECT_EQ(FileText(L"Show.ini"), "");
  EXPECT_EQ(FileText(L"Sound.ini"), "");
  const ClockSettings& s = window_->Settings();
  EXPECT_EQ(s.SecondHand, 1);
  EXPECT_EQ(s.TitleFace, 0);
  EXPECT_EQ(s.UpdateTime, 1);
  EXPECT_EQ(s.FontFace, "Times New Roman");
  EXPECT_EQ(s.FontSize, 7);
  EXPECT_TRUE(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CAPTION);
  EXPECT_FALSE(GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_EQ(MenuText(hwnd_, kCmdHideTitle), L"タイトルバーを隠す(&T)");
  EXPECT_EQ(window_->Illusts().IllustShown, (std::vector<int>{1, 1, 1}));
  EXPECT_FALSE(window_->Illusts().FewIllusts);

  SetWindowPos(hwnd_, nullptr, 123, -50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Close();
  const std::pair<const wchar_t*, DWORD> expected[] = {
      {L"FullWindow", 0}, {L"StayOnTop", 0},           {L"StayDesktop", 0},  {L"RunAwayMouse", 0},
      {L"SecondHand", 1}, {L"TitleFace", 0},           {L"UpdateIllust", 1}, {L"UpdateTime", 1},
      {L"FontSize", 7},   {L"showCmd", SW_SHOWNORMAL}, {L"x1", 123},         {L"y1", DWORD(-50)},
      {L"x2", 123 + 182}, {L"y2", DWORD(-50 + 434)}};
  for (const auto& [name, value] : expected) {
    EXPECT_EQ(StoredInt(name), std::optional<DWORD>(value))
        << std::string(name, name + wcslen(name));
  }
  EXPECT_TRUE(StoredInt(L"flags"));
  EXPECT_EQ(Profile().GetString(kSection, L"FontFace", ""), "Times New Roman");
  EXPECT_EQ(FileText(L"Sound.ini"), "[Boot]\r\n[Exit]\r\n[Time]\r\n[Away]\r\n");
  EXPECT_EQ(FileText(L"Show.ini"), "1\r\n1\r\n1\r\n");
}

TEST_F(SettingsTest, StoredOptionsAndPlacementAreAppliedAndSavedBack) {
  for (const wchar_t* name : {L"FullWindow", L"StayOnTop", L"StayDesktop", L"RunAwayMouse"}) {
    Profile().WriteInt(kSection, name, 1);
  }
  Profile().WriteInt(kSection, L"SecondHand", 0);
  Profile().WriteInt(kSection, L"UpdateTime", 2);
  Profile().WriteString(kSection, L"FontFace", "\x82\x6C\x82\x72 \x96\xBE\x92\xA9");
  StorePlacement(-1, 40, 175, 449);  // a window one pixel past the left edge
  ASSERT_TRUE(Start());
  RECT frame = Frame();
  EXPECT_EQ(frame.left, -1);
  EXPECT_EQ(frame.top, 40);
  EXPECT_EQ(frame.right - frame.left, 176);
  EXPECT_EQ(frame.bottom - frame.top, 409);
  EXPECT_FALSE(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CAPTION);
  // (Wine leaves a window with an owned topmost popup, its tooltip, out of the topmost band, so
  // only the menu's check mark tells StayOnTop here.)
  EXPECT_TRUE(IsWindowVisible(hwnd_));
  EXPECT_EQ(MenuText(hwnd_, kCmdHideTitle), L"タイトルバーを表示(&T)");
  EXPECT_TRUE(MenuChecked(hwnd_, kCmdStayOnTop));
  EXPECT_TRUE(MenuChecked(hwnd_, kCmdStayDesktop));
  EXPECT_TRUE(MenuChecked(hwnd_, kCmdRunAway));
  EXPECT_EQ(window_->Settings().SecondHand, 0);
  EXPECT_EQ(window_->Settings().UpdateTime, 2);

  // Back to the frame: the caption returns with its item text and the larger size.
  window_->Settings().FullWindow = 0;
  window_->ApplyFullWindow();
  frame = Frame();
  EXPECT_EQ(frame.right - frame.left, 182);
  EXPECT_EQ(frame.bottom - frame.top, 434);
  EXPECT_EQ(MenuText(hwnd_, kCmdHideTitle), L"タイトルバーを隠す(&T)");
  window_->Settings().StayOnTop = 0;
  window_->ApplyStayOnTop();
  EXPECT_FALSE(GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(MenuChecked(hwnd_, kCmdStayOnTop));

  Close();
  EXPECT_EQ(StoredInt(L"FullWindow"), 0u);
  EXPECT_EQ(StoredInt(L"StayDesktop"), 1u);
  EXPECT_EQ(StoredInt(L"x1"), DWORD(-1));
  EXPECT_EQ(StoredInt(L"x2"), DWORD(-1 + 182));
  EXPECT_EQ(Profile().GetString(kSection, L"FontFace", ""), "\x82\x6C\x82\x72 \x96\xBE\x92\xA9");
}

// A hand-made size the face cannot use is kept to the largest it can, and saved so.
TEST_F(SettingsTest, HandMadeFontSizesAreKeptToWhatTheFaceCanDraw) {
  const std::pair<int, int> sizes[] = {{214748365, kMaxFontSize},
                                       {INT_MAX, kMaxFontSize},
                                       {kMaxFontSize + 1, kMaxFontSize},
                                       {-300000000, -kMaxFontSize},
                                       {INT_MIN, -kMaxFontSize},
                                       {18, 18},
                                       {0, 0},
                                       {-kMaxFontSize, -kMaxFontSize}};
  for (const auto& [stored, used] : sizes) {
    Profile().WriteInt(kSection, L"FontSize", stored);
    Profile().WriteInt(kSection, L"TitleFace", 1);
    Start();
    EXPECT_EQ(window_->Settings().FontSize, used) << stored;
    InvalidateRect(hwnd_, nullptr, TRUE);
    UpdateWindow(hwnd_);
    Close();
    EXPECT_EQ(StoredInt(L"FontSize"), std::optional<DWORD>(static_cast<DWORD>(used))) << stored;
  }
}

TEST_F(SettingsTest, StoredPlacementIsPulledOntoTheScreen) {
  const int cx = GetSystemMetrics(SM_CXSCREEN), cy = GetSystemMetrics(SM_CYSCREEN);
  const int icon = GetSystemMetrics(SM_CXICON), iconH = GetSystemMetrics(SM_CYICON);
  StorePlacement(5000, -50, 5182, 384);
  ASSERT_TRUE(Start());
  EXPECT_EQ(Frame().left, cx - icon);
  EXPECT_EQ(Frame().top, -50);  // partly on the screen: stays
  EXPECT_EQ(Frame().right - Frame().left, 182);
  window_.reset();

  StorePlacement(100, 5000, 282, 5434);
  ASSERT_TRUE(Start());
  EXPECT_EQ(Frame().top, cy - iconH);
  window_.reset();

  // Wholly off every monitor (one was removed): whole on the nearest work area.
  StorePlacement(-5000, 100, -4818, 534);
  ASSERT_TRUE(Start());
  RECT work;
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_EQ(Frame().left, work.left);
  EXPECT_EQ(Frame().top, 100);
  window_.reset();

  // Without y2 nothing of the placement is used.
  StorePlacement(300, 200, 482, 634);
  RegDeleteKeyValueW(HKEY_CURRENT_USER,
                     (std::wstring(TestApplication::Key()) + L"\\" + kSection).c_str(), L"y2");
  EXPECT_FALSE(Start());
}

TEST_F(SettingsTest, SessionEndSavesOnlyWhenTheSessionReallyEnds) {
  PutFile(L"Sound.ini", "[Exit]\r\nbye.wav\r\n");
  Start();
  SendMessageW(hwnd_, WM_ENDSESSION, FALSE, 0);
  EXPECT_FALSE(StoredInt(L"SecondHand"));
  EXPECT_EQ(FileText(L"Sound.ini"), "[Exit]\r\nbye.wav\r\n");

  window_->Settings().TitleFace = 1;
  SendMessageW(hwnd_, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
  EXPECT_EQ(StoredInt(L"TitleFace"), 1u);
  EXPECT_TRUE(StoredInt(L"y2"));
  EXPECT_EQ(FileText(L"Sound.ini"), "[Boot]\r\n[Exit]\r\nbye.wav\r\n[Time]\r\n[Away]\r\n");
  EXPECT_TRUE(IsWindow(hwnd_));
}

Pixels CaptureClient(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  WindowDc dc(hwnd);
  return CaptureDc(dc.get(), 0, 0, client.right, client.bottom);
}

Pixels PictureFile(int index) {
  std::wstring path = GetModuleFolder() + L"bitmap" + std::to_wstring(index) + L".bmp";
  Gdi<HBITMAP> bitmap(static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                      LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  return bitmap ? CaptureBitmap(bitmap.get()) : Pixels{};
}

// Points of the face that the hands, the weekday and the date leave uncovered at 21:59.
const POINT kClearOfHands[] = {{20, 60}, {150, 330}, {30, 300}, {160, 100}};

TEST_F(SettingsTest, OnlyShownIllustrationIsDrawnBehindTheFace) {
  // Of the six pictures only the third is shown.
  std::string names = FileText(L"Illust.ini");
  PutFile(L"Show.ini", "0\r\n0\r\n1\r\n0\r\nx\r\n2\r\n");
  Start();
  ASSERT_EQ(window_->Illusts().IllustNames.size(), 6u) << names;
  EXPECT_EQ(window_->Illusts().CurrentIllust, 2);
  EXPECT_TRUE(window_->Illusts().FewIllusts);
  Pixels face = CaptureClient(hwnd_), picture = PictureFile(2);
  ASSERT_FALSE(picture.pixels.empty());
  for (POINT p : kClearOfHands) EXPECT_EQ(face.at(p.x, p.y), picture.at(p.x, p.y)) << p.x;
  EXPECT_EQ(window_->Illusts().IllustName, window_->Illusts().IllustNames[2]);
  SendMessageW(hwnd_, WM_TIMER, 1, 0);
  EXPECT_EQ(window_->TooltipText(),
            window_->TimeText() + " - " + window_->Illusts().IllustNames[2]);

  // The settings sheet unmarks it and marks the fifth: the face shows the fifth at once.
  window_->Illusts().IllustShown = {0, 0, 0, 0, 1, 0};
  window_->RecheckIllusts();
  EXPECT_EQ(window_->Illusts().CurrentIllust, 4);
  face = CaptureClient(hwnd_);
  picture = PictureFile(4);
  for (POINT p : kClearOfHands) EXPECT_EQ(face.at(p.x, p.y), picture.at(p.x, p.y)) << p.x;
}

TEST_F(SettingsTest, NothingToShowOrABrokenPictureLeavesAPlainFace) {
  const COLORREF plain = GetSysColor(COLOR_BTNFACE);
  // A hand-edited Show.ini of zeros: no picture, no name, no endless draw.
  PutFile(L"Show.ini", "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
  Start();
  EXPECT_EQ(window_->Illusts().CurrentIllust, kNoIllust);
  Pixels face = CaptureClient(hwnd_);
  for (POINT p : kClearOfHands) EXPECT_EQ(face.at(p.x, p.y), plain) << p.x;
  SendMessageW(hwnd_, WM_TIMER, 1, 0);
  EXPECT_EQ(window_->Illusts().IllustName, "");
  EXPECT_EQ(window_->TooltipText(), window_->TimeText());
  window_.reset();

  // An empty catalogue: the same.
  PutFile(L"Illust.ini", "");
  Start();
  EXPECT_EQ(window_->Illusts().CurrentIllust, kNoIllust);
  EXPECT_EQ(window_->Illusts().LastIllust, -1);
  window_.reset();

  // A listed picture whose file is not a bitmap, then one that is missing: a plain face, and
  // the picture shown before does not linger behind it.
  const std::wstring fake = GetModuleFolder() + L"bitmap7.bmp";
  ASSERT_TRUE(WriteFileBytes(fake, "BM not really a picture"));
  PutFile(L"Illust.ini", "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n");
  PutFile(L"Show.ini", "1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
  Start();
  ASSERT_EQ(window_->Illusts().CurrentIllust, 0);
  for (int broken : {7, 8}) {
    window_->Illusts().IllustShown = std::vector<int>(9, 0);
    window_->Illusts().IllustShown[broken] = 1;
    window_->RecheckIllusts();
    EXPECT_EQ(window_->Illusts().CurrentIllust, broken);
    face = CaptureClient(hwnd_);
    for (POINT p : kClearOfHands) EXPECT_EQ(face.at(p.x, p.y), plain) << broken << " " << p.x;
    EXPECT_EQ(window_->Illusts().IllustName, std::to_string(broken));
  }
  window_.reset();
  DeleteFileW(fake.c_str());
}

TEST_F(SettingsTest, LateNoticeOfAnotherDeviceDoesNotEndTheExitSound) {
  // In a folder with a Japanese name, reached through its code page 932 bytes.
  const std::wstring folder = GetModuleFolder() + L"音テスト";
  CreateDirectoryW(folder.c_str(), nullptr);
  const std::wstring wave = folder + L"\\終了.wav";
  ASSERT_TRUE(WriteFileBytes(wave, SilentWave()));
  Start();
  window_->Sounds().ExitSounds = {WideToCp932(wave).value()};
  SendMessageW(hwnd_, WM_CLOSE, 0, 0);
  ASSERT_TRUE(window_->Sounds().Playing());
  // A notice of a device closed before (superseded or aborted) leaves the exit sound playing.
  SendMessageW(hwnd_, MM_MCINOTIFY, MCI_NOTIFY_ABORTED, 0x7FFF);
  SendMessageW(hwnd_, MM_MCINOTIFY, MCI_NOTIFY_ABORTED, 0);
  EXPECT_TRUE(window_->Sounds().Playing());
  EXPECT_TRUE(IsWindow(hwnd_));
  // Its own notice ends the close, which saves.
  EXPECT_TRUE(PumpMessagesUntil([&] { return !IsWindow(hwnd_); }));
  EXPECT_TRUE(StoredInt(L"SecondHand"));
  DeleteFileW(wave.c_str());
  RemoveDirectoryW(folder.c_str());
}

}  // namespace
