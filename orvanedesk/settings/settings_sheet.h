#pragma once

#include "alarms/alarm_list_page.h"
#include "framework/dialog.h"
#include "settings/settings_pages.h"

class CMainwindow;

// The clock's settings on four tabs. The pages work on copies: CopyIn fills them from the main
// window, CopyBack hands them over (on OK, and on Apply without closing).
class CMyPropertySheet : public CPropertySheet {
 public:
  explicit CMyPropertySheet(CMainwindow& owner);

  void CopyIn();
  void CopyBack();

  CMyPropertyPage1 m_Page1;
  CMyPropertyPage4 m_Page4;
  CMyPropertyPage2 m_Page2;
  CMyPropertyPage3 m_Page3;

 protected:
  bool OnCommand(int id, int code, HWND control) override;

 private:
  CMainwindow& owner_;
};
