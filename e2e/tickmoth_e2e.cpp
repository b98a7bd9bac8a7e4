#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../tickmoth/face.h"
#include "../tickmoth/res/resource.h"
#include "e2e_support.h"
#include "line_file.h"
#include "testing/immutable.h"
#include "win/raii.h"

// The picture clock under a wall clock started by the test command: a little before noon, or
// a little before 0:45:30, so that the window is up when the moment to check comes.

namespace {

constexpr wchar_t kExe[] = L"tickmoth.exe";
constexpr wchar_t kClass[] = L"TickmothClock";
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

struct Artwork {
  Screenshot illust = LoadProgramBitmap(kExe, IDB_ILLUST);
  Screenshot hour = LoadProgramBitmap(kExe, IDB_HOUR);
  Screenshot minute = LoadProgramBitmap(kExe, IDB_MINUTE);
  Screenshot second = LoadProgramBitmap(kExe, IDB_SECOND);
};

// The window's picture, with (0, 0) at its top-left.
Screenshot Picture(HWND hwnd) {
  Screenshot shot = CaptureScreen(ClientOnScreen(hwnd));
  shot.left = shot.top = 0;
  return shot;
}

// Every non-black pixel of the sprite is on screen at the corner, except where a sprite drawn
// later covers it with a non-black pixel of its own.
::testing::AssertionResult SpriteAt(const Screenshot& shot, const Screenshot& sprite,
                                    SpritePoint corner, const Screenshot* cover = nullptr,
                                    SpritePoint coverCorner = {0, 0}) {
  if (sprite.width != kSpriteSize || shot.width != kPictureSize)
    return ::testing::AssertionFailure() << "missing picture";
  int checked = 0, wrong = 0;
  for (int y = 0; y < kSpriteSize; ++y)
    for (int x = 0; x < kSpriteSize; ++x) {
      if (sprite.at(x, y) == kBlack) continue;
      int px = corner.x + x, py = corner.y + y;
      int cx = px - coverCorner.x, cy = py - coverCorner.y;
      if (cover && cx >= 0 && cy >= 0 && cx < kSpriteSize && cy < kSpriteSize &&
          cover->at(cx, cy) != kBlack)
        continue;
      ++checked;
      wrong += shot.at(px, py) != sprite.at(x, y);
    }
  if (checked > 0 && wrong == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << wrong << " of " << checked << " pixels differ at " << corner.x << "," << corner.y;
}

bool InsideCircle(int x, int y) {
  double dx = x - 74.5, dy = y - 74.5;
  return dx * dx + dy * dy < 73 * 73;  // clear of the rim, where other windows show
}

// White pixels where the bare illustration has none, in the time text's area.
int TextPixels(const Screenshot& shot, const Screenshot& illust) {
  int white = 0;
  for (int y = 30; y < 56; ++y)
    for (int x = 40; x < kPictureSize; ++x)
      white += InsideCircle(x, y) && shot.at(x, y) == kWhite && illust.at(x, y) != kWhite;
  return white;
}

LocalTime Now() {
  SYSTEMTIME st;
  GetLocalTime(&st);
  LocalTime t;
  t.hour = st.wHour;
  t.minute = st.wMinute;
  t.second = st.wSecond;
  return t;
}

int SecondsOfDay(const LocalTime& t) { return t.hour * 3600 + t.minute * 60 + t.second; }

// Polls the window's picture until `shows` holds for one, up to the time limit.
template <typename Pred>
bool WaitForFrame(HWND hwnd, Screenshot* frame, Pred shows, DWORD timeoutMs) {
  return WaitUntil(
      [&] {
        *frame = Picture(hwnd);
        return shows(*frame);
      },
      timeoutMs);
}

// Waits for the frame of the given second of the day, known by the second sprite at its corner,
// and checks that it came when the clock read that second. False when no such frame came.
// A one-second timer whose phase sits on the second's boundary can step over that second, so
// one extra tick is asked for while the clock reads it.
bool FrameOfSecond(HWND hwnd, const Artwork& art, SpritePoint secondCorner, int secondOfDay,
                   Screenshot* frame) {
  bool nudged = false;
  auto shows = [&](const Screenshot& s) {
    if (SpriteAt(s, art.second, secondCorner)) return true;
    SYSTEMTIME st;
    GetLocalTime(&st);
    bool midSecond = st.wHour * 3600 + st.wMinute * 60 + st.wSecond == secondOfDay &&
                     st.wMilliseconds >= 300 && st.wMilliseconds < 700;
    if (!nudged && midSecond) nudged = PostMessageW(hwnd, WM_TIMER, 1, 0);
    return false;
  };
  if (!WaitForFrame(hwnd, frame, shows, 20000)) return false;
  int seen = SecondsOfDay(Now());
  EXPECT_GE(seen, secondOfDay);
  EXPECT_LE(seen, secondOfDay + 2);
  return true;
}

std::wstring IniPath() { return DriverFolder() + L"tickmoth.INI"; }

// Each scenario starts as a first start and leaves no position behind for the next one, nor for
// a person who runs the program from the build folder afterwards.
class FirstStart : public ::testing::Test {
 protected:
  void SetUp() override { DeleteFileW(IniPath().c_str()); }
  void TearDown() override { DeleteFileW(IniPath().c_str()); }
};

}  // namespace

#if defined(TICKMOTH_E2E_NOON)

namespace {

using PictureClockAtNoon = FirstStart;

// Whether the box around the time text's white pixels lies inside the circle, clear of its rim:
// a text too long for the window is cut by the rim, and its box's corner lies outside.
::testing::AssertionResult TextInsideCircle(const Screenshot& shot, const Screenshot& illust) {
  int left = kPictureSize, right = -1, top = kPictureSize, bottom = -1;
  for (int y = 30; y < 56; ++y)
    for (int x = 40; x < kPictureSize; ++x)
      if (InsideCircle(x, y) && shot.at(x, y) == kWhite && illust.at(x, y) != kWhite) {
        left = std::min(left, x), right = std::max(right, x);
        top = std::min(top, y), bottom = std::max(bottom, y);
      }
  if (right < 0) return ::testing::AssertionFailure() << "no time text";
  for (int x : {left, right})
    for (int y : {top, bottom}) {
      double dx = x - 74.5, dy = y - 74.5;
      if (dx * dx + dy * dy >= 71 * 71)
        return ::testing::AssertionFailure() << "the text from " << left << "," << top << " to "
                                             << right << "," << bottom << " reaches the rim";
    }
  return ::testing::AssertionSuccess();
}

bool InBox(int x, int y, SpritePoint corner) {
  return x >= corner.x && y >= corner.y && x < corner.x + kSpriteSize && y < corner.y + kSpriteSize;
}

// Pixels that differ from the bare illustration outside the sprites' boxes for any moment
// from `from` to `to`: a frame drawn in between shows no text if this is 0.
int ChangesBesideSprites(const Screenshot& shot, const Screenshot& illust, const LocalTime& from,
                         const LocalTime& to) {
  std::vector<SpritePoint> boxes;
  for (int s = SecondsOfDay(from); s <= SecondsOfDay(to); ++s) {
    LocalTime t;
    t.hour = s / 3600;
    t.minute = s / 60 % 60;
    t.second = s % 60;
    SpriteCentres c = SpriteCentresAt(t);
    for (SpritePoint p : {c.hour, c.minute, c.second}) boxes.push_back(SpriteCorner(p));
  }
  int changed = 0;
  for (int y = 0; y < kPictureSize; ++y)
    for (int x = 0; x < kPictureSize; ++x) {
      bool covered = false;
      for (SpritePoint b : boxes) covered = covered || InBox(x, y, b);
      changed += InsideCircle(x, y) && !covered && shot.at(x, y) != illust.at(x, y);
    }
  return changed;
}

RECT WindowRect(HWND hwnd) {
  RECT r{};
  GetWindowRect(hwnd, &r);
  return r;
}

// Where the window opens on a start that is closed again at once.
RECT PlaceOfAStart() {
  Program clock(kExe);
  HWND hwnd = clock.WaitForWindow(kClass);
  if (!hwnd) {
    ADD_FAILURE() << "no window";
    return RECT{-1, -1, -1, -1};
  }
  RECT place = WindowRect(hwnd);
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(clock.WaitForExit(10000));
  return place;
}

}  // namespace

TEST_F(PictureClockAtNoon, FirstStartIsRoundAtTheOriginAndShowsNoon) {
  Artwork art;
  ASSERT_EQ(art.illust.width, kPictureSize);
  Program clock(kExe);
  ASSERT_TRUE(clock.started());
  HWND hwnd = clock.WaitForWindow(kClass);
  ASSERT_NE(hwnd, nullptr);
  LocalTime shown = Now();
  ASSERT_LT(SecondsOfDay(shown), 12 * 3600) << "the window came up after noon";

  RECT frame = WindowRect(hwnd);
  EXPECT_EQ(frame.left, 0);
  EXPECT_EQ(frame.top, 0);
  EXPECT_EQ(frame.right - frame.left, 150);
  EXPECT_EQ(frame.bottom - frame.top, 150);
  RECT client = ClientOnScreen(hwnd);
  EXPECT_EQ(client.right - client.left, 150);
  EXPECT_EQ(client.bottom - client.top, 150);

  Gdi<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(hwnd, region.get()), ERROR);
  for (POINT corner : {POINT{0, 0}, POINT{149, 0}, POINT{0, 149}, POINT{149, 149}, POINT{10, 10}})
    EXPECT_FALSE(PtInRegion(region.get(), corner.x, corner.y)) << corner.x << "," << corner.y;
  for (POINT in : {POINT{75, 75}, POINT{75, 1}, POINT{1, 75}, POINT{148, 75}, POINT{75, 148}})
    EXPECT_TRUE(PtInRegion(region.get(), in.x, in.y)) << in.x << "," << in.y;
  // The first paint may come a moment after the window shows.
  Screenshot now;
  ASSERT_TRUE(WaitForFrame(
      hwnd, &now, [&](const Screenshot& s) { return s.at(75, 100) == art.illust.at(75, 100); },
      5000))
      << "the picture never showed";
  EXPECT_NE(now.at(0, 0), art.illust.at(0, 0)) << "the corner shows the picture";
  EXPECT_NE(now.at(149, 149), art.illust.at(149, 149)) << "the corner shows the picture";

