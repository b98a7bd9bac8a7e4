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
    window->LoadMessages();
    window->RebuildHourMessages();
    HWND hwnd = window->hwnd();
    SetMainWindow(std::move(window));
    ShowWindow(hwnd, ShowCommand());
    UpdateWindow(hwnd);
    return true;
  }
};

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  CClockApp app;
  return app.Run(instance, showCommand);
}
