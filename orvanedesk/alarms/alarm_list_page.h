#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "framework/dialog.h"

// The shape of one alarm item as the list page carries it, until the record type of the alarm
// layer takes its place (switch the alias).
struct PendingMessageRecord {
  std::string title, alarm, message, dateUnit, dateDetail, timeUnit, timeDetail;
};
using AlarmListRecord = PendingMessageRecord;

// The settings sheet's alarm list tab: its own copy of the records, handed back on OK or Apply.
class CMyPropertyPage3 : public CPropertyPage {
 public:
  CMyPropertyPage3();

  std::vector<AlarmListRecord> Records;
  HIMAGELIST IconList = nullptr;  // the main window's, shared; not owned

 protected:
  BOOL OnInitDialog() override;
};