  // At 12:00:00 all three sprites sit at the top, the second on top of the others.
  Screenshot noon;
  ASSERT_TRUE(FrameOfSecond(hwnd, art, {67, 3}, 12 * 3600, &noon))
      << "no frame with the second sprite at the top";
  EXPECT_TRUE(SpriteAt(noon, art.minute, {67, 3}, &art.second, {67, 3}));
  EXPECT_GT(TextPixels(noon, art.illust), 20) << "no time text";
  // In any locale: the test runs in Wine's English one, whose format adds " PM".
  EXPECT_TRUE(TextInsideCircle(noon, art.illust));

  // A few seconds later the second has gone on and the minute sprite shows whole.
  ASSERT_TRUE(WaitUntil([] { return SecondsOfDay(Now()) >= 12 * 3600 + 5; }, 10000));
  Screenshot later;
  EXPECT_TRUE(WaitForFrame(
      hwnd, &later,
      [&](const Screenshot& s) {
        return SpriteAt(s, art.minute, {67, 3}) && !SpriteAt(s, art.second, {67, 3});
      },
      5000))
      << "the second sprite stayed at the top, or the minute sprite did not show whole";

  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(clock.WaitForExit(10000));
}

TEST_F(PictureClockAtNoon, TimeTextGoesAtTheNextTickAndComesBack) {
  Artwork art;
  Program clock(kExe);
  HWND hwnd = clock.WaitForWindow(kClass);
  ASSERT_NE(hwnd, nullptr);
  Screenshot shot;
  auto showsText = [&](const Screenshot& s) { return TextPixels(s, art.illust) > 20; };
  EXPECT_TRUE(WaitForFrame(hwnd, &shot, showsText, 5000)) << "no time text at the start";

  // A frame with nothing but the picture and the sprites of the seconds since the command.
  SendMessageW(hwnd, WM_COMMAND, IDM_N1, 0);
  LocalTime from = Now();
  from.second = from.second >= 1 ? from.second - 1 : 0;
  int changes = -1;
  EXPECT_TRUE(WaitForFrame(
      hwnd, &shot,
      [&](const Screenshot& s) {
        changes = ChangesBesideSprites(s, art.illust, from, Now());
        return changes == 0;
      },
      5000))
      << changes << " pixels changed beside the sprites";

  SendMessageW(hwnd, WM_COMMAND, IDM_N1, 0);
  EXPECT_TRUE(WaitForFrame(hwnd, &shot, showsText, 5000)) << "the time text did not come back";

  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(clock.WaitForExit(10000));
}

