#include <gtest/gtest.h>

#include "../orvanedesk/res/resource.h"
#include "e2e_support.h"

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\HARBOR LAMP\\orvanedesk\\Version 1.0";

// The desk clock's stored values a scenario sets, put back as they were at its end.
class StoredOption {
 public:
  explicit StoredOption(const wchar_t* name) : name_(name) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) == 0) {
      DWORD size = sizeof old_;
      had_ = RegQueryValueExW(key, name_, nullptr, nullptr, reinterpret_cast<BYTE*>(&old_),
                              &size) == 0;
      RegCloseKey(key);
    }
  }
  ~StoredOption() {
    if (had_)
      Set(old_);
    else
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name_);
  }
  void Set(DWORD value) const {
    RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name_, REG_DWORD, &value, sizeof value);
  }
  void Delete() const { RegDeleteKeyValueW(HKEY_CURRENT_USER, kSettingsKey, name_); }
  DWORD Get() const {
    DWORD value = 0xFFFFFFFF, size = sizeof value;
    RegGetValueW(HKEY_CURRENT_USER, kSettingsKey, name_, RRF_RT_REG_DWORD, nullptr, &value, &size);
    return value;
  }

 private:
  const wchar_t* name_;
  DWORD old_ = 0;
  bool had_ = false;
};

SIZE FrameSize(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  return {r.right - r.left, r.bottom - r.top};
}

bool HasSize(HWND hwnd, int w, int h) {
  SIZE s = FrameSize(hwnd);
  return s.cx == w && s.cy == h;
}

void Mouse(DWORD flags) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  SendInput(1, &in, sizeof in);
}

void Key(WORD vk, bool up) {
  INPUT in{};
  in.type = INPUT_KEYBOARD;
  in.ki.wVk = vk;
  in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  SendInput(1, &in, sizeof in);
}

// Keys go to the foreground window, as a user's typing goes to the window in front.
void BringToFront(HWND hwnd) {
  SetForegroundWindow(hwnd);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == hwnd; }, 3000));
}

// A right click on the face, then the item's mnemonic key.
void ChooseFromFaceMenu(const Program& clock, HWND hwnd, WORD key) {
  BringToFront(hwnd);
  RECT face = ClientOnScreen(hwnd);
  SetCursorPos(face.left + 88, face.top + 150);
  Mouse(MOUSEEVENTF_RIGHTDOWN);
  Mouse(MOUSEEVENTF_RIGHTUP);
  EXPECT_TRUE(WaitUntil([&] { return clock.Window(L"#32768") != nullptr; }, 3000));
  Key(key, false);
  Key(key, true);
  EXPECT_TRUE(WaitUntil([&] { return clock.Window(L"#32768") == nullptr; }, 3000));
}

void CloseAndWait(const Program& clock, HWND hwnd) {
  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(clock.WaitForExit(10000));
}

// What the program saves at each close does not outlive a scenario, and each starts from a
// fresh user's settings at the system's default place.
struct FreshProgramFiles : ProgramFilesGuard {
  FreshProgramFiles() : ProgramFilesGuard(DeskClockFiles(), L"Software\\HARBOR LAMP\\orvanedesk") {}
};

TEST(DeskClockBehaviours, TitleBarHiddenByCaptionDoubleClickBackFromTheMenuKeptAcrossStarts) {
  FreshProgramFiles files;
  StoredOption fullWindow(L"FullWindow");
  fullWindow.Set(0);
  {
    Program clock(L"orvanedesk.exe");
    HWND hwnd = clock.WaitForWindow(L"OrvaneDeskClock");
    ASSERT_NE(hwnd, nullptr);
    ASSERT_TRUE(HasSize(hwnd, 182, 434));

    // A double-click on the caption hides it.
    RECT frame;
    GetWindowRect(hwnd, &frame);
    PostMessageW(hwnd, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(frame.left + 60, frame.top + 8));
    EXPECT_TRUE(WaitUntil([&] { return HasSize(hwnd, 176, 409); }, 3000));

    // A right click on the face opens the system menu; its T item brings the title bar back,
    // and hides it again.
    ChooseFromFaceMenu(clock, hwnd, 'T');
    EXPECT_TRUE(WaitUntil([&] { return HasSize(hwnd, 182, 434); }, 3000));
    ChooseFromFaceMenu(clock, hwnd, 'T');
    EXPECT_TRUE(WaitUntil([&] { return HasSize(hwnd, 176, 409); }, 3000));
    CloseAndWait(clock, hwnd);
  }
  EXPECT_EQ(fullWindow.Get(), 1u);
  {
    Program clock(L"orvanedesk.exe");
    HWND hwnd = clock.WaitForWindow(L"OrvaneDeskClock");
    ASSERT_NE(hwnd, nullptr);
    EXPECT_TRUE(HasSize(hwnd, 176, 409));
    EXPECT_FALSE(GetWindowLongW(hwnd, GWL_STYLE) & WS_CAPTION);
    CloseAndWait(clock, hwnd);
  }
}

