#pragma once

#include <string>

#include "alarms/schedule_page.h"
#include "framework/dialog.h"

class CMessagePropertySheet;

// The properties sheet's "全般" tab: title, wave file and message of the record.
class CMessagePropertyPage2 : public CPropertyPage {
 public:
  CMessagePropertyPage2();
  CMessageRecord Record;
  std::string Title, Message, Wave;

 protected:
  void DoDataExchange(CDataExchange& dx) override;
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  bool OnKillActive() override;

 private:
  void UpdateConfirm();
  // The text boxes and the caption after the title.
  void FollowTitle();
  bool attached_ = false;
};

// Edits one item on two tabs with OK and Cancel only; the caption follows the title.
class CMessagePropertySheet : public CPropertySheet {
 public:
  explicit CMessagePropertySheet(HWND parent);
  // Sets the caption, before or while the sheet is shown.
  void SetTitle(const std::string& title);
  void EnableConfirm(bool enable);
  // The edited item: the texts of "全般", the schedule only when its tab was opened and every
  // unit is chosen; otherwise the record's own schedule fields.
  CMessageRecord Result(const CMessageRecord& record) const;

  CMessagePropertyPage2 Page2;
  CMessagePropertyPage3 Page3;

 protected:
  void OnInitSheet() override;
};