TEST_F(PictureClockAtNoon, ClosingRemembersThePositionForTheNextStart) {
  {
    Program clock(kExe);
    HWND hwnd = clock.WaitForWindow(kClass);
    ASSERT_NE(hwnd, nullptr);
    SetWindowPos(hwnd, nullptr, 230, 140, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(hwnd).left == 230; }, 2000));
    EXPECT_FALSE(ReadFileBytes(IniPath())) << "written before the close";
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(clock.WaitForExit(10000));
    DWORD code = 1;
    EXPECT_TRUE(GetExitCodeProcess(clock.process(), &code));
    EXPECT_EQ(code, 0u) << "a normal close ends with exit code 0";
  }
  EXPECT_EQ(ReadFileBytes(IniPath()).value_or("(none)"), "[Position]\r\nXpos=230\r\nYpos=140\r\n");
  RECT next = PlaceOfAStart();
  EXPECT_EQ(next.left, 230);
  EXPECT_EQ(next.top, 140);
}

TEST_F(PictureClockAtNoon, NonsenseInTheFileReadsAsZeroAndOtherLinesStay) {
  ASSERT_TRUE(
      WriteFileBytes(IniPath(), "[Position]\r\nXpos=300\r\nYpos=abc\r\n[Note]\r\nkeep=1\r\n"));
  RECT place = PlaceOfAStart();
  EXPECT_EQ(place.left, 300);
  EXPECT_EQ(place.top, 0);
  EXPECT_EQ(ReadFileBytes(IniPath()).value_or("(none)"),
            "[Position]\r\nXpos=300\r\nYpos=0\r\n[Note]\r\nkeep=1\r\n");
}

