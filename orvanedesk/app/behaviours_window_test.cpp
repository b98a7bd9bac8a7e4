#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/about_dialog.h"
#include "app/mainwindow.h"
#include "cp932.h"
#include "res/resource.h"
#include "win/pixels.h"
#include "win/system.h"
#include "testing/silent_wave.h"
#include "testing/thread_windows.h"

namespace {

// ---- driving modal loops from inside: a thread timer finds the window and runs a script

std::function<bool()> g_whileModal;
void CALLBACK RunWhileModal(HWND, UINT, UINT_PTR timer, DWORD) {
  // The script runs once, when it finds what it waits for; it may open modal loops itself.
  // Taken out while it runs, so the timer cannot start it again from a nested loop.
  auto script = std::move(g_whileModal);
  g_whileModal = nullptr;
  if (!script) return;
  if (script())
    KillTimer(nullptr, timer);
  else
    g_whileModal = std::move(script);
}
void WhileModal(std::function<bool()> script) {
  g_whileModal = std::move(script);
  SetTimer(nullptr, 0, 50, RunWhileModal);
}

std::wstring MenuText(HMENU menu, UINT command) {
  wchar_t text[64] = {};
  GetMenuStringW(menu, command, text, 64, MF_BYCOMMAND);
  return text;
}

bool Checked(HMENU menu, UINT command) {
  return (GetMenuState(menu, command, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

LocalTime g_now{2026, 12, 31, 4, 10, 8, 15};

class WindowBehaviours : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<CMainwindow>([] { return g_now; });
    ASSERT_TRUE(window_->Create());
    hwnd_ = window_->hwnd();
    MoveTo(300, 200);
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    screen_ = {GetSystemMetrics(SM_CXFULLSCREEN), GetSystemMetrics(SM_CYFULLSCREEN)};
  }
  void MoveTo(int x, int y) {
    SetWindowPos(hwnd_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  RECT Frame() const {
    RECT r;
    GetWindowRect(hwnd_, &r);
    return r;
  }
  void MouseMove(int x, int y, WPARAM keys = 0) {
    SendMessageW(hwnd_, WM_MOUSEMOVE, keys, MAKELPARAM(x, y));
  }
  void Command(UINT command) { SendMessageW(hwnd_, WM_SYSCOMMAND, command, 0); }
  HMENU SystemMenu() const { return GetSystemMenu(hwnd_, FALSE); }

  std::unique_ptr<CMainwindow> window_;
  HWND hwnd_ = nullptr;
  POINT screen_{};
};

TEST_F(WindowBehaviours, FloatingWindowRunsUpFromThePointerAtItsBottom) {
  window_->Settings().RunAwayMouse = 1;
  MouseMove(100, 400);
  RECT r = Frame();
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.left, 300);
  EXPECT_EQ(r.right - r.left, 182);
}

TEST_F(WindowBehaviours, ShiftOrCtrlAloneLetTheUserReachTheWindow) {
  window_->Settings().RunAwayMouse = 1;
  MouseMove(100, 400, MK_SHIFT);
  EXPECT_EQ(Frame().top, 200);
  MouseMove(100, 400, MK_CONTROL);
  EXPECT_EQ(Frame().top, 200);
  // Both keys, or a key with a button, do not.
  MouseMove(100, 400, MK_SHIFT | MK_CONTROL);
  EXPECT_EQ(Frame().top, 0);
  MoveTo(300, 200);
  MouseMove(100, 400, MK_SHIFT | MK_LBUTTON);
  EXPECT_EQ(Frame().top, 0);
}

TEST_F(WindowBehaviours, FromTheTopLeftCornerRunsRightToTheScreensEdge) {
  window_->Settings().RunAwayMouse = 1;
  MoveTo(0, 0);
  MouseMove(10, 200);
  RECT r = Frame();
  EXPECT_EQ(r.right, screen_.x);
  EXPECT_EQ(r.top, 0);
  // From the top-right corner the same pointer on the left of the face runs down.
  MouseMove(10, 200);
  r = Frame();
  EXPECT_EQ(r.right, screen_.x);
  EXPECT_EQ(r.bottom, screen_.y);
}

TEST_F(WindowBehaviours, NothingRunsWithoutTheOptionButStayDesktopPullsBack) {
  MoveTo(-50, 100);
  MouseMove(100, 400);
  EXPECT_EQ(Frame().left, -50);
  window_->Settings().StayDesktop = 1;
  MouseMove(100, 200);
  EXPECT_EQ(Frame().left, 0);
  EXPECT_EQ(Frame().top, 100);
}

TEST_F(WindowBehaviours, RunAwayCommandTellsTheUserAndPullsTheWindowOnScreen) {
  MoveTo(-60, -30);
  {
    MessageBoxAnswerer box;
    Command(0x40 | 0x3);  // the low four bits are the system's
    EXPECT_EQ(box.text(),
              L"マウスから逃げるオプションを選択しました。\n"
              L"マウスがウィンドウに入ると自動的に回避します。\n\n"
              L"ウィンドウにアクセスするには、素早くマウスを動かすか、またはShift/"
              L"Ctrlキーを押します。");
  }
  EXPECT_EQ(window_->Settings().RunAwayMouse, 1);
  EXPECT_TRUE(Checked(SystemMenu(), 0x40));
  EXPECT_EQ(Frame().left, 0);
  EXPECT_EQ(Frame().top, 0);

  // Switching it off says nothing.
  MessageBoxAnswerer box;
  Command(0x40);
  EXPECT_EQ(window_->Settings().RunAwayMouse, 0);
  EXPECT_FALSE(Checked(SystemMenu(), 0x40));
  MSG msg;
  for (int i = 0; i < 5; ++i) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    Sleep(30);
  }
  EXPECT_EQ(box.text(), L"");
}

TEST_F(WindowBehaviours, ToggleCommandsAndTheirMenuItems) {
  HMENU menu = SystemMenu();
  Command(0x10);
  RECT r = Frame();
  EXPECT_EQ(r.right - r.left, 176);
  EXPECT_EQ(r.bottom - r.top, 409);
  EXPECT_FALSE(GetWindowLongW(hwnd_, GWL_STYLE) & WS_CAPTION);
  EXPECT_EQ(MenuText(menu, 0x10), L"タイトルバーを表示(&T)");
  Command(0x10);
  r = Frame();
  EXPECT_EQ(r.right - r.left, 182);
  EXPECT_EQ(r.bottom - r.top, 434);
  EXPECT_EQ(MenuText(menu, 0x10), L"タイトルバーを隠す(&T)");

  Command(0x60);
  EXPECT_EQ(window_->Settings().StayDesktop, 1);
  EXPECT_TRUE(Checked(menu, 0x60));
  Command(0x60);
  EXPECT_FALSE(Checked(menu, 0x60));

  // (Wine keeps a window whose tooltip is an owned topmost popup out of the topmost band, so
  // the check mark is what tells StayOnTop here.)
  Command(0x20);
  EXPECT_EQ(window_->Settings().StayOnTop, 1);
  EXPECT_TRUE(Checked(menu, 0x20));
  Command(0x20);
  EXPECT_EQ(window_->Settings().StayOnTop, 0);
  EXPECT_FALSE(GetWindowLongW(hwnd_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_FALSE(Checked(menu, 0x20));
}

TEST_F(WindowBehaviours, CaptionDoubleClickHidesTheTitleBar) {
  SendMessageW(hwnd_, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(350, 210));
  EXPECT_EQ(window_->Settings().FullWindow, 1);
  EXPECT_EQ(Frame().bottom - Frame().top, 409);
}

TEST_F(WindowBehaviours, RightClickMenuOffersTheTitleBarBackAsItsDefault) {
  Command(0x10);
  ASSERT_EQ(window_->Settings().FullWindow, 1);
  UINT defaultItem = 0;
  UINT restore = 0, move = 0;
  WhileModal([&] {
    HWND popup = FindThreadWindow(L"#32768", nullptr);
    if (!popup) return false;
    HMENU menu = reinterpret_cast<HMENU>(SendMessageW(popup, MN_GETHMENU, 0, 0));
    defaultItem = GetMenuDefaultItem(menu, FALSE, 0);
    restore = GetMenuState(menu, SC_RESTORE, MF_BYCOMMAND);
    move = GetMenuState(menu, SC_MOVE, MF_BYCOMMAND);
    // The item's own mnemonic chooses it.
    PostMessageW(popup, WM_CHAR, L't', 0);
    return true;
  });
  RECT client;
  GetClientRect(hwnd_, &client);
  POINT at{80, 200};
  ClientToScreen(hwnd_, &at);
  SendMessageW(hwnd_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(hwnd_), MAKELPARAM(at.x, at.y));
  EXPECT_EQ(defaultItem, 0x10u);
  EXPECT_TRUE(restore & MF_GRAYED);
  EXPECT_FALSE(move & MF_GRAYED);
  EXPECT_EQ(window_->Settings().FullWindow, 0);
  EXPECT_EQ(Frame().bottom - Frame().top, 434);
}

TEST_F(WindowBehaviours, EachSlideAsksForAnAwaySound) {
  std::wstring wave = GetModuleFolder() + L"away_test.wav";
  std::string bytes = SilentWave();
  {
    HANDLE file = CreateFileW(wave.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
  }
  window_->Sounds().AwaySounds = {*WideToCp932(wave)};
  window_->Settings().RunAwayMouse = 1;
  MouseMove(100, 100);  // the middle of the face: nothing
  EXPECT_FALSE(window_->Sounds().Playing());
  MouseMove(100, 400);
  EXPECT_TRUE(window_->Sounds().Playing());
  window_.reset();  // closes the sound before its file goes
  DeleteFileW(wave.c_str());
}

// ---- the about box

TEST_F(WindowBehaviours, AboutCommandOpensTheAboutBox) {
  std::wstring caption;
  WhileModal([&] {
    HWND about = FindThreadWindow(L"#32770", L"バージョン情報");
    if (!about) return false;
    caption = L"バージョン情報";
    EXPECT_EQ(GetParent(about), hwnd_);
    PostMessageW(about, WM_COMMAND, IDOK, 0);
    return true;
  });
  Command(0x30);
  EXPECT_EQ(caption, L"バージョン情報");
}

Pixels ResourceBitmap(int id) {
  Gdi<HBITMAP> bitmap(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
  return CaptureBitmap(bitmap.get());
}

TEST(AboutBox, ShowsBannerCreditsAndLinks) {
  CAboutDlg about([](const std::wstring&, int) { return 42; });
  bool checked = false;
  WhileModal([&] {
    HWND dlg = FindThreadWindow(L"#32770", L"バージョン情報");
    if (!dlg) return false;
    checked = true;
    for (int id : {1000, 1001, 1002, 1003, 1004, 1005, 1006, 1008, IDOK})
      EXPECT_NE(GetDlgItem(dlg, id), nullptr) << id;

    // The title in 16-point Arial.
    HFONT font = reinterpret_cast<HFONT>(SendDlgItemMessageW(dlg, 1000, WM_GETFONT, 0, 0));
    LOGFONTW lf{};
    GetObjectW(font, sizeof lf, &lf);
    EXPECT_STREQ(lf.lfFaceName, L"Arial");
    EXPECT_EQ(lf.lfHeight, -MulDiv(96, 160, 720));

    // White everywhere; blue title, black credits.
    MemoryDc dc(CreateCompatibleDC(nullptr));
    auto colour = [&](UINT msg, HWND control, COLORREF* text) {
      SetTextColor(dc.get(), RGB(1, 2, 3));
      auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
          dlg, msg, reinterpret_cast<WPARAM>(dc.get()), reinterpret_cast<LPARAM>(control)));
      LOGBRUSH lb{};
      GetObjectW(brush, sizeof lb, &lb);
      if (text) *text = GetTextColor(dc.get());
      return lb.lbColor;
    };
    COLORREF text = 0;
    EXPECT_EQ(colour(WM_CTLCOLORDLG, dlg, nullptr), RGB(255, 255, 255));
    EXPECT_EQ(colour(WM_CTLCOLORSTATIC, GetDlgItem(dlg, 1000), &text), RGB(255, 255, 255));
    EXPECT_EQ(text, RGB(0, 0, 255));
    for (int id : {1001, 1006, 1008}) {
      EXPECT_EQ(colour(WM_CTLCOLORSTATIC, GetDlgItem(dlg, id), &text), RGB(255, 255, 255));
      EXPECT_EQ(text, RGB(0, 0, 0)) << id;
    }

    // The banner and the link pictures on show, on white.
    RedrawWindow(dlg, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT client;
    GetClientRect(dlg, &client);
    Pixels shown;
    {
      WindowDc wdc(dlg);
      shown = CaptureDc(wdc.get(), 0, 0, client.right, client.bottom);
    }
    auto origin = [&](HWND control) {
      RECT r;
      GetWindowRect(control, &r);
      MapWindowPoints(nullptr, dlg, reinterpret_cast<POINT*>(&r), 2);
      return POINT{r.left, r.top};
    };
    HWND banner = GetWindow(dlg, GW_CHILD);  // the first control
    POINT b = origin(banner);
    EXPECT_TRUE(shown.Contains(ResourceBitmap(IDB_ABOUT_BANNER), b.x, b.y));
    const int pictures[][2] = {{1002, IDB_LINK_OFFICIAL},
                               {1003, IDB_LINK_KOTONE},
                               {1004, IDB_LINK_HIYORI},
                               {1005, IDB_LINK_AO}};
    for (auto [control, bitmap] : pictures) {
      POINT p = origin(GetDlgItem(dlg, control));
      EXPECT_TRUE(shown.Contains(ResourceBitmap(bitmap), p.x, p.y)) << control;
    }
    EXPECT_EQ(shown.at(client.right - 3, client.bottom / 2), RGB(255, 255, 255));

    // One tooltip per link, the official page first.
    HWND tip = FindOwnedWindow(dlg, TOOLTIPS_CLASSW);
    EXPECT_NE(tip, nullptr);
    EXPECT_EQ(SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 4);
    wchar_t tipText[128] = {};
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = dlg;
    tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dlg, 1002));
    tool.lpszText = tipText;
    SendMessageW(tip, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&tool));
    EXPECT_STREQ(tipText, L"Orvaneオフィシャルページ");

    // The hand over a link, the usual arrow elsewhere.
    HCURSOR hand = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDCUR_LINK_HAND));
    EXPECT_NE(hand, nullptr);
    SendMessageW(dlg, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(dlg, 1004)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), hand);
    SendMessageW(dlg, WM_SETCURSOR, reinterpret_cast<WPARAM>(GetDlgItem(dlg, 1006)),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_NE(GetCursor(), hand);

    PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    return true;
  });
  EXPECT_EQ(about.DoModal(nullptr), IDOK);
  EXPECT_TRUE(checked);
}

