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
      Settings.FullWindow = !Settings.FullWindow;
      ApplyFullWindow();
      return true;
    case kCmdRunAway:
      Settings.RunAwayMouse = !Settings.RunAwayMouse;
      ApplyRunAwayMouse();
      return true;
    case kCmdStayDesktop:
      // Its effect lives in the mouse-move handler; the menu only shows the choice.
      Settings.StayDesktop = !Settings.StayDesktop;
      CheckMenuItem(GetSystemMenu(hwnd(), FALSE), kCmdStayDesktop,
                    MF_BYCOMMAND | (Settings.StayDesktop ? MF_CHECKED : MF_UNCHECKED));
      return true;
    case kCmdStayOnTop:
      Settings.StayOnTop = !Settings.StayOnTop;
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