TEST_F(PictureClockAtNoon, APositionWhoseMiddleIsOffEveryMonitorOpensAtTheOrigin) {
  // The 150 by 150 square reaches onto the screen, but no pixel of the circle would.
  ASSERT_TRUE(WriteFileBytes(IniPath(), "[Position]\r\nXpos=-140\r\nYpos=-140\r\n"));
  RECT place = PlaceOfAStart();
  EXPECT_EQ(place.left, 0);
  EXPECT_EQ(place.top, 0);
  // With the middle just on the screen the clock opens where it was left.
  ASSERT_TRUE(WriteFileBytes(IniPath(), "[Position]\r\nXpos=-59\r\nYpos=-59\r\n"));
  place = PlaceOfAStart();
  EXPECT_EQ(place.left, -59);
  EXPECT_EQ(place.top, -59);
}

// Started from a shortcut set to "minimized": a clock without a taskbar button could not be
// brought back, and its minimized place would be saved.
TEST_F(PictureClockAtNoon, AMinimizedStartShowsTheClockAndSavesItsOwnPlace) {
  Program clock(kExe, L"", SW_SHOWMINNOACTIVE);
  HWND hwnd = clock.WaitForWindow(kClass);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_TRUE(WaitUntil([&] { return !IsIconic(hwnd); }, 5000)) << "left minimized";
  EXPECT_EQ(WindowRect(hwnd).left, 0);
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  ASSERT_TRUE(clock.WaitForExit(10000));
  EXPECT_EQ(ReadFileBytes(IniPath()).value_or("(none)"), "[Position]\r\nXpos=0\r\nYpos=0\r\n");
}

