// The real window procedure and dialogs of the first edition, driven in-process with a fake wall
// clock and a fake sound player.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "clock_shell.h"
#include "line_file.h"
#include "region_reference.h"
#include "res/resource.h"
#include "test_option.h"
#include "testing/program_files.h"
#include "testing/fake_shell.h"
#include "testing/thread_windows.h"
#include "win/pixels.h"
#include "win/raii.h"
#include "win/system.h"

namespace {

const Edition& kEdition = EditionAt(0);
LocalTime g_fakeNow{2026, 12, 9, 3, 7, 29, 50};
std::vector<std::string> g_played;
int g_stops = 0;

LocalTime FakeNow() { return g_fakeNow; }
void FakePlay(const std::string& file) { g_played.push_back(file); }
void FakeStop() { ++g_stops; }

void WriteKey(KeyPlace place, uint32_t position, uint32_t option, const std::string& file = "") {
  RegistryKeys keys(kEdition.subkey);
  ASSERT_TRUE(keys.Write(place, position, option, AlarmFnValue(file)));
}

StoredValues ReadKey(KeyPlace place) {
  RegistryKeys keys(kEdition.subkey);
  StoredValues values;
  EXPECT_TRUE(keys.Read(place, values));
  return values;
}

Pixels ResourceBitmap(int id) {
  Gdi<HBITMAP> bitmap(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
  return bitmap ? CaptureBitmap(bitmap.get()) : Pixels{};
}

// --- driving modal dialogs from a thread timer, which their message loops dispatch ----------

using Step = std::function<bool()>;  // true when done; false to try again on the next tick
struct Script {
  std::vector<Step> steps;
  size_t next = 0;
  int ticks = 0;
};
Script* g_script = nullptr;

BOOL CALLBACK CancelDialog(HWND hwnd, LPARAM) {
  wchar_t name[32] = {};
  GetClassNameW(hwnd, name, 32);
  if (wcscmp(name, L"#32770") == 0) PostMessageW(hwnd, WM_COMMAND, IDCANCEL, 0);
  return TRUE;
}

void CALLBACK StepTimer(HWND, UINT, UINT_PTR, DWORD) {
  Script& s = *g_script;
  if (s.next < s.steps.size() && s.steps[s.next]()) ++s.next;
  // A script that stalls must not hang the test run.
  if (++s.ticks > 300) EnumThreadWindows(GetCurrentThreadId(), CancelDialog, 0);
}

// Runs `open` (which shows a modal dialog) while the steps play against it.
void RunScript(std::vector<Step> steps, const std::function<void()>& open) {
  Script script{std::move(steps)};
  g_script = &script;
  UINT_PTR timer = SetTimer(nullptr, 0, 20, StepTimer);
  open();
  KillTimer(nullptr, timer);
  g_script = nullptr;
  EXPECT_EQ(script.next, script.steps.size()) << "the script stopped at step " << script.next;
}

HWND Dialog(const wchar_t* caption) { return FindThreadWindow(L"#32770", caption); }

BOOL CALLBACK CollectText(HWND hwnd, LPARAM lParam) {
  wchar_t text[128] = {};
  GetWindowTextW(hwnd, text, 128);
  reinterpret_cast<std::vector<std::wstring>*>(lParam)->push_back(text);
  return TRUE;
}
std::vector<std::wstring> ChildTexts(HWND hwnd) {
  std::vector<std::wstring> texts;
  EnumChildWindows(hwnd, CollectText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

// A step that answers the warning box with the given text, and records that it came.
Step AnswerWarning(const wchar_t* text, bool* seen) {
  return [=] {
    HWND box = Dialog(L"数値異常");
    if (!box) return false;
    for (const std::wstring& t : ChildTexts(box)) *seen = *seen || t == text;
    PostMessageW(box, WM_COMMAND, IDOK, 0);
    return true;
  };
}

class ClockWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    g_seams = {FakeNow, FakePlay, FakeStop, Shell_NotifyIconW};
    g_played.clear();
    g_stops = 0;
  }
  void TearDown() override {
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }  // the quit message the window posted
  }
  void Start(int show = SW_SHOWNOACTIVATE) {
    hwnd_ = StartCharacterClock(GetModuleHandleW(nullptr), show, kEdition);
    ASSERT_NE(hwnd_, nullptr);
    Pump();
  }
  void Pump() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  }
  void TickAt(const LocalTime& now) {
    g_fakeNow = now;
    SendMessageW(hwnd_, WM_TIMER, kEdition.timerId, 0);
  }
  Pixels Client() {
    WindowDc dc(hwnd_);
    return CaptureDc(dc.get(), 0, 0, kEdition.window.width, kEdition.window.height);
  }
  void Command(UINT id) { SendMessageW(hwnd_, WM_COMMAND, id, 0); }
  // Both places the settings may live start and end empty.
  RegistryKeyGuard shared_{RegistryKeys::Root(KeyPlace::kShared),
                           RegistryKeys(kEdition.subkey).Path(KeyPlace::kShared)};
  RegistryKeyGuard user_{RegistryKeys::Root(KeyPlace::kUser),
                         RegistryKeys(kEdition.subkey).Path(KeyPlace::kUser)};
  HWND hwnd_ = nullptr;
};

