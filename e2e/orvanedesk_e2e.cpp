#include <gtest/gtest.h>

#include "../orvanedesk/res/resource.h"
#include "e2e_support.h"

namespace {

// The wall clock starts at 21:59:30 on 31 December (set by the test command).
TEST(DeskClock, ShowsTheYearsLastMinutesAndClosesAtOnce) {
  // The close saves the settings and the text files beside the program.
  ProgramFilesGuard files(DeskClockFiles(), L"Software\\HARBOR LAMP\\orvanedesk");
  Program clock(L"orvanedesk.exe");
  ASSERT_TRUE(clock.started());
  HWND hwnd = clock.WaitForWindow(L"OrvaneDeskClock");
  ASSERT_NE(hwnd, nullptr);

  EXPECT_TRUE(WaitUntil([&] { return WindowTitle(hwnd).rfind(L"PM 09:59:3", 0) == 0; }, 5000))
      << "title: " << testing::PrintToString(WindowTitle(hwnd));
  EXPECT_EQ(WindowTitle(hwnd).size(), std::wstring(L"PM 09:59:30 - Orvane").size());
  RECT frame;
  GetWindowRect(hwnd, &frame);
  EXPECT_EQ(frame.right - frame.left, 182);
  EXPECT_EQ(frame.bottom - frame.top, 434);
  RECT client = ClientOnScreen(hwnd);
  EXPECT_EQ(client.right - client.left, 176);
  EXPECT_EQ(client.bottom - client.top, 409);

  // The title is set a moment before the face is drawn in the same tick, the last date digit
  // last of all.
  auto bitmap = [](int id) { return LoadProgramBitmap(L"orvanedesk.exe", id); };
  int x = client.left, y = client.top;
  Screenshot face;
  EXPECT_TRUE(WaitUntil(
      [&] {
        face = CaptureScreen(client);
        return face.Contains(bitmap(IDB_DIGIT1), x + 108, y + 373);
      },
      3000))
      << "E";
  EXPECT_TRUE(face.Contains(bitmap(IDB_WEEK_THU), x + 65, y + 6));
  EXPECT_TRUE(face.Contains(bitmap(IDB_DIGIT1), x + 57, y + 373)) << "A";
  EXPECT_TRUE(face.Contains(bitmap(IDB_DIGIT2), x + 71, y + 375)) << "B";
  EXPECT_TRUE(face.Contains(bitmap(IDB_DIGIT3), x + 94, y + 375)) << "D";

  EXPECT_TRUE(WaitUntil([&] { return WindowTitle(hwnd).rfind(L"PM 10:00:0", 0) == 0; }, 45000))
      << "title: " << testing::PrintToString(WindowTitle(hwnd));

  // With no exit sound the window goes at once; Wine's own process teardown follows.
  DWORD start = GetTickCount();
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(hwnd); }, 2000));
  EXPECT_LT(GetTickCount() - start, 1000u);
  EXPECT_TRUE(clock.WaitForExit(10000));
}

}  // namespace
