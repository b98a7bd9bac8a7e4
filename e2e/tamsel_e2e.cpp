#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "../tamsel/clock_logic.h"
#include "../tamsel/edition.h"
#include "../tamsel/res/resource.h"
#include "../tamsel/stored_settings.h"
#include "e2e_support.h"
#include "win/raii.h"

// The three character clock programs under a wall clock started a little after 9:41 in the
// morning, with their settings prepared in the registry.

namespace {

constexpr wchar_t kClass[] = L"TAMSELWND";
constexpr COLORREF kKey = RGB(255, 0, 255);

std::wstring Exe(const Edition& e) { return std::wstring(L"tamsel") + wchar_t(e.letter) + L".exe"; }

std::wstring SharedKey(const Edition& e) {
  std::wstring path = L".DEFAULT\\Software\\brindlewick\\tamsel";
  return path + wchar_t(e.letter);
}

void Store(const Edition& e, int x, int y, uint32_t option) {
  HKEY created = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_USERS, SharedKey(e).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                            nullptr, &created, nullptr),
            ERROR_SUCCESS);
  RegKey key(created);
  DWORD position = PackPosition(x, y);
  RegSetValueExW(key.get(), L"Position", 0, REG_DWORD, reinterpret_cast<BYTE*>(&position), 4);
  RegSetValueExW(key.get(), L"Option", 0, REG_DWORD, reinterpret_cast<BYTE*>(&option), 4);
}