TEST_F(ClockWindowTest, WindowAtItsStoredPlaceWithTheTablesTitleSizeAndShape) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 60), 0);
  Start();
  wchar_t text[64] = {}, name[32] = {};
  GetWindowTextW(hwnd_, text, 64);
  GetClassNameW(hwnd_, name, 32);
  EXPECT_STREQ(text, L"Tamselクロック(Wren)");
  EXPECT_STREQ(name, L"TAMSELWND");
  RECT frame;
  GetWindowRect(hwnd_, &frame);
  EXPECT_EQ(frame.left, 40);
  EXPECT_EQ(frame.top, 60);
  EXPECT_EQ(frame.right - frame.left, 272);
  EXPECT_EQ(frame.bottom - frame.top, 200);
  LONG_PTR ex = GetWindowLongPtrW(hwnd_, GWL_EXSTYLE);
  EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
  EXPECT_FALSE(ex & WS_EX_TOPMOST) << "neither pinned nor on top: normal z-order";

  // the shape is the picture's non-magenta pixels, as a pixel-by-pixel reading of its own
  // colours finds them, whatever the display's
  Gdi<HBITMAP> picture(
      static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_BACKGROUND),
                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
  Gdi<HRGN> shape(CreateRectRgn(0, 0, 0, 0));
  ASSERT_EQ(GetWindowRgn(hwnd_, shape.get()), COMPLEXREGION);
  Gdi<HRGN> slow(RegionFromBitmapPixelByPixel(picture.get(), kKeyColour));
  EXPECT_TRUE(EqualRgn(shape.get(), slow.get()));

  // no magenta pixel of the picture shows on screen
  UpdateWindow(hwnd_);
  WindowDc screen(nullptr);
  Pixels shown = CaptureDc(screen.get(), 40, 60, 272, 200);
  int magenta = 0;
  for (COLORREF c : shown.pixels) magenta += c == kKeyColour;
  EXPECT_EQ(magenta, 0);

  // a second start finds this clock and makes no window of its own
  EXPECT_EQ(StartCharacterClock(GetModuleHandleW(nullptr), SW_SHOW, EditionAt(2)), nullptr);
}

// How long each way takes is ./bench's to report (the tamsel_paint_timing programs), not a
// test's to assert.
TEST(Region, OneReadGivesTheSameShapeAsPixelByPixel) {
  Gdi<HBITMAP> picture(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_BACKGROUND)));
  ASSERT_TRUE(picture);
  Gdi<HRGN> fast(RegionFromBitmap(picture.get(), kKeyColour));
  Gdi<HRGN> slow(RegionFromBitmapPixelByPixel(picture.get(), kKeyColour));
  ASSERT_TRUE(fast && slow);
  EXPECT_TRUE(EqualRgn(fast.get(), slow.get()));

  WindowDc screen(nullptr);
  // a picture that is all key colour has no shape: the window keeps its rectangle
  Gdi<HBITMAP> magenta(CreateCompatibleBitmap(screen.get(), 8, 4));
  {
    MemoryDc dc(CreateCompatibleDC(screen.get()));
    Selection s(dc.get(), magenta.get());
    Gdi<HBRUSH> brush(CreateSolidBrush(kKeyColour));
    RECT all{0, 0, 8, 4};
    FillRect(dc.get(), &all, brush.get());
  }
  EXPECT_EQ(RegionFromBitmap(magenta.get(), kKeyColour), nullptr);
}

