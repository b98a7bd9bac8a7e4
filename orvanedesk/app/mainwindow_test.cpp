#include "app/mainwindow.h"
#include "testing/settings_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "cp932.h"
#include "line_file.h"
#include "res/resource.h"
#include "win/pixels.h"
#include "win/system.h"
#include "testing/silent_wave.h"
#include "testing/thread_windows.h"

namespace {

Pixels CaptureClient(HWND hwnd) {
  RECT client;
  GetClientRect(hwnd, &client);
  WindowDc dc(hwnd);
  return CaptureDc(dc.get(), 0, 0, client.right, client.bottom);
}

Pixels ResourceBitmap(int id) {
  Gdi<HBITMAP> bitmap(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
  return CaptureBitmap(bitmap.get());
}

COLORREF Invert(COLORREF c) { return c ^ 0xFFFFFF; }

LocalTime g_now;

class MainWindowTest : public ::testing::Test {
 protected:
  void Open(LocalTime now, bool secondHand = true) {
    g_now = now;
    window_ = std::make_unique<CMainwindow>([] { return g_now; });
    window_->Settings().SecondHand = secondHand;
    ASSERT_TRUE(window_->Create());
    hwnd_ = window_->hwnd();
    SetWindowPos(hwnd_, HWND_TOP, 40, 40, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(hwnd_);
  }
  void TickAt(LocalTime now) {
    g_now = now;
    SendMessageW(hwnd_, WM_TIMER, 1, 0);
  }
  std::wstring Title() const {
    wchar_t text[128] = {};
    GetWindowTextW(hwnd_, text, 128);
    return text;
  }
  // The picture on show, as the window loads it.
  Pixels Illustration() {
    Gdi<HBITMAP> picture = window_->LoadIllustFile("bitmap0.bmp");
    return picture ? CaptureBitmap(picture.get()) : Pixels{};
  }
  // Device pixel of a face-space point.
  POINT FacePixel(int x, int y) {
    WindowDc dc(hwnd_);
    window_->MapToFace(dc.get());
    POINT p{x, y};
    LPtoDP(dc.get(), &p, 1);
    return p;
  }
  RECT ClientOnScreen() const {
    RECT client;
    GetClientRect(hwnd_, &client);
    MapWindowPoints(hwnd_, nullptr, reinterpret_cast<POINT*>(&client), 2);
    return client;
  }
  ProgramFolderGuard folder_;  // a close saves the settings
  std::unique_ptr<CMainwindow> window_;
  HWND hwnd_ = nullptr;
};

TEST_F(MainWindowTest, FixedFrameAroundTheFace) {
  Open({2026, 12, 31, 4, 21, 59, 30});
  RECT frame, client;
  GetWindowRect(hwnd_, &frame);
  GetClientRect(hwnd_, &client);
  EXPECT_EQ(frame.right - frame.left, 182);
  EXPECT_EQ(frame.bottom - frame.top, 434);
  EXPECT_EQ(client.right, 176);
  EXPECT_EQ(client.bottom, 409);
  LONG style = GetWindowLongW(hwnd_, GWL_STYLE);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_FALSE(style & (WS_THICKFRAME | WS_MAXIMIZEBOX));
  EXPECT_EQ(Title(), L"Orvane");

  MINMAXINFO info{};
  window_->Settings().FullWindow = 1;
  SendMessageW(hwnd_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
  EXPECT_EQ(info.ptMaxTrackSize.x, 176);
  EXPECT_EQ(info.ptMinTrackSize.y, 409);
}

// Windows 10 draws a taller caption than the classic one: the frame grows so that the face keeps
// its whole client area, with and without the title bar.
TEST_F(MainWindowTest, TheFaceKeepsItsClientAreaUnderATallerCaption) {
  NONCLIENTMETRICSW classic{};
  classic.cbSize = sizeof classic;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof classic, &classic, 0));
  NONCLIENTMETRICSW tall = classic;
  tall.iCaptionHeight += 12;
  // Not saved, and put back however the test ends.
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof tall, &tall, 0));
  struct Restore {
    NONCLIENTMETRICSW metrics;
    ~Restore() { SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0); }
  } restore{classic};
  ASSERT_EQ(GetSystemMetrics(SM_CYCAPTION), classic.iCaptionHeight + 12 + 1);

  Open({2026, 12, 31, 4, 21, 59, 30});
  for (int fullWindow : {0, 1, 0}) {
    if (fullWindow != window_->Settings().FullWindow) {
      window_->Settings().FullWindow = fullWindow;
      window_->ApplyFullWindow();
    }
    RECT client, frame;
    GetClientRect(hwnd_, &client);
    GetWindowRect(hwnd_, &frame);
    EXPECT_EQ(client.right, 176) << "FullWindow " << fullWindow;
    EXPECT_EQ(client.bottom, 409) << "FullWindow " << fullWindow;
    MINMAXINFO info{};
    SendMessageW(hwnd_, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, frame.right - frame.left);
    EXPECT_EQ(info.ptMaxTrackSize.y, frame.bottom - frame.top);
  }
}

