// The picture clock's form in-process, with a stand-in for the shell's notification area.
#include "form1.h"

#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "testing/fake_shell.h"
#include "testing/thread_windows.h"

namespace {

class FormTest : public ::testing::Test {
 protected:
  void TearDown() override {
    form_.reset();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }  // the quit message the form posted
  }
  // Creates the form with the fake shell; it reads no position file, as none is beside the test.
  void Create() {
    form_ = std::make_unique<TForm1>(GetModuleHandleW(nullptr));
    form_->notifyIcon = FakeNotify;
    ASSERT_TRUE(form_->Create());
  }
  std::unique_ptr<TForm1> form_;
};

// Pumps messages until the form has asked nothing of the shell for longer than its retry
// interval; false when it keeps asking.
bool ShellLeftAlone(DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < timeoutMs) {
    const int before = g_shell.requests;
    PumpMessagesUntil([] { return false; }, TForm1::kTrayRetryMs * 3 / 2);
    if (g_shell.requests == before) return true;
  }
  return false;
}

// A shell not ready at sign-in: the icon is tried again until it is there, then no more.
TEST_F(FormTest, TrayIconIsTriedAgainUntilTheShellTakesIt) {
  for (bool takes : {false, true}) {
    SCOPED_TRACE(takes ? "taken while timing out" : "refused");
    g_shell = {2, takes};
    Create();
    EXPECT_TRUE(ShellLeftAlone(10000)) << "still trying";
    EXPECT_TRUE(g_shell.hasIcon);
    form_.reset();
    EXPECT_FALSE(g_shell.hasIcon) << "the icon stays after the form has gone";
  }
}

// A shortcut set to "minimized" would leave a window without a taskbar button out of reach, one
// set to "maximized" would cover the screen.
TEST_F(FormTest, AMinimizedOrMaximizedStartShowsTheClockNormally) {
  for (int command : {SW_SHOWMINNOACTIVE, SW_MINIMIZE, SW_SHOWMINIMIZED, SW_SHOWMAXIMIZED}) {
    SCOPED_TRACE(command);
    g_shell = {};
    Create();
    form_->Show(command);
    EXPECT_TRUE(IsWindowVisible(form_->hwnd()));
    EXPECT_FALSE(IsIconic(form_->hwnd()));
    RECT frame;
    GetWindowRect(form_->hwnd(), &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right, kPictureSize);
    form_.reset();
  }
}

}  // namespace