TEST_F(ClockWindowTest, PaintsMaskedGlyphsOverThePanel) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 40), (7u * 64 + 30) << 21 | 2);  // 12-hour
  g_fakeNow = {2026, 12, 9, 3, 12, 5, 10};
  Start();
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);
  Pixels shown = Client();
  Pixels back = ResourceBitmap(IDB_BACKGROUND), strip = ResourceBitmap(IDB_GLYPHS);
  ASSERT_EQ(strip.width, kGlyphStripWidth);
  // what the two raster operations make of the background, glyph by glyph
  Pixels want = back;
  std::vector<GlyphBlit> glyphs = GlyphsFor(g_fakeNow, false, true, kEdition);
  for (const GlyphBlit& g : glyphs)
    for (int y = 0; y < g.height; ++y)
      for (int x = 0; x < g.width; ++x) {
        COLORREF& p = want.pixels[(g.dstY + y) * want.width + g.dstX + x];
        p = (p & strip.at(g.srcX + x, g.srcY + y + kMaskOffset)) | strip.at(g.srcX + x, g.srcY + y);
      }
  int wrong = 0, inked = 0;
  for (int y = kEdition.timeTop; y < kEdition.dateTop + 12; ++y)
    for (int x = 9; x < 144; ++x) {
      wrong += shown.at(x, y) != want.at(x, y);
      inked += want.at(x, y) != back.at(x, y);
    }
  EXPECT_EQ(wrong, 0);
  EXPECT_GT(inked, 300);
  // 12:05 in 12-hour mode reads 0:05 pm: no hour tens, pm and the alarm mark shown
  EXPECT_EQ(glyphs.front().srcY, 24);
  EXPECT_EQ(glyphs[1].dstX, 60);
  EXPECT_EQ(glyphs.back().srcY, 36);
}

TEST_F(ClockWindowTest, AnimationRepaintsOnlyItsAreaAndDrawsTheFrame) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 40), 0);
  g_fakeNow = {2026, 12, 9, 3, 10, 0, 0};
  Start();
  // the test steps the animation itself
  KillTimer(hwnd_, kEdition.timerId);
  Pump();
  g_clock.tick.counter = 0;
  UpdateWindow(hwnd_);
  for (int tick = 1; tick <= 11; ++tick) {
    TickAt(g_fakeNow);
    RECT dirty{};
    bool any = GetUpdateRect(hwnd_, &dirty, FALSE);
    EXPECT_EQ(any, tick == 10) << tick;
    if (tick == 10) {
      EXPECT_EQ(dirty.left, 160);
      EXPECT_EQ(dirty.top, 0);
      EXPECT_EQ(dirty.right, 256);
      EXPECT_EQ(dirty.bottom, 112);
    }
    UpdateWindow(hwnd_);
  }
  TickAt(g_fakeNow);  // tick 12: frame 3
  UpdateWindow(hwnd_);
  Pixels shown = Client(), frames = ResourceBitmap(IDB_FRAMES),
         back = ResourceBitmap(IDB_BACKGROUND);
  int wrong = 0;
  for (int y = 0; y < 112; ++y)
    for (int x = 0; x < 96; ++x)
      if (back.at(160 + x, y) != kKeyColour) wrong += shown.at(160 + x, y) != frames.at(192 + x, y);
  EXPECT_EQ(wrong, 0);

  // a new minute repaints the whole client area
  g_fakeNow.minute = 1;
  TickAt(g_fakeNow);
  RECT dirty{};
  ASSERT_TRUE(GetUpdateRect(hwnd_, &dirty, FALSE));
  EXPECT_EQ(dirty.right - dirty.left, 272);
  EXPECT_EQ(dirty.bottom - dirty.top, 200);
}

