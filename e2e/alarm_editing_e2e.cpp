// Adding an alarm through the settings sheet's wizard, as a user does, until Message.ini holds
// it after the clock closes.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "cp932.h"
#include "e2e_support.h"
#include "line_file.h"
#include "testing/window_shot.h"

namespace {

const wchar_t kKey[] = L"Software\\HARBOR LAMP\\orvanedesk\\Version 1.0";

HWND CurrentPage(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

void Choose(HWND page, int id, int index) {
  HWND box = GetDlgItem(page, id);
  SendMessageW(box, CB_SETCURSEL, index, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
}

// Typing replaces the selection, so even a multi-line edit tells its page.
void Type(HWND page, int id, const wchar_t* text) {
  HWND edit = GetDlgItem(page, id);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

constexpr int kNextButton = 0x3024;

TEST(AlarmEditing, AWeeklyAlarmAddedWithTheWizardIsInMessageIniAfterClosing) {
  // The clock starts without stored settings or alarms, and what it saves does not outlive the
  // scenario.
  ProgramFilesGuard saved(DeskClockFiles(), kKey);
  ASSERT_TRUE(WriteFileBytes(DriverFolder() + L"Message.ini", ""));
  Program clock(L"orvanedesk.exe");
  ASSERT_TRUE(clock.started());
  HWND hwnd = clock.WaitForWindow(L"OrvaneDeskClock");
  ASSERT_NE(hwnd, nullptr);

  PostMessageW(hwnd, WM_SYSCOMMAND, 0x50, 0);
  HWND sheet = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (sheet = clock.Window(L"#32770", L"プロパティ")); }, 5000));
  PostMessageW(sheet, PSM_SETCURSEL, 3, 0);
  HWND list = nullptr;
  // The general tab has a control 1017 too: wait for the list itself.
  ASSERT_TRUE(WaitUntil(
      [&] {
        list = GetDlgItem(CurrentPage(sheet), 1017);
        wchar_t cls[32] = {};
        GetClassNameW(list, cls, 32);
        return std::wstring(cls) == WC_LISTVIEWW;
      },
      3000));
  PostMessageW(GetDlgItem(CurrentPage(sheet), 1013), BM_CLICK, 0, 0);

  HWND wizard = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] { return (wizard = clock.Window(L"#32770", L"アラームとメッセージ (1/3)")); }, 5000));
  PostMessageW(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  ASSERT_TRUE(
      WaitUntil([&] { return WindowTitle(wizard) == L"アラームとメッセージ (2/3)"; }, 3000));
  HWND page = CurrentPage(wizard);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindowEnabled(GetDlgItem(wizard, kNextButton)); }, 2000));
  Type(page, 1050, L"夕食");
  EXPECT_FALSE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(wizard, kNextButton)); }, 500));
  Type(page, 1052, L"ごはんの時間");
  EXPECT_TRUE(WaitUntil([&] { return IsWindowEnabled(GetDlgItem(wizard, kNextButton)); }, 2000));
  PostMessageW(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
  ASSERT_TRUE(
      WaitUntil([&] { return WindowTitle(wizard) == L"アラームとメッセージ (3/3)"; }, 3000));
  page = CurrentPage(wizard);
  Choose(page, 1029, 2);
  Choose(page, 1031, 6);
  Type(page, 1027, L"18");
  Type(page, 1032, L"30");
  ShotIfAsked(wizard, "e2e-wizard3");
  PostMessageW(wizard, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(wizard); }, 5000));
  ShotIfAsked(sheet, "e2e-list");

  // The new row; its texts are checked by the page's own tests.
  EXPECT_TRUE(WaitUntil([&] { return SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) == 1; }, 3000));

  PostMessageW(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 5000));
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  ASSERT_TRUE(clock.WaitForExit(10000));

  std::optional<std::string> file = ReadFileBytes(DriverFolder() + L"Message.ini");
  ASSERT_TRUE(file.has_value());
  std::string expected;
  for (const wchar_t* line :
       {L"夕食", L"NULL", L"[", L"ごはんの時間", L"]", L"毎週", L"6", L"指定の時刻", L"18:30"})
    expected += WideToCp932(line).value() + "\r\n";
  EXPECT_EQ(*file, expected);
}

}  // namespace
