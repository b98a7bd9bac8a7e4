#include <windows.h>

#include "app/about_dialog.h"
#include "app/commands.h"
#include "app/mainwindow.h"

bool CMainwindow::OnOwnCommand(UINT command) {
  switch (command) {
    case kCmdProperties:
      ShowProperties();
      return true;
    case kCmdHideTitle:
      settings_.FullWindow = !settings_.FullWindow;
      ApplyFullWindow();
      return true;
    case kCmdRunAway:
      settings_.RunAwayMouse = !settings_.RunAwayMouse;
      ApplyRunAwayMouse();
      return true;
    case kCmdStayDesktop:
      // Its effect lives in the mouse-move handler; the menu only shows the choice.
      settings_.StayDesktop = !settings_.StayDesktop;
      CheckMenuItem(GetSystemMenu(hwnd(), FALSE), kCmdStayDesktop,
                    MF_BYCOMMAND | (settings_.StayDesktop ? MF_CHECKED : MF_UNCHECKED));
      return true;
    case kCmdStayOnTop:
      settings_.StayOnTop = !settings_.StayOnTop;
      ApplyStayOnTop();
      return true;
    case kCmdAbout: {
      CAboutDlg about;
      about.DoModal(hwnd());
      return true;
    }
  }
  return false;
}
