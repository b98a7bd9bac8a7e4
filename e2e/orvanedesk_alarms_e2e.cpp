// The desk clock's alarms as a user meets them: started at 07:04:35 (set by the test command;
// every process of the run shares that clock) with items due at 07:04, 07:05 and 07:06 in
// Message.ini beside the program.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "e2e_support.h"
#include "line_file.h"

namespace {

// Control ids of the message popup.
constexpr int kNext = 1040;
constexpr int kTitle = 1042;
constexpr int kTime = 1054;

// Code page 932: 毎日, 指定の時刻, 起床, お茶.
const std::string kDaily = "\x96\x88\x93\xfa";
const std::string kAtTime = "\x8e\x77\x92\xe8\x82\xcc\x8e\x9e\x8d\x8f";

std::string Item(const std::string& title, const std::string& message, const std::string& time) {
  return title + "\r\nNULL\r\n[\r\n" + message + "\r\n]\r\n" + kDaily + "\r\nNULL\r\n" + kAtTime +
         "\r\n" + time + "\r\n";
}

// A canonical file: the start minute's item first, then two items for each of the next two
// minutes (with two-line messages, and messages ending in a line break).
const std::string kMessageFile = Item("start minute", "must not fire", "7:4") +
                                 Item("\x8b\x4e\x8f\xb0", "good morning\r\nsecond line", "7:5") +
                                 Item("\x82\xa8\x92\x83", "tea\r\n", "7:5") +
                                 Item("\x8b\x4e\x8f\xb0", "while minimized", "7:6") +
                                 Item("\x82\xa8\x92\x83", "also\r\nminimized\r\n", "7:6");

// Message.ini beside the program for the scenario; the files and settings the program keeps
// are as before afterwards.
class MessageFileBeside {
 public:
  MessageFileBeside()
      : guard_(DeskClockFiles(), L"Software\\HARBOR LAMP\\orvanedesk"),
        path_(DriverFolder() + L"Message.ini") {
    EXPECT_TRUE(WriteFileBytes(path_, kMessageFile));
  }
  std::string Read() const { return ReadFileBytes(path_).value_or("<unreadable>"); }

 private:
  ProgramFilesGuard guard_;
  std::wstring path_;
};

std::wstring ItemText(HWND popup, int id) { return WindowTitle(GetDlgItem(popup, id)); }

// Runs the clock until the popup of the given minute shows, and pages through it.
void MeetThePopup(const Program& clock, HWND main, const wchar_t* minute, const wchar_t* timeLine) {
  SCOPED_TRACE(minute);
  std::vector<HWND> popups;
  ASSERT_TRUE(WaitUntil(
      [&] {
        popups = clock.Windows(L"#32770");
        return !popups.empty();
      },
      75000));
  // It comes in that minute (the window title follows within the same tick), as one popup for
  // both items (and none for the start minute's).
  EXPECT_TRUE(WaitUntil([&] { return WindowTitle(main).find(minute) != std::wstring::npos; }, 2000))
      << testing::PrintToString(WindowTitle(main));
  WaitUntil([&] { return clock.Windows(L"#32770").size() > 1; }, 1500);
  popups = clock.Windows(L"#32770");
  ASSERT_EQ(popups.size(), 1u);
  HWND popup = popups[0];
  EXPECT_EQ(WindowTitle(popup), L"メッセージ (1/2)");
  EXPECT_EQ(ItemText(popup, kTitle), L" 起床");
  EXPECT_EQ(ItemText(popup, kTime), timeLine);

  SendMessageW(GetDlgItem(popup, kNext), BM_CLICK, 0, 0);
  EXPECT_EQ(WindowTitle(popup), L"メッセージ (2/2)");
  EXPECT_EQ(ItemText(popup, kTitle), L" お茶");
  EXPECT_EQ(ItemText(popup, kNext), L"完了(&F)");
  SendMessageW(GetDlgItem(popup, kNext), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(popup); }, 3000));
}

TEST(DeskClockAlarms, DueItemsOpenOnePopupAlsoWhenMinimized) {
  MessageFileBeside file;
  Program clock(L"orvanedesk.exe");
  ASSERT_TRUE(clock.started());
  HWND main = clock.WaitForWindow(L"OrvaneDeskClock", 24000);
  ASSERT_NE(main, nullptr);
  WaitUntil([&] { return WindowTitle(main).find(L"AM 07:0") == 0; }, 3000);
  ASSERT_EQ(WindowTitle(main).find(L"AM 07:04"), 0u) << "started too late for the scenario";
  MeetThePopup(clock, main, L"07:05", L"毎日\n7時5分");

  SendMessageW(main, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(IsIconic(main));
  MeetThePopup(clock, main, L"07:06", L"毎日\n7時6分");
  EXPECT_TRUE(IsIconic(main));

  // The list goes back to the file it came from, byte for byte.
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_TRUE(clock.WaitForExit(10000));
  EXPECT_EQ(file.Read(), kMessageFile);
}

}  // namespace