// A program folder that takes no new files, with a position file the user may change: the
// position is still saved.
TEST_F(PictureClockAtNoon, ALockedFolderStillGetsThePositionSaved) {
  const std::wstring folder = DriverFolder() + L"locked-tickmoth";
  const std::wstring ini = folder + L"\\tickmoth.INI";
  ClearImmutable(folder);  // what a killed run may have left
  DeleteFileW((folder + L"\\tickmoth.exe").c_str());
  DeleteFileW(ini.c_str());
  RemoveDirectoryW(folder.c_str());
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(
      CopyFileW((DriverFolder() + kExe).c_str(), (folder + L"\\tickmoth.exe").c_str(), TRUE));
  ASSERT_TRUE(WriteFileBytes(ini, "[Position]\r\nXpos=10\r\nYpos=20\r\n"));
  {
    Immutable locked(folder);
    ASSERT_TRUE(locked.active() || !ImmutableFlagExpected())
        << "could not make the folder refuse new files";
    if (!locked.active()) GTEST_SKIP() << "no immutable flag here (needs Linux and root)";
    Program clock(L"locked-tickmoth\\tickmoth.exe");
    HWND hwnd = clock.WaitForWindow(kClass);
    ASSERT_NE(hwnd, nullptr);
    EXPECT_EQ(WindowRect(hwnd).left, 10);
    SetWindowPos(hwnd, nullptr, 310, 220, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(WaitUntil([&] { return WindowRect(hwnd).left == 310; }, 2000));
    PostMessageW(hwnd, WM_CLOSE, 0, 0);
    ASSERT_TRUE(clock.WaitForExit(10000));
    EXPECT_EQ(ReadFileBytes(ini).value_or("(none)"), "[Position]\r\nXpos=310\r\nYpos=220\r\n");
    // Nothing new could be made there, and the test did not fool itself.
    EXPECT_FALSE(WriteFileBytes(folder + L"\\probe.ini", "x"));
  }
  EXPECT_TRUE(DeleteFileW(ini.c_str()));
  EXPECT_TRUE(DeleteFileW((folder + L"\\tickmoth.exe").c_str()));
  // Wine may release the program file a moment after the process has gone.
  EXPECT_TRUE(WaitUntil([&] { return RemoveDirectoryW(folder.c_str()) != FALSE; }, 5000));
}

#elif defined(TICKMOTH_E2E_QUARTER_TO_ONE)

using PictureClockAtQuarterToOne = FirstStart;

TEST_F(PictureClockAtQuarterToOne, MinuteAtTheLeftAndSecondAtTheBottomAtHalfPast) {
  Artwork art;
  Program clock(kExe);
  ASSERT_TRUE(clock.started());
  HWND hwnd = clock.WaitForWindow(kClass);
  ASSERT_NE(hwnd, nullptr);
  const int halfPast = 45 * 60 + 30;
  ASSERT_LT(SecondsOfDay(Now()), halfPast) << "the window came up after 0:45:30";

  Screenshot frame;
  ASSERT_TRUE(FrameOfSecond(hwnd, art, {67, 131}, halfPast, &frame))
      << "no frame with the second sprite at the bottom";
  EXPECT_TRUE(SpriteAt(frame, art.minute, {3, 67}));  // centre (11, 75)
  EXPECT_TRUE(SpriteAt(frame, art.hour, {91, 7}));    // 22.5 degrees past the top
  EXPECT_GT(TextPixels(frame, art.illust), 20);

  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(clock.WaitForExit(10000));
}

#else
#error "Build this driver for one start time: TICKMOTH_E2E_NOON or TICKMOTH_E2E_QUARTER_TO_ONE"
#endif