TEST(AboutBox, LinkClickOpensItsPageAndSaysSoWhenItCannot) {
  std::vector<std::wstring> opened;
  int answer = 42;
  CAboutDlg about([&](const std::wstring& url, int show) {
    EXPECT_EQ(show, SW_SHOWNORMAL);
    opened.push_back(url);
    return answer;
  });
  WhileModal([&] {
    HWND dlg = FindThreadWindow(L"#32770", L"バージョン情報");
    if (!dlg) return false;
    auto click = [&](int id) {
      SendMessageW(dlg, WM_COMMAND, MAKEWPARAM(id, STN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dlg, id)));
    };
    {
      MessageBoxAnswerer box;
      click(1002);
      EXPECT_EQ(box.text(), L"");
    }
    answer = 32;  // the last value that means failure
    MessageBoxAnswerer box;
    click(1005);
    EXPECT_EQ(box.text(), L"ホームページが見つかりませんでした。");
    EXPECT_TRUE(IsWindow(dlg));  // the box stays open
    PostMessageW(dlg, WM_COMMAND, IDOK, 0);
    return true;
  });
  about.DoModal(nullptr);
  ASSERT_EQ(opened.size(), 2u);
  EXPECT_EQ(opened[0], AboutLinks()[0].url);
  EXPECT_EQ(opened[0], L"http://orvane.example.org/");
  EXPECT_EQ(opened[1], AboutLinks()[3].url);
}

}  // namespace