TEST_F(ClockWindowTest, AlarmPlaysOnceInItsSecondZero) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 40), kOption730, "C:\\sounds\\bell.wav");
  g_fakeNow = {2026, 12, 9, 3, 7, 29, 59};
  Start();
  UpdateWindow(hwnd_);
  EXPECT_TRUE(g_played.empty());
  TickAt({2026, 12, 9, 3, 7, 30, 0});  // the new minute repaints
  UpdateWindow(hwnd_);
  ASSERT_EQ(g_played.size(), 1u);
  EXPECT_EQ(g_played[0], "C:\\sounds\\bell.wav");
  for (int i = 0; i < 5; ++i) {
    TickAt({2026, 12, 9, 3, 7, 30, 0});
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
  }
  EXPECT_EQ(g_played.size(), 1u);
  TickAt({2026, 12, 9, 3, 7, 30, 1});
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);
  TickAt({2026, 12, 10, 4, 7, 30, 0});  // the next day
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);
  EXPECT_EQ(g_played.size(), 2u);
}

// A timer held up over second 0 (a busy machine) still gets the day's alarm, once.
TEST_F(ClockWindowTest, AlarmSoundsAtALateFirstPaintOfItsMinute) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 40), kOption730, "C:\\sounds\\bell.wav");
  g_fakeNow = {2026, 12, 9, 3, 7, 29, 58};
  Start();
  UpdateWindow(hwnd_);
  TickAt({2026, 12, 9, 3, 7, 30, 2});
  UpdateWindow(hwnd_);
  EXPECT_EQ(g_played.size(), 1u);
  for (int second = 3; second < 6; ++second) {
    TickAt({2026, 12, 9, 3, 7, 30, second});
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
  }
  EXPECT_EQ(g_played.size(), 1u);
}

