#pragma once

#include <string>

#include "alarms/schedule_page.h"
#include "framework/dialog.h"

// Page 1 of the add wizard: the greeting.
class CAddPropertyPage1 : public CPropertyPage {
 public:
  CAddPropertyPage1();

 protected:
  bool OnSetActive() override;
};

// Page 2: title, wave file and message, saved into the strings when the page is left.
class CAddPropertyPage2 : public CPropertyPage {
 public:
  CAddPropertyPage2();
  std::string Wave, Message, Title;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  BOOL OnInitDialog() override;
  bool OnSetActive() override;
  bool OnCommand(int id, int code, HWND control) override;
  LRESULT OnWizardNext() override;

 private:
  bool attached_ = false;
};

// The three-page wizard that collects one new item; the caller builds the record on Finish.
class CAddPropertySheet : public CPropertySheet {
 public:
  explicit CAddPropertySheet(HWND parent);
  // The new item from the values of pages 2 and 3; valid after Finish.
  CMessageRecord Result() const;

  CAddPropertyPage1 Page1;
  CAddPropertyPage2 Page2;
  CAddPropertyPage3 Page3;
};
