#include <gtest/gtest.h>

#include "e2e_support.h"
#include "line_file.h"
#include "testing/immutable.h"

namespace {

// The wall clock starts at 09:41:10 on 8 December (set by the test command).
constexpr wchar_t kKey[] = L"Software\\HARBOR LAMP\\orvanedesk";
constexpr wchar_t kSection[] = L"Software\\HARBOR LAMP\\orvanedesk\\Version 1.0";

std::optional<DWORD> StoredInt(const wchar_t* name) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kSection, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

void StoreInt(const wchar_t* name, DWORD value) {
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kSection, name, REG_DWORD, &value, sizeof value),
            ERROR_SUCCESS);
}

std::string FileText(const wchar_t* name) {
  return ReadFileBytes(DriverFolder() + name).value_or("<missing>");
}

void PutFile(const wchar_t* name, const std::string& bytes) {
  ASSERT_TRUE(WriteFileBytes(DriverFolder() + name, bytes));
}

class DeskClockSettings : public ::testing::Test {
 protected:
  ProgramFilesGuard files_{DeskClockFiles(), kKey};
};

TEST_F(DeskClockSettings, FirstRunKeepsTheFilesByteForByteAndStoresTheDefaults) {
  // Three names in Shift-JIS; Show.ini has two flags too many; Sound.ini has "[Time]" in the
  // boot section, where only "[Exit]" could end it.
  PutFile(L"Illust.ini", "\x8f\x74\r\n\x89\xc4\r\n\x8f\x48\r\n");
  PutFile(L"Show.ini", "0\r\n1\r\n1\r\n0\r\n1\r\n");
  PutFile(L"Sound.ini", "[Boot]\r\nA\r\n[Time]\r\nB\r\n");
  Program clock(L"orvanedesk.exe");
  ASSERT_TRUE(clock.started());
  HWND hwnd = clock.WaitForWindow(L"OrvaneDeskClock");
  ASSERT_NE(hwnd, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return WindowTitle(hwnd).rfind(L"AM 09:41:", 0) == 0; }, 5000));
  RECT frame;
  GetWindowRect(hwnd, &frame);
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  ASSERT_TRUE(clock.WaitForExit(10000));

  EXPECT_EQ(FileText(L"Sound.ini"), "[Boot]\r\nA\r\n[Time]\r\nB\r\n[Exit]\r\n[Time]\r\n[Away]\r\n");
  EXPECT_EQ(FileText(L"Show.ini"), "0\r\n1\r\n1\r\n");
  EXPECT_EQ(FileText(L"Illust.ini"), "\x8f\x74\r\n\x89\xc4\r\n\x8f\x48\r\n");
  const std::pair<const wchar_t*, DWORD> defaults[] = {
      {L"FullWindow", 0}, {L"StayOnTop", 0},          {L"StayDesktop", 0},  {L"RunAwayMouse", 0},
      {L"SecondHand", 1}, {L"TitleFace", 0},          {L"UpdateIllust", 1}, {L"UpdateTime", 1},
      {L"FontSize", 7},   {L"showCmd", SW_SHOWNORMAL}};
  for (const auto& [name, value] : defaults) {
    EXPECT_EQ(StoredInt(name), std::optional<DWORD>(value)) << testing::PrintToString(name);
  }
  wchar_t face[64] = {};
  DWORD size = sizeof face;
  EXPECT_EQ(
      RegGetValueW(HKEY_CURRENT_USER, kSection, L"FontFace", RRF_RT_REG_SZ, nullptr, face, &size),
      ERROR_SUCCESS);
  EXPECT_STREQ(face, L"Times New Roman");
  EXPECT_TRUE(StoredInt(L"flags"));
  EXPECT_EQ(StoredInt(L"x1"), DWORD(frame.left));
  EXPECT_EQ(StoredInt(L"y1"), DWORD(frame.top));
  EXPECT_EQ(StoredInt(L"x2"), DWORD(frame.right));
  EXPECT_EQ(StoredInt(L"y2"), DWORD(frame.bottom));
}