TEST_F(ClockWindowTest, SetupOkWritesTheLoadedOptionBackUnchanged) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 40), kOption730, "C:\\a.wav");
  Start();
  const Settings& s = g_clock.settings;
  EXPECT_EQ(s.alarmHour, 7);
  EXPECT_EQ(s.alarmMinute, 30);
  EXPECT_TRUE(s.alarmActive);
  EXPECT_TRUE(s.hour24);
  EXPECT_FALSE(s.pinned);
  EXPECT_FALSE(s.onTop);
  bool states = false;
  RunScript({[&] {
              HWND dlg = Dialog(L"SETUP");
              if (!dlg) return false;
              states = IsDlgButtonChecked(dlg, IDC_HOUR24) && !IsDlgButtonChecked(dlg, IDC_PIN) &&
                       !IsDlgButtonChecked(dlg, IDC_ON_TOP) && g_clock.dialogOpen;
              PostMessageW(dlg, WM_COMMAND, IDOK, 0);
              return true;
            }},
            [&] { Command(IDM_SETUP); });
  EXPECT_TRUE(states);
  EXPECT_FALSE(g_clock.dialogOpen);
  StoredValues stored = ReadKey(KeyPlace::kShared);
  EXPECT_EQ(stored.option.value_or(0), kOption730);
  EXPECT_EQ(stored.position.value_or(0), PackPosition(40, 40));
  ASSERT_TRUE(stored.alarmFn);
  EXPECT_EQ(AlarmFileFromValue(*stored.alarmFn), "C:\\a.wav");

  // choosing ALWAYS ON TOP makes the window topmost; NORMAL clears both flags
  RunScript({[&] {
              HWND dlg = Dialog(L"SETUP");
              if (!dlg) return false;
              SendDlgItemMessageW(dlg, IDC_ON_TOP, BM_CLICK, 0, 0);
              PostMessageW(dlg, WM_COMMAND, IDOK, 0);
              return true;
            }},
            [&] { Command(IDM_SETUP); });
  EXPECT_TRUE(g_clock.settings.onTop);
  EXPECT_TRUE(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RunScript({[&] {
              HWND dlg = Dialog(L"SETUP");
              if (!dlg) return false;
              // the third radio button, NORMAL, shares its id with ALWAYS ON TOP
              HWND normal = GetNextDlgGroupItem(dlg, GetDlgItem(dlg, IDC_ON_TOP), FALSE);
              SendMessageW(normal, BM_CLICK, 0, 0);
              PostMessageW(dlg, WM_COMMAND, IDOK, 0);
              return true;
            }},
            [&] { Command(IDM_SETUP); });
  EXPECT_EQ(ReadKey(KeyPlace::kShared).option.value_or(0) & 9u, 0u);
  EXPECT_FALSE(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(ClockWindowTest, AlarmDialogRefusesOutOfRangeTimes) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 40), kOption730);
  Start();
  bool hourRefused = false, minuteRefused = false;
  std::wstring hourShown, minuteShown;
  int hourLow = -1, hourHigh = -1;
  RunScript({[&] {
               HWND dlg = Dialog(L"ALARM");
               if (!dlg) return false;
               wchar_t text[8] = {};
               GetDlgItemTextW(dlg, IDC_HOUR, text, 8);
               hourShown = text;
               GetDlgItemTextW(dlg, IDC_MINUTE, text, 8);
               minuteShown = text;
               SendDlgItemMessageW(dlg, IDC_HOUR_SPIN, UDM_GETRANGE32,
                                   reinterpret_cast<WPARAM>(&hourLow),
                                   reinterpret_cast<LPARAM>(&hourHigh));
               SetDlgItemTextW(dlg, IDC_HOUR, L"24");
               PostMessageW(dlg, WM_COMMAND, IDOK, 0);
               return true;
             },
             AnswerWarning(L"時間は0～23の範囲です", &hourRefused),
             [&] {
               HWND dlg = Dialog(L"ALARM");
               if (!dlg) return false;
               SetDlgItemTextW(dlg, IDC_HOUR, L"123");
               SetDlgItemTextW(dlg, IDC_MINUTE, L"60");
               PostMessageW(dlg, WM_COMMAND, IDOK, 0);
               return true;
             },
             AnswerWarning(L"分は0～59の範囲です", &minuteRefused),
             [&] {
               HWND dlg = Dialog(L"ALARM");
               if (!dlg) return false;
               // the hour read from "123" is already taken
               EXPECT_EQ(g_clock.settings.alarmHour, 12);
               SetDlgItemTextW(dlg, IDC_MINUTE, L"5");
               SetDlgItemTextW(dlg, IDC_WAVE, L"C:\\鐘.wav");
               PostMessageW(dlg, WM_COMMAND, IDOK, 0);
               return true;
             }},
            [&] { Command(IDM_ALARM); });
  EXPECT_EQ(hourShown, L"7");
  EXPECT_EQ(minuteShown, L"30");
  EXPECT_EQ(hourLow, 0);
  EXPECT_EQ(hourHigh, 23);
  EXPECT_TRUE(hourRefused);
  EXPECT_TRUE(minuteRefused);
  StoredValues stored = ReadKey(KeyPlace::kShared);
  Settings back;
  ApplyOption(stored.option.value_or(0), back);
  EXPECT_EQ(back.alarmHour, 12);
  EXPECT_EQ(back.alarmMinute, 5);
  EXPECT_TRUE(back.alarmActive);
  EXPECT_EQ(AlarmFileFromValue(stored.alarmFn.value_or("")), "C:\\\x8F\xE0.wav");
  EXPECT_GE(g_stops, 2) << "the menu item and OK stop any sound";
  EXPECT_FALSE(g_clock.dialogOpen);
}