TEST(DeskClockBehaviours, RunsAwayFromThePointerUnlessShiftIsHeld) {
  FreshProgramFiles files;
  StoredOption fullWindow(L"FullWindow"), runAway(L"RunAwayMouse");
  fullWindow.Set(0);
  runAway.Set(1);
  Program clock(L"orvanedesk.exe");
  HWND hwnd = clock.WaitForWindow(L"OrvaneDeskClock");
  ASSERT_NE(hwnd, nullptr);
  SetCursorPos(5, 760);
  SetWindowPos(hwnd, nullptr, 300, 150, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  ASSERT_TRUE(WaitUntil([&] { return ClientOnScreen(hwnd).left > 300; }, 2000));

  // Shift alone: the pointer reaches the bottom of the face and the window stays.
  RECT client = ClientOnScreen(hwnd);
  BringToFront(hwnd);
  // Wine takes the key state from X when the focus arrives, which may drop a key pressed just
  // before; the key is pressed again until it holds.
  EXPECT_TRUE(WaitUntil(
      [] {
        Key(VK_SHIFT, false);
        Sleep(200);
        return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0;
      },
      3000));
  SetCursorPos(client.left + 100, client.top + 400);
  Sleep(500);
  Key(VK_SHIFT, true);
  RECT frame;
  GetWindowRect(hwnd, &frame);
  EXPECT_EQ(frame.top, 150) << "client " << client.left << "," << client.top << " frame "
                            << frame.left << "," << frame.right;

  // Without it the next move sends the window up to the top of the screen.
  SetCursorPos(client.left + 101, client.top + 400);
  EXPECT_TRUE(WaitUntil(
      [&] {
        GetWindowRect(hwnd, &frame);
        return frame.top == 0;
      },
      3000))
      << frame.top;
  EXPECT_EQ(frame.left, 300);
  CloseAndWait(clock, hwnd);
}

TEST(DeskClockBehaviours, AboutBoxShowsItsBannerAndLinks) {
  FreshProgramFiles files;
  Program clock(L"orvanedesk.exe");
  HWND hwnd = clock.WaitForWindow(L"OrvaneDeskClock");
  ASSERT_NE(hwnd, nullptr);
  PostMessageW(hwnd, WM_SYSCOMMAND, 0x30, 0);
  HWND about = nullptr;
  EXPECT_TRUE(WaitUntil(
      [&] {
        about = clock.Window(L"#32770");
        return about && WindowTitle(about) == L"バージョン情報";
      },
      5000));
  ASSERT_NE(about, nullptr);

  HWND banner = GetWindow(about, GW_CHILD);
  RECT at;
  GetWindowRect(banner, &at);
  Screenshot bannerBitmap = LoadProgramBitmap(L"orvanedesk.exe", IDB_ABOUT_BANNER);
  EXPECT_TRUE(
      WaitUntil([&] { return CaptureScreen(at).Contains(bannerBitmap, at.left, at.top); }, 3000));
  RECT link;
  GetWindowRect(GetDlgItem(about, 1002), &link);
  Screenshot linkBitmap = LoadProgramBitmap(L"orvanedesk.exe", IDB_LINK_OFFICIAL);
  EXPECT_TRUE(WaitUntil(
      [&] { return CaptureScreen(link).Contains(linkBitmap, link.left, link.top); }, 3000));

  // Resting on a link shows its tooltip.
  SetCursorPos(link.left + 40, link.top + 15);
  EXPECT_TRUE(WaitUntil([&] { return clock.Window(L"tooltips_class32") != nullptr; }, 5000));
  PostMessageW(about, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 3000));
  CloseAndWait(clock, hwnd);
}

}  // namespace