TEST_F(MainWindowTest, SystemMenuHasTheClocksItems) {
  Open({2026, 12, 31, 4, 21, 59, 30});
  HMENU menu = GetSystemMenu(hwnd_, FALSE);
  int count = GetMenuItemCount(menu);
  ASSERT_GE(count, 8);
  struct Item {
    UINT id;
    const wchar_t* text;
  } expected[] = {{0, L""},
                  {0x50, L"プロパティ(&R)..."},
                  {0x10, L"タイトルバーを隠す(&T)"},
                  {0x40, L"マウスから逃げる(&E)"},
                  {0x60, L"デスクトップに常駐(&D)"},
                  {0x20, L"常に手前に表示(&O)"},
                  {0, L""},
                  {0x30, L"バージョン情報(&A)..."}};
  for (int i = 0; i < 8; ++i) {
    int pos = count - 8 + i;
    wchar_t text[64] = {};
    GetMenuStringW(menu, pos, text, 64, MF_BYPOSITION);
    EXPECT_EQ(GetMenuItemID(menu, pos), expected[i].id) << i;
    EXPECT_STREQ(text, expected[i].text) << i;
  }
}

TEST_F(MainWindowTest, TickTitlesAndDrawsDate) {
  Open({2026, 12, 31, 4, 21, 59, 30});
  TickAt({2026, 12, 31, 4, 21, 59, 31});
  EXPECT_EQ(Title(), L"PM 09:59:31 - Orvane");
  EXPECT_EQ(window_->TimeText(), "PM 09:59:31");
  TickAt({2026, 12, 31, 4, 22, 0, 0});
  EXPECT_EQ(Title(), L"PM 10:00:00 - Orvane");

  Pixels face = CaptureClient(hwnd_);
  EXPECT_TRUE(face.Contains(ResourceBitmap(IDB_WEEK_THU), 65, 6));
  EXPECT_TRUE(face.Contains(ResourceBitmap(IDB_DIGIT1), 57, 373));
  EXPECT_TRUE(face.Contains(ResourceBitmap(IDB_DIGIT2), 71, 375));
  EXPECT_TRUE(face.Contains(ResourceBitmap(IDB_SLASH), 85, 378));
  EXPECT_TRUE(face.Contains(ResourceBitmap(IDB_DIGIT3), 94, 375));
  EXPECT_TRUE(face.Contains(ResourceBitmap(IDB_DIGIT1), 108, 373));
}

TEST_F(MainWindowTest, OneDigitDateLeavesTheIllustrationAtAandE) {
  Open({2026, 3, 5, 4, 10, 20, 0});
  Pixels illustration = Illustration();
  ASSERT_FALSE(illustration.pixels.empty());
  Pixels face = CaptureClient(hwnd_);
  EXPECT_TRUE(face.Contains(ResourceBitmap(IDB_DIGIT3), 71, 375));
  EXPECT_TRUE(face.Contains(ResourceBitmap(IDB_DIGIT5), 94, 375));
  for (int y = 373; y < 373 + 18; ++y) {
    EXPECT_EQ(face.at(60, y), illustration.at(60, y));
    EXPECT_EQ(face.at(115, y), illustration.at(115, y));
  }
}

