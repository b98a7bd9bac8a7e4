#pragma once

#include <windows.h>

#include <memory>

#include "framework/profile.h"
#include "framework/window.h"

// The program object: runs InitInstance once, then the message loop until the main frame is
// destroyed. Holds the registry profile.
class CApplication {
 public:
  CApplication();
  virtual ~CApplication();
  static CApplication* Current();

  // InitInstance, then the message loop; the exit code of the quit message, or 1 when the
  // start failed (an exception in InitInstance is answered with a plain message).
  int Run(HINSTANCE instance, int showCommand);
  HINSTANCE Instance() const { return instance_; }
  int ShowCommand() const { return showCommand_; }
  CFrameWindow* MainWindow() const { return mainWindow_.get(); }
  void SetMainWindow(std::unique_ptr<CFrameWindow> window) { mainWindow_ = std::move(window); }
  // Puts the profile under Software\<company>\<program base name>.
  void SetRegistryKey(const wchar_t* company);
  CProfile& Profile() { return profile_; }

 protected:
  virtual bool InitInstance() = 0;
  // What the loop does with a message before translating and dispatching it; true when handled.
  bool PreTranslate(MSG* msg);

 private:
  HINSTANCE instance_ = nullptr;
  int showCommand_ = SW_SHOWNORMAL;
  CProfile profile_;
  std::unique_ptr<CFrameWindow> mainWindow_;
};