// A chosen path whose code page 932 form the stored buffer cannot hold would be cut into the
// name of another file: it is refused like a path the code page cannot write.
TEST_F(ClockWindowTest, BrowseRefusesAPathTooLongToStore) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 40), kOption730, "C:\\a.wav");
  // 162 characters, 283 bytes in code page 932
  const std::wstring folder = GetModuleFolder() + std::wstring(60, L'鐘');
  const std::wstring inner = folder + L"\\" + std::wstring(60, L'鐘');
  const std::wstring wave = inner + L"\\鐘.wav";
  wchar_t current[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, current);
  auto remove = [&] {
    SetCurrentDirectoryW(current);  // the file dialog may have made the folder current
    DeleteFileW(wave.c_str());
    RemoveDirectoryW(inner.c_str());
    return RemoveDirectoryW(folder.c_str()) != FALSE;
  };
  remove();  // what an interrupted run left
  ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
  ASSERT_TRUE(CreateDirectoryW(inner.c_str(), nullptr));
  ASSERT_TRUE(WriteFileBytes(wave, "RIFF"));
  Start();
  std::wstring refusal, shown;
  RunScript({[&] {
               HWND dlg = Dialog(L"ALARM");
               if (!dlg) return false;
               PostMessageW(GetDlgItem(dlg, IDC_BROWSE), BM_CLICK, 0, 0);
               return true;
             },
             [&] {
               HWND open = Dialog(L"WAVEファイル指定");
               if (!open) return false;
               SetDlgItemTextW(open, cmb13, wave.c_str());
               PostMessageW(open, WM_COMMAND, IDOK, 0);
               return true;
             },
             [&] { return !(refusal = AnswerMessageBox()).empty(); },
             [&] {
               HWND dlg = Dialog(L"ALARM");
               if (!dlg || Dialog(L"WAVEファイル指定")) return false;
               shown = WindowText(GetDlgItem(dlg, IDC_WAVE));
               PostMessageW(dlg, WM_COMMAND, IDCANCEL, 0);
               return true;
             }},
            [&] { Command(IDM_ALARM); });
  EXPECT_EQ(refusal, L"パスが長すぎて保存できません。");
  EXPECT_EQ(shown, L"C:\\a.wav");
  EXPECT_EQ(g_clock.settings.alarmFile, "C:\\a.wav");
  EXPECT_TRUE(remove());
}

TEST_F(ClockWindowTest, UserCopyIsLoadedAndKeptCurrent) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 40), 0);
  WriteKey(KeyPlace::kUser, PackPosition(50, 40), kOption730);
  Start();
  EXPECT_EQ(g_clock.settings.alarmMinute, 30) << "the user's copy wins";
  RECT frame;
  GetWindowRect(hwnd_, &frame);
  EXPECT_EQ(frame.left, 50);
  RunScript({[&] {
              HWND dlg = Dialog(L"SETUP");
              if (!dlg) return false;
              SendDlgItemMessageW(dlg, IDC_PIN, BM_CLICK, 0, 0);
              PostMessageW(dlg, WM_COMMAND, IDOK, 0);
              return true;
            }},
            [&] { Command(IDM_SETUP); });
  EXPECT_EQ(ReadKey(KeyPlace::kUser).option.value_or(0), kOption730 | 1);
  EXPECT_EQ(ReadKey(KeyPlace::kShared).option.value_or(0), kOption730 | 1);
}

TEST_F(ClockWindowTest, OverlongAlarmFileWithoutItsZeroIsCutSafely) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 40), kOption730);
  RegistryKeys keys(kEdition.subkey);
  HKEY opened = nullptr;
  ASSERT_EQ(
      RegOpenKeyExW(HKEY_USERS, keys.Path(KeyPlace::kShared).c_str(), 0, KEY_SET_VALUE, &opened),
      ERROR_SUCCESS);
  RegKey key(opened);
  std::wstring longer(600, L'x');  // stored without a terminating zero
  ASSERT_EQ(
      RegSetValueExW(key.get(), L"AlarmFn", 0, REG_SZ, reinterpret_cast<const BYTE*>(longer.data()),
                     static_cast<DWORD>(longer.size() * sizeof(wchar_t))),
      ERROR_SUCCESS);
  Start();
  EXPECT_EQ(g_clock.settings.alarmFile, std::string(255, 'x'));
  EXPECT_EQ(g_clock.settings.alarmMinute, 30) << "the other values still load";
}

TEST_F(ClockWindowTest, PlaceNoScreenShowsFallsBackToTheOrigin) {
  // nowhere near a screen; one column of key colour on screen; the shape's middle on screen
  const POINT stored[] = {{30000, -30000}, {-271, 40}, {-100, 40}};
  const POINT opened[] = {{0, 0}, {0, 0}, {-100, 40}};
  for (int i = 0; i < 3; ++i) {
    WriteKey(KeyPlace::kShared, PackPosition(stored[i].x, stored[i].y), 0);
    Start();
    RECT frame;
    GetWindowRect(hwnd_, &frame);
    EXPECT_EQ(frame.left, opened[i].x) << stored[i].x;
    EXPECT_EQ(frame.top, opened[i].y) << stored[i].x;
    DestroyWindow(hwnd_);
  }
}