int ClockWindows() {
  int count = 0;
  EnumWindows(
      [](HWND hwnd, LPARAM lParam) {
        wchar_t name[32] = {};
        GetClassNameW(hwnd, name, 32);
        if (wcscmp(name, kClass) == 0) ++*reinterpret_cast<int*>(lParam);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

// The part of a window the screen shows (a window may stick out above it).
RECT OnScreen(RECT r) {
  r.top = std::max(0L, r.top);
  return r;
}

// Every scenario starts without settings and leaves none behind.
class CharacterClock : public ::testing::Test {
 protected:
  CharacterClock() {
    for (int i = 0; i < kEditionCount; ++i) {
      keys_.push_back(std::make_unique<RegistryKeyGuard>(HKEY_USERS, SharedKey(EditionAt(i))));
      std::wstring user = L"Software\\brindlewick\\tamsel";
      keys_.push_back(std::make_unique<RegistryKeyGuard>(HKEY_CURRENT_USER,
                                                         user + wchar_t(EditionAt(i).letter)));
    }
  }

 private:
  std::vector<std::unique_ptr<RegistryKeyGuard>> keys_;
};

// Closes the clock as its EXIT command does, and checks that it ends cleanly.
void Close(const Program& clock, HWND hwnd) {
  PostMessageW(hwnd, WM_COMMAND, IDM_EXIT, 0);
  ASSERT_TRUE(clock.WaitForExit(10000));
  DWORD code = 1;
  GetExitCodeProcess(clock.process(), &code);
  EXPECT_EQ(code, 0u);
}

// The window as placed, titled and sized by the table.
void CheckWindow(const Edition& e, HWND hwnd, int x, int y) {
  EXPECT_EQ(WindowTitle(hwnd), e.title);
  RECT frame;
  GetWindowRect(hwnd, &frame);
  EXPECT_EQ(frame.left, x);
  EXPECT_EQ(frame.top, y);
  EXPECT_EQ(frame.right - frame.left, e.window.width);
  EXPECT_EQ(frame.bottom - frame.top, e.window.height);
}

// Checked once the picture is on screen: the window's shape hides every magenta pixel.
int MagentaShown(HWND hwnd) {
  RECT frame;
  GetWindowRect(hwnd, &frame);
  Screenshot shot = CaptureScreen(OnScreen(frame));
  int magenta = 0;
  for (COLORREF c : shot.pixels) magenta += c == kKey;
  return magenta;
}

// The shape on screen, once the first paint came: the picture where it is not magenta, away
// from the time and the face. Returns the number of pixels that differ.
int PictureDifferences(const Edition& e, HWND hwnd) {
  Screenshot picture = LoadProgramBitmap(Exe(e), IDB_BACKGROUND);
  if (picture.width != e.background.width) return -1;
  int wrong = 0;
  WaitUntil(
      [&] {
        RECT frame;
        GetWindowRect(hwnd, &frame);
        Screenshot shot = CaptureScreen(OnScreen(frame));
        int checked = 0;
        wrong = 0;
        Rect face = e.FaceArea();
        const Rect& c = e.creatureArea;
        for (int y = 0; y < e.window.height; ++y)
          for (int x = 0; x < e.window.width; ++x) {
            bool inFace = x >= face.left && x < face.right && y >= face.top && y < face.bottom;
            bool inPanel = x < 150 && y >= e.timeTop - 8 && y < e.dateTop + 14;
            bool inCreatures =
                e.creatures && x >= c.left && x < c.right && y >= c.top && y < c.bottom;
            if (inFace || inPanel || inCreatures || picture.at(x, y) == kKey || frame.top + y < 0)
              continue;
            ++checked;
            wrong += shot.at(frame.left + x, frame.top + y) != picture.at(x, y);
          }
        if (checked < 1000) wrong = -1;
        return wrong == 0;
      },
      5000);
  return wrong;
}

// The panel as the glyphs of the moment make it; true when a frame of it came.
bool ShowsTime(const Edition& e, HWND hwnd, bool hour24) {
  Screenshot picture = LoadProgramBitmap(Exe(e), IDB_BACKGROUND);
  Screenshot strip = LoadProgramBitmap(Exe(e), IDB_GLYPHS);
  return WaitUntil(
      [&] {
        SYSTEMTIME st;
        GetLocalTime(&st);
        LocalTime now{st.wYear, st.wMonth,  st.wDay,   st.wDayOfWeek,
                      st.wHour, st.wMinute, st.wSecond};
        Screenshot want = picture;
        for (const GlyphBlit& g : GlyphsFor(now, hour24, false, e))
          for (int y = 0; y < g.height; ++y)
            for (int x = 0; x < g.width; ++x) {
              COLORREF& p = want.pixels[(g.dstY + y) * want.width + g.dstX + x];
              p = (p & strip.at(g.srcX + x, g.srcY + y + kMaskOffset)) |
                  strip.at(g.srcX + x, g.srcY + y);
            }
        RECT frame;
        GetWindowRect(hwnd, &frame);
        Screenshot shot = CaptureScreen(OnScreen(frame));
        for (int y = e.timeTop; y < e.dateTop + 12; ++y)
          for (int x = 9; x < 144; ++x)
            if (shot.at(frame.left + x, frame.top + y) != want.at(x, y)) return false;
        return true;
      },
      5000);
}

TEST_F(CharacterClock, FirstEditionAtItsPlaceAboveTheScreenKeepsOthersOut) {
  const Edition& a = EditionAt(0);
  Store(a, 300, -20, 0);
  Program clock(Exe(a));
  HWND hwnd = clock.WaitForWindow(kClass);
  ASSERT_NE(hwnd, nullptr);
  CheckWindow(a, hwnd, 300, -20);
  EXPECT_EQ(PictureDifferences(a, hwnd), 0);
  EXPECT_EQ(MagentaShown(hwnd), 0);
  EXPECT_TRUE(ShowsTime(a, hwnd, false)) << "9:41 am and the date in the panel";

  // any other edition started now finds this clock, brings it forward and ends
  Program second(Exe(EditionAt(1)));
  ASSERT_TRUE(second.started());
  ASSERT_TRUE(second.WaitForExit(15000));
  DWORD code = 1;
  GetExitCodeProcess(second.process(), &code);
  EXPECT_EQ(code, 0u);
  EXPECT_EQ(ClockWindows(), 1);
  EXPECT_EQ(GetForegroundWindow(), hwnd);
  Close(clock, hwnd);
  EXPECT_EQ(ClockWindows(), 0);
}

// Started at the same moment (a sign-in, ./run all), each start looks for the window before any
// has made it; still only one clock runs, and the others end. The race is won only now and
// then, so the starts are repeated.
TEST_F(CharacterClock, EditionsStartedTogetherLeaveOneClock) {
  for (int round = 0; round < 6; ++round) {
    SCOPED_TRACE(round);
    std::vector<std::unique_ptr<Program>> starts;
    for (int i = 0; i < kEditionCount; ++i)
      starts.push_back(std::make_unique<Program>(Exe(EditionAt(i))));
    std::vector<Program*> running;
    ASSERT_TRUE(WaitUntil(
        [&] {
          running.clear();
          for (auto& start : starts) {
            if (!start->WaitForExit(0)) running.push_back(start.get());
          }
          return running.size() <= 1 && ClockWindows() >= 1;
        },
        15000))
        << running.size() << " still running, " << ClockWindows() << " clock windows";
    ASSERT_EQ(running.size(), 1u);
    EXPECT_EQ(ClockWindows(), 1);
    for (auto& start : starts) {
      if (start.get() == running[0]) continue;
      DWORD code = 1;
      GetExitCodeProcess(start->process(), &code);
      EXPECT_EQ(code, 0u);
    }
    HWND hwnd = running[0]->WaitForWindow(kClass);
    ASSERT_NE(hwnd, nullptr);
    Close(*running[0], hwnd);
  }
}

TEST_F(CharacterClock, SecondAndThirdEditions) {
  for (int i : {1, 2}) {
    const Edition& e = EditionAt(i);
    SCOPED_TRACE(Exe(e));
    // clear of the notification area's window, which Wine shows at the top left
    Store(e, 30 + 20 * i, 140, 4);  // 24-hour
    Program clock(Exe(e));
    HWND hwnd = clock.WaitForWindow(kClass);
    ASSERT_NE(hwnd, nullptr);
    CheckWindow(e, hwnd, 30 + 20 * i, 140);
    EXPECT_EQ(PictureDifferences(e, hwnd), 0);
    EXPECT_EQ(MagentaShown(hwnd), 0);
    EXPECT_TRUE(ShowsTime(e, hwnd, true));
    Close(clock, hwnd);
  }
}

// Started from a shortcut set to "minimized": a clock without a taskbar button could not be
// brought back.
TEST_F(CharacterClock, AMinimizedStartShowsTheClock) {
  const Edition& a = EditionAt(0);
  Store(a, 200, 150, 0);
  Program clock(Exe(a), L"", SW_MINIMIZE);
  HWND hwnd = clock.WaitForWindow(kClass);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(hwnd); }, 5000)) << "left minimized";
  CheckWindow(a, hwnd, 200, 150);
  Close(clock, hwnd);
}

}  // namespace
