#pragma once

#include "alarms/editing_logic.h"
#include "alarms/message_record.h"
#include "framework/dialog.h"
#include "local_time.h"

// The schedule page that the add wizard (dialog 147) and the properties sheet (dialog 106)
// share: unit boxes, number edits with their spin boxes, and the description.
class CSchedulePage : public CPropertyPage {
 public:
  explicit CSchedulePage(UINT templateId) : CPropertyPage(templateId) {}
  ScheduleValues Values;

 protected:
  // Fills the unit lists; a subclass then sets Values and calls ShowSchedule.
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void DoDataExchange(CDataExchange& dx) override;
  // Shows the controls of the selected units, writes the numbers and the description.
  void ShowSchedule();
  // Called after each change the user makes.
  virtual void OnScheduleChanged() {}
  // From here on edits and selections are the user's.
  void Attach() { attached_ = true; }

 private:
  void ShowUnit(const UnitView& view, const int ids[7]);
  void RefreshText();
  bool attached_ = false;
  int exchanged_[4] = {};
};

// Page 3 of the add wizard: starts yearly at a given time, from now.
class CAddPropertyPage3 : public CSchedulePage {
 public:
  CAddPropertyPage3();

 protected:
  BOOL OnInitDialog() override;
  bool OnSetActive() override;
};

// The properties sheet's "スケジュール" tab: shows the record's schedule; Opened tells the caller
// whether the page was ever created, that is whether Values hold anything.
class CMessagePropertyPage3 : public CSchedulePage {
 public:
  CMessagePropertyPage3();
  CMessageRecord Record;
  int Opened = 0;

 protected:
  BOOL OnInitDialog() override;
  bool OnSetActive() override;
  void OnScheduleChanged() override { SetModified(); }
};