TEST_F(MainWindowTest, HandsPaintedAndSecondHandInvertsThenRestores) {
  // 10:08:15: hour hand up-left, minute hand up-right, second hand along the right radius.
  Open({2026, 12, 31, 4, 10, 8, 15});
  Pixels illustration = Illustration();
  ASSERT_FALSE(illustration.pixels.empty());

  Pixels face = CaptureClient(hwnd_);
  HandShape hour = ComputeHand(kHourHand, HourHandAngle(10, 8));
  // Inside the plain half (tip, tail, left) and inside the shaded half (tip, right, tail).
  POINT body = FacePixel((hour.tip.x + hour.tail.x + hour.left.x) / 3,
                         (hour.tip.y + hour.tail.y + hour.left.y) / 3);
  POINT shade = FacePixel((hour.tip.x + hour.tail.x + hour.right.x) / 3,
                          (hour.tip.y + hour.tail.y + hour.right.y) / 3);
  EXPECT_EQ(face.at(body.x, body.y), RGB(179, 158, 93));
  EXPECT_EQ(face.at(shade.x, shade.y), RGB(58, 51, 34));

  POINT on15 = FacePixel(300, 0);  // on the line at 15 seconds, clear of the other hands
  EXPECT_EQ(face.at(on15.x, on15.y), Invert(illustration.at(on15.x, on15.y)));

  // One second later the old line is gone and the new one is at 96 degrees.
  TickAt({2026, 12, 31, 4, 10, 8, 16});
  face = CaptureClient(hwnd_);
  EXPECT_EQ(face.at(on15.x, on15.y), illustration.at(on15.x, on15.y));
  HandShape second = ComputeHand(kSecondHand, SecondHandAngle(16));
  POINT on16 = FacePixel(second.tip.x * 2 / 3, second.tip.y * 2 / 3);
  EXPECT_EQ(face.at(on16.x, on16.y), Invert(illustration.at(on16.x, on16.y)));
  EXPECT_EQ(face.at(body.x, body.y), RGB(179, 158, 93));
}

// A plain second's tick draws the second hand on an unmapped DC from the end points the face
// mapping gave. They must cover exactly the mapped line's pixels, or the inverting erase of one
// by the other would leave traces on the face.
TEST_F(MainWindowTest, SecondHandFromRememberedPixelsErasesTheMappedLineExactly) {
  Open({2026, 12, 31, 4, 10, 8, 15});
  RECT client;
  GetClientRect(hwnd_, &client);
  const SIZE size{client.right, client.bottom};
  WindowDc screen(hwnd_);
  MemoryDc memory(CreateCompatibleDC(screen.get()));
  Gdi<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
  Selection selected(memory.get(), bitmap.get());
  FillRect(memory.get(), &client, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
  auto inked = [&] {
    Pixels p = CaptureDc(memory.get(), 0, 0, size.cx, size.cy);
    int n = 0;
    for (COLORREF c : p.pixels) n += c != RGB(255, 255, 255);
    return n;
  };
  for (int s = 0; s < 60; ++s) {
    window_->MapToFace(memory.get());
    window_->DrawSecondHand(memory.get(), SecondHandAngle(s), RGB(0, 0, 0));
    SetMapMode(memory.get(), MM_TEXT);
    SetViewportOrgEx(memory.get(), 0, 0, nullptr);
    ASSERT_GT(inked(), 0) << s;
    ASSERT_TRUE(window_->DrawSecondHandPixels(memory.get(), s, size));
    ASSERT_EQ(inked(), 0) << "second " << s;
  }
  // end points of another client size are not used
  EXPECT_FALSE(window_->DrawSecondHandPixels(memory.get(), 0, {size.cx + 1, size.cy}));
}

TEST_F(MainWindowTest, WithoutSecondHandNoLineIsDrawn) {
  Open({2026, 12, 31, 4, 10, 8, 15}, false);
  Pixels illustration = Illustration();
  TickAt({2026, 12, 31, 4, 10, 8, 16});
  Pixels face = CaptureClient(hwnd_);
  POINT on15 = FacePixel(300, 0);
  EXPECT_EQ(face.at(on15.x, on15.y), illustration.at(on15.x, on15.y));
  EXPECT_EQ(Title(), L"AM 10:08 - Orvane");
}

TEST_F(MainWindowTest, NumeralsOnlyWithTitleFace) {
  auto highlightNearTwelve = [this](bool titleFace) {
    window_.reset();
    g_now = {2026, 12, 31, 4, 4, 40, 0};  // hands and second hand far from twelve
    window_ = std::make_unique<CMainwindow>([] { return g_now; });
    window_->Settings().TitleFace = titleFace;
    EXPECT_TRUE(window_->Create());
    hwnd_ = window_->hwnd();
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    Pixels face = CaptureClient(hwnd_);
    POINT twelve = FacePixel(0, 450);
    int highlight = 0, black = 0;
    for (int y = twelve.y - 20; y <= twelve.y + 20; ++y) {
      for (int x = twelve.x - 20; x <= twelve.x + 20; ++x) {
        highlight += face.at(x, y) == RGB(254, 252, 180);
        black += face.at(x, y) == RGB(0, 0, 0);
      }
    }
    return std::make_pair(highlight, black);
  };
  auto without = highlightNearTwelve(false);
  auto with = highlightNearTwelve(true);
  EXPECT_EQ(without.first, 0);
  EXPECT_GT(with.first, 5);
  EXPECT_GT(with.second, without.second + 5);
}

TEST_F(MainWindowTest, CloseWithoutExitSoundsEndsAtOnce) {
  Open({2026, 12, 31, 4, 10, 8, 15});
  SendMessageW(hwnd_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd_));
  EXPECT_EQ(window_->IconList(), nullptr);
}