TEST_F(DeskClockSettings, StoredOptionsShapeTheWindowAtStart) {
  StoreInt(L"FullWindow", 1);
  StoreInt(L"SecondHand", 0);
  const DWORD placement[] = {0, SW_SHOWNORMAL, 5000, 100, 5182, 534};
  const wchar_t* names[] = {L"flags", L"showCmd", L"x1", L"y1", L"x2", L"y2"};
  for (int i = 0; i < 6; ++i) StoreInt(names[i], placement[i]);
  ASSERT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  ASSERT_EQ(GetSystemMetrics(SM_CXICON), 32);

  Program clock(L"orvanedesk.exe");
  ASSERT_TRUE(clock.started());
  HWND hwnd = clock.WaitForWindow(L"OrvaneDeskClock");
  ASSERT_NE(hwnd, nullptr);
  RECT frame;
  GetWindowRect(hwnd, &frame);
  EXPECT_EQ(frame.left, 992);
  EXPECT_EQ(frame.top, 100);
  EXPECT_EQ(frame.right - frame.left, 176);
  EXPECT_EQ(frame.bottom - frame.top, 409);
  EXPECT_FALSE(GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION);
  EXPECT_TRUE(WaitUntil([&] { return WindowTitle(hwnd).rfind(L"AM 09:4", 0) == 0; }, 5000));
  EXPECT_EQ(WindowTitle(hwnd).size(), std::wstring(L"AM 09:41 - Orvane").size())
      << testing::PrintToString(WindowTitle(hwnd));

  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  ASSERT_TRUE(clock.WaitForExit(10000));
  EXPECT_EQ(StoredInt(L"FullWindow"), 1u);
  EXPECT_EQ(StoredInt(L"x1"), 992u);
}

TEST_F(DeskClockSettings, UnwritableShowIniIsNamedOnceAndKeptWhole) {
  // Fewer flags than pictures: the save has to add the missing ones (an unchanged file is not
  // written, and then there is nothing to tell).
  const std::string old = "1\r\n0\r\n";
  PutFile(L"Show.ini", old);
  const std::wstring path = DriverFolder() + L"Show.ini";
  Immutable locked(path);
  if (!locked.active()) GTEST_SKIP() << "files cannot be made immutable here";

  Program clock(L"orvanedesk.exe");
  ASSERT_TRUE(clock.started());
  HWND hwnd = clock.WaitForWindow(L"OrvaneDeskClock");
  ASSERT_NE(hwnd, nullptr);
  PostMessageW(hwnd, WM_CLOSE, 0, 0);

  std::vector<HWND> boxes;
  ASSERT_TRUE(WaitUntil([&] { return !(boxes = clock.Windows(L"#32770")).empty(); }, 10000));
  ASSERT_EQ(boxes.size(), 1u);
  std::wstring text(512, L'\0');
  text.resize(GetDlgItemTextW(boxes[0], 0xFFFF, text.data(), 512));
  EXPECT_NE(text.find(L"Show.ini"), std::wstring::npos) << testing::PrintToString(text);
  EXPECT_NE(text.find(DriverFolder()), std::wstring::npos) << testing::PrintToString(text);
  EXPECT_EQ(text.find(L"Sound.ini"), std::wstring::npos) << "only the file that failed";
  // The registry was written before the message.
  EXPECT_EQ(StoredInt(L"SecondHand"), 1u);
  PostMessageW(boxes[0], WM_COMMAND, IDOK, 0);

  int seen = 1;
  HWND last = boxes[0];
  EXPECT_TRUE(WaitUntil(
      [&] {
        for (HWND box : clock.Windows(L"#32770")) seen += box != last, last = box;
        return WaitForSingleObject(clock.process(), 0) == WAIT_OBJECT_0;
      },
      10000));
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(FileText(L"Show.ini"), old);
  // Wine's ReplaceFileW leaves its own temporary copies (rf*.tmp) when the target refuses it.
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((DriverFolder() + L"rf*.tmp").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do DeleteFileW((DriverFolder() + found.cFileName).c_str());
    while (FindNextFileW(search, &found));
    FindClose(search);
  }
  EXPECT_EQ(FileText(L"Sound.ini"), "[Boot]\r\n[Exit]\r\n[Time]\r\n[Away]\r\n");
}

}  // namespace