// A shortcut set to "minimized" would leave a window without a taskbar button out of reach, one
// set to "maximized" would cover the screen.
TEST_F(ClockWindowTest, AMinimizedOrMaximizedStartShowsTheClockNormally) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 60), 0);
  for (int show : {SW_SHOWMINNOACTIVE, SW_MINIMIZE, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED}) {
    Start(show);
    EXPECT_TRUE(IsWindowVisible(hwnd_)) << show;
    EXPECT_FALSE(IsIconic(hwnd_)) << show;
    RECT frame;
    GetWindowRect(hwnd_, &frame);
    EXPECT_EQ(frame.left, 40) << show;
    EXPECT_EQ(frame.top, 60) << show;
    DestroyWindow(hwnd_);
  }
}

TEST_F(ClockWindowTest, ExceptionDuringCreationFailsTheStartWithItsMessage) {
  g_seams.now = []() -> LocalTime { throw std::runtime_error("no clock"); };
  MessageBoxAnswerer answerer;
  hwnd_ = StartCharacterClock(GetModuleHandleW(nullptr), SW_SHOWNOACTIVATE, kEdition);
  EXPECT_EQ(hwnd_, nullptr);
  EXPECT_EQ(FindWindowW(kClassName, nullptr), nullptr) << "a window without timer or shape";
  EXPECT_EQ(answerer.text(), L"起動に失敗しました");
}

TEST_F(ClockWindowTest, DragMovesAndSavesUnlessPinnedOrShifted) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 40), 0);
  Start();
  SendMessageW(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 30));
  SendMessageW(hwnd_, WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(60, 50));
  RECT frame;
  GetWindowRect(hwnd_, &frame);
  EXPECT_EQ(frame.left, 40) << "Shift held: no move";
  SendMessageW(hwnd_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 50));
  GetWindowRect(hwnd_, &frame);
  EXPECT_EQ(frame.left, 80);
  EXPECT_EQ(frame.top, 60);
  // released above the screen's top edge: a negative y is stored
  SendMessageW(hwnd_, WM_LBUTTONUP, 0, MAKELPARAM(20, static_cast<WORD>(-60)));
  GetWindowRect(hwnd_, &frame);
  EXPECT_EQ(frame.top, -30);
  EXPECT_EQ(ReadKey(KeyPlace::kShared).position.value_or(0), PackPosition(80, -30));

  // the capture taken away mid-drag (Alt+Tab): the window stays where it was dragged, and that
  // place is kept
  SendMessageW(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 30));
  SendMessageW(hwnd_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 50));
  ReleaseCapture();
  SendMessageW(hwnd_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(60, 90));
  GetWindowRect(hwnd_, &frame);
  EXPECT_EQ(frame.left, 90);
  EXPECT_EQ(frame.top, -10);
  EXPECT_EQ(ReadKey(KeyPlace::kShared).position.value_or(0), PackPosition(90, -10));

  g_clock.settings.pinned = true;
  SendMessageW(hwnd_, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 30));
  SendMessageW(hwnd_, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(90, 90));
  SendMessageW(hwnd_, WM_LBUTTONUP, 0, MAKELPARAM(90, 90));
  GetWindowRect(hwnd_, &frame);
  EXPECT_EQ(frame.left, 90);
  EXPECT_EQ(frame.top, -10);
}

// Whether `upper` lies above `lower` in the z-order of top-level windows.
bool Above(HWND upper, HWND lower) {
  for (HWND w = GetWindow(upper, GW_HWNDNEXT); w; w = GetWindow(w, GW_HWNDNEXT))
    if (w == lower) return true;
  return false;
}