TEST_F(MainWindowTest, UnplayableExitSoundDoesNotHoldTheClose) {
  Open({2026, 12, 31, 4, 10, 8, 15});
  window_->Sounds().ExitSounds = {"no such file.wav"};
  SendMessageW(hwnd_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(window_->Sounds().Playing());
  EXPECT_FALSE(IsWindow(hwnd_));
}

TEST_F(MainWindowTest, ExitSoundHoldsTheCloseUntilItHasPlayed) {
  std::wstring wave = GetModuleFolder() + L"exit_test.wav";
  ASSERT_TRUE(WriteFileBytes(wave, SilentWave()));
  Open({2026, 12, 31, 4, 10, 8, 15});
  window_->Sounds().ExitSounds = {WideToCp932(wave).value()};
  SendMessageW(hwnd_, WM_CLOSE, 0, 0);
  EXPECT_TRUE(window_->Sounds().Playing());
  EXPECT_TRUE(IsWindow(hwnd_));
  // The completion notice finishes the close.
  EXPECT_TRUE(PumpMessagesUntil([&] { return !IsWindow(hwnd_); }));
  EXPECT_FALSE(window_->Sounds().Playing());
  DeleteFileW(wave.c_str());
}

// A physical mouse button held down through the system's input, let go again on scope exit.
class HeldButton {
 public:
  explicit HeldButton(bool right) : right_(right) {
    Send(right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN);
  }
  ~HeldButton() { Send(right_ ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP); }
  bool Down() const {
    int key = right_ ? VK_RBUTTON : VK_LBUTTON;
    DWORD start = GetTickCount();
    while (!(GetAsyncKeyState(key) & 0x8000) && GetTickCount() - start < 2000) Sleep(10);
    return (GetAsyncKeyState(key) & 0x8000) != 0;
  }

 private:
  static void Send(DWORD flags) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
  }
  bool right_;
};

TEST_F(MainWindowTest, TheFaceDragsWithThePrimaryButtonAlsoWhenTheButtonsAreSwapped) {
  Open({2026, 12, 31, 4, 10, 8, 15});
  RECT client = ClientOnScreen();
  LPARAM centre = MAKELPARAM((client.left + client.right) / 2, (client.top + client.bottom) / 2);
  // The buttons are pressed away from the window, so no drag loop starts for real.
  SetCursorPos(client.right + 300, client.bottom - 10);
  for (bool swapped : {false, true}) {
    SwapMouseButton(swapped);
    struct Restore {
      ~Restore() { SwapMouseButton(FALSE); }
    } restore;
    EXPECT_EQ(SendMessageW(hwnd_, WM_NCHITTEST, 0, centre), HTCLIENT) << swapped;
    {
      HeldButton primary(swapped);
      ASSERT_TRUE(primary.Down());
      EXPECT_EQ(SendMessageW(hwnd_, WM_NCHITTEST, 0, centre), HTCAPTION) << swapped;
    }
    {
      HeldButton secondary(!swapped);
      ASSERT_TRUE(secondary.Down());
      EXPECT_EQ(SendMessageW(hwnd_, WM_NCHITTEST, 0, centre), HTCLIENT) << swapped;
    }
  }
}

}  // namespace
