#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "alarms/message_record.h"
#include "framework/dialog.h"

// The settings sheet's alarm list tab: its own copy of the records, handed back on OK or Apply.
class CMyPropertyPage3 : public CPropertyPage {
 public:
  CMyPropertyPage3();

  std::vector<CMessageRecord> Records;
  HIMAGELIST IconList = nullptr;  // the main window's, shared; not owned

 protected:
  BOOL OnInitDialog() override;
};
