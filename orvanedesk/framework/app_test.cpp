#include "framework/app.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "framework/dialog.h"
#include "testing/thread_windows.h"

namespace {

constexpr wchar_t kClass[] = L"AppTestFrame";

// Throws while handling one message, to see what becomes of the window.
class ThrowingFrame : public CFrameWindow {
 public:
  explicit ThrowingFrame(UINT throwAt) : throwAt_(throwAt) {}
  bool Create() {
    WNDCLASSEXW wc{};
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kClass;
    RegisterClass(wc);
    return CreateEx(0, kClass, L"test", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr);
  }

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == throwAt_) throw std::runtime_error("broken");
    return CFrameWindow::OnMessage(msg, wParam, lParam);
  }

 private:
  UINT throwAt_;
};

TEST(Window, AnExceptionDuringCreationFailsItAndReachesTheCaller) {
  for (UINT at : {UINT(WM_NCCREATE), UINT(WM_CREATE)}) {
    ThrowingFrame frame(at);
    EXPECT_THROW(frame.Create(), std::runtime_error) << at;
    EXPECT_EQ(frame.hwnd(), nullptr);
    EXPECT_EQ(FindWindowW(kClass, nullptr), nullptr) << "a half-made window lives on";
  }
  // Later the window survives the exception, and the next creation knows nothing of it.
  ThrowingFrame frame(WM_USER);
  ASSERT_TRUE(frame.Create());
  EXPECT_EQ(SendMessageW(frame.hwnd(), WM_USER, 0, 0), 0);
  EXPECT_TRUE(IsWindow(frame.hwnd()));
}

class FailingApp : public CApplication {
 protected:
  bool InitInstance() override {
    auto frame = std::make_unique<ThrowingFrame>(WM_CREATE);
    frame->Create();
    SetMainWindow(std::move(frame));
    return true;
  }
};

TEST(Application, AStartThatThrowsEndsWithAPlainMessage) {
  MessageBoxAnswerer box;
  FailingApp app;
  EXPECT_EQ(app.Run(GetModuleHandleW(nullptr), SW_SHOWNORMAL), 1);
  EXPECT_EQ(box.text(), L"起動できませんでした。");
}

// A modeless dialog over the main frame, driven through the application's own loop.
class ModelessDialog : public CDialog {
 public:
  ModelessDialog() : CDialog(100) {}
  bool gone = false;
  int focusAfterTab = 0;

 protected:
  void PostNcDestroy() override {
    gone = true;
    DestroyWindow(FindWindowW(kClass, nullptr));  // the main frame: ends the loop
  }
};

class KeysApp : public CApplication {
 public:
  ModelessDialog dialog;
  bool timedOut = false;

 protected:
  bool InitInstance() override {
    auto frame = std::make_unique<ThrowingFrame>(WM_APP + 99);  // a message it never gets
    if (!frame->Create()) return false;
    ShowWindow(frame->hwnd(), SW_SHOW);
    HWND main = frame->hwnd();
    SetMainWindow(std::move(frame));
    if (!dialog.Create(main)) return false;
    ShowWindow(dialog.hwnd(), SW_SHOW);
    SetFocus(dialog.Item(1001));
    // Keys as the keyboard sends them: to the control with the focus.
    PostMessageW(dialog.Item(1001), WM_KEYDOWN, VK_TAB, 0);
    SetTimer(main, 1, 200, [](HWND main, UINT, UINT_PTR id, DWORD) {
      KillTimer(main, id);
      auto* app = static_cast<KeysApp*>(CApplication::Current());
      app->dialog.focusAfterTab = GetDlgCtrlID(GetFocus());
      PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0);
      // Ends the loop should the dialog not close.
      SetTimer(main, 2, 2000, [](HWND main, UINT, UINT_PTR, DWORD) {
        static_cast<KeysApp*>(CApplication::Current())->timedOut = true;
        DestroyWindow(main);
      });
    });
    return true;
  }
};

TEST(Application, TheLoopGivesModelessDialogsTheirKeys) {
  KeysApp app;
  EXPECT_EQ(app.Run(GetModuleHandleW(nullptr), SW_SHOWNORMAL), 0);
  EXPECT_TRUE(app.dialog.gone);
  EXPECT_FALSE(app.timedOut) << "Escape did not cancel the dialog";
  EXPECT_EQ(app.dialog.focusAfterTab, 1002) << "Tab did not move on";
}

}  // namespace
