#include <windows.h>

#include <memory>

#include "app/mainwindow.h"
#include "framework/app.h"
#include "win/system.h"

// The desk clock program: one frame window, which is the whole visible program.
class CClockApp : public CApplication {
 protected:
  bool InitInstance() override {
    SetRegistryKey(L"HARBOR LAMP");
    auto window = std::make_unique<CMainwindow>(GetLocalNow);
    if (!window->Create()) return false;
    CMainwindow* frame = window.get();
    SetMainWindow(std::move(window));
    // A restored placement has shown the window already, with its stored show command.
    if (!frame->LoadSettings()) ShowWindow(frame->hwnd(), ShowCommand());
    UpdateWindow(frame->hwnd());
    frame->ReportUnreadFiles();
    return true;
  }
};

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  CClockApp app;
  return app.Run(instance, showCommand);
}
