#include <gtest/gtest.h>

#include "app/mainwindow.h"
#include "res/resource.h"
#include "testing/popup_test_support.h"
#include "testing/thread_windows.h"

namespace {

LocalTime g_now;

TEST(MainWindowAlarms, MinuteWorkRunsAlsoWhileMinimized) {
  g_now = {2026, 12, 9, 3, 7, 4, 50};
  Wave signal(L"time_signal.wav");
  CMainwindow window([] { return g_now; });
  ASSERT_TRUE(window.Create());
  window.Sounds().TimeSounds = {signal.cp932()};
  window.Alarms().Messages = {Rec("now", "start minute", "NULL", kDaily, "NULL", kAtTime, "7:4"),
                              Rec("a", "1", "NULL", kDaily, "NULL", kAtTime, "7:5"),
                              Rec("b", "2", "NULL", kDaily, "NULL", kHourly, "5")};
  window.Alarms().RebuildHourMessages(g_now);
  ShowWindow(window.hwnd(), SW_MINIMIZE);
  ASSERT_TRUE(IsIconic(window.hwnd()));
  g_now.second = 55;
  SendMessageW(window.hwnd(), WM_TIMER, 1, 0);
  EXPECT_TRUE(ThreadDialogs().empty());
  g_now.minute = 5;
  g_now.second = 0;
  SendMessageW(window.hwnd(), WM_TIMER, 1, 0);
  std::vector<HWND> popups = ThreadDialogs();
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(WindowText(popups[0]), L"メッセージ (1/2)");
  DestroyWindow(popups[0]);
  // The hour changes over a gap: the 7:05 items never come back at 8:05 except the hourly one.
  // No time signal: the minute is not 0, and the window is minimized.
  g_now.hour = 8;
  SendMessageW(window.hwnd(), WM_TIMER, 1, 0);
  EXPECT_FALSE(window.Sounds().Playing());
  popups = ThreadDialogs();
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(ItemText(popups[0], IDC_POPUP_TITLE), L" b");
  DestroyWindow(popups[0]);

  // As a user meets it: paged through and closed by its buttons, then the window minimized.
  g_now.minute = 6;
  window.Alarms().Messages = {Rec("c", "1", "NULL", kDaily, "NULL", kAtTime, "8:7"),
                              Rec("d", "2", "NULL", kDaily, "NULL", kAtTime, "8:7"),
                              Rec("e", "3", "NULL", kDaily, "NULL", kAtTime, "8:8")};
  window.Alarms().RebuildHourMessages(g_now);
  ShowWindow(window.hwnd(), SW_RESTORE);
  g_now.minute = 7;
  SendMessageW(window.hwnd(), WM_TIMER, 1, 0);
  popups = ThreadDialogs();
  ASSERT_EQ(popups.size(), 1u);
  Click(popups[0], IDC_POPUP_NEXT);
  Click(popups[0], IDC_POPUP_NEXT);
  EXPECT_FALSE(IsWindow(popups[0]));
  SendMessageW(window.hwnd(), WM_SYSCOMMAND, SC_MINIMIZE, 0);
  Pump();
  g_now.minute = 8;
  SendMessageW(window.hwnd(), WM_TIMER, 1, 0);
  popups = ThreadDialogs();
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_EQ(ItemText(popups[0], IDC_POPUP_TITLE), L" e");
  DestroyWindow(popups[0]);
  g_now.hour = 9;
  g_now.minute = 0;
  SendMessageW(window.hwnd(), WM_TIMER, 1, 0);
  EXPECT_FALSE(window.Sounds().Playing());
  ShowWindow(window.hwnd(), SW_RESTORE);
  g_now.second = 1;
  SendMessageW(window.hwnd(), WM_TIMER, 1, 0);
  EXPECT_TRUE(window.Sounds().Playing());
  DestroyWindow(window.hwnd());
}

// The popup comes with the clock already reading the alarm's minute: one who sees it and looks at
// the title finds that time there.
HWND g_clock = nullptr;
std::wstring g_titleAtFirstWindow;

LRESULT CALLBACK NoteTitle(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && g_titleAtFirstWindow.empty())
    g_titleAtFirstWindow = WindowText(g_clock);
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MainWindowAlarms, ThePopupComesWhenTheTitleReadsItsMinute) {
  g_now = {2026, 12, 9, 3, 7, 4, 59};
  CMainwindow window([] { return g_now; });
  ASSERT_TRUE(window.Create());
  window.Alarms().Messages = {Rec("a", "1", "NULL", kDaily, "NULL", kAtTime, "7:5")};
  window.Alarms().RebuildHourMessages(g_now);
  SendMessageW(window.hwnd(), WM_TIMER, 1, 0);
  g_clock = window.hwnd();
  g_titleAtFirstWindow.clear();
  HHOOK hook = SetWindowsHookExW(WH_CBT, NoteTitle, nullptr, GetCurrentThreadId());
  g_now.minute = 5;
  g_now.second = 0;
  SendMessageW(window.hwnd(), WM_TIMER, 1, 0);
  UnhookWindowsHookEx(hook);
  std::vector<HWND> popups = ThreadDialogs();
  ASSERT_EQ(popups.size(), 1u);
  EXPECT_NE(g_titleAtFirstWindow.find(L"07:05"), std::wstring::npos) << g_titleAtFirstWindow;
  DestroyWindow(popups[0]);
  DestroyWindow(window.hwnd());
}

}  // namespace