// A pinned clock pushed to the bottom must not come up again: a z-order change that also
// activates it would raise it over the window it should lie under.
TEST_F(ClockWindowTest, PinnedClockStaysBelowAnotherWindowWhenItPaintsAndAfterSetup) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 40), 1);
  Start();
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 60, 60, 200, 150,
                               nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(other, nullptr);
  Pump();
  EXPECT_TRUE(Above(other, hwnd_)) << "the first paint raised the pinned clock";
  InvalidateRect(hwnd_, nullptr, FALSE);
  UpdateWindow(hwnd_);
  Pump();
  EXPECT_TRUE(Above(other, hwnd_)) << "a paint raised the pinned clock";
  RunScript({[&] {
              HWND dlg = Dialog(L"SETUP");
              if (!dlg) return false;
              PostMessageW(dlg, WM_COMMAND, IDOK, 0);
              return true;
            }},
            [&] { Command(IDM_SETUP); });
  SetWindowPos(other, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  UpdateWindow(hwnd_);
  Pump();
  EXPECT_TRUE(Above(other, hwnd_)) << "SETUP raised the pinned clock";
  DestroyWindow(other);
}

// A shell not ready at sign-in: the icon is tried again until it is there, then no more.
TEST_F(ClockWindowTest, TrayIconIsTriedAgainUntilTheShellTakesIt) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 40), 0);
  g_seams.notifyIcon = FakeNotify;
  for (bool takes : {false, true}) {
    SCOPED_TRACE(takes ? "taken while timing out" : "refused");
    g_shell = {2, takes};
    Start();
    EXPECT_FALSE(g_clock.trayAdded);
    EXPECT_TRUE(PumpMessagesUntil([] { return g_clock.trayAdded; }, 10000));
    EXPECT_TRUE(g_shell.hasIcon);
    int requests = g_shell.requests;
    PumpMessagesUntil([] { return false; }, kTrayRetryMs * 3 / 2);
    EXPECT_EQ(g_shell.requests, requests) << "tried again after it was added";
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
    EXPECT_FALSE(g_shell.hasIcon);
  }
}

TEST(PopupMenu, FourCommandsUnderDummy) {
  Menu bar(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDM_POPUP)));
  ASSERT_TRUE(bar);
  wchar_t text[32] = {};
  GetMenuStringW(bar.get(), 0, text, 32, MF_BYPOSITION);
  EXPECT_STREQ(text, L"DUMMY");
  HMENU popup = GetSubMenu(bar.get(), 0);
  const UINT ids[] = {IDM_SETUP, IDM_ALARM, IDM_ABOUT, IDM_EXIT};
  const wchar_t* names[] = {L"SETUP", L"ALARM", L"ABOUT", L"EXIT"};
  ASSERT_EQ(GetMenuItemCount(popup), 4);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(GetMenuItemID(popup, i), ids[i]);
    GetMenuStringW(popup, i, text, 32, MF_BYPOSITION);
    EXPECT_STREQ(text, names[i]);
  }
}

TEST_F(ClockWindowTest, DialogsOpenAtTheMenuPointFlippedAtTheEdges) {
  WriteKey(KeyPlace::kShared, PackPosition(40, 40), 0);
  Start();
  RECT desktop;
  GetWindowRect(GetDesktopWindow(), &desktop);
  RECT placed{}, flipped{};
  auto about = [&](RECT* rect) {
    return [=] {
      HWND dlg = Dialog(L"ABOUT");
      if (!dlg) return false;
      GetWindowRect(dlg, rect);
      EXPECT_TRUE(g_clock.dialogOpen);
      PostMessageW(dlg, WM_COMMAND, IDOK, 0);
      return true;
    };
  };
  g_clock.click = {100, 120};
  RunScript({about(&placed)}, [&] { Command(IDM_ABOUT); });
  EXPECT_EQ(placed.left, 100);
  EXPECT_EQ(placed.top, 120);
  g_clock.click = {desktop.right - 5, desktop.bottom - 5};
  RunScript({about(&flipped)}, [&] { Command(IDM_ABOUT); });
  EXPECT_EQ(flipped.right, desktop.right - 5);
  EXPECT_EQ(flipped.bottom, desktop.bottom - 5);
  EXPECT_EQ(g_clock.click.x, flipped.left) << "the shifted point is kept";
  EXPECT_FALSE(g_clock.dialogOpen);
}

}  // namespace
