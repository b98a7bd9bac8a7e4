#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "alarms/message_record.h"
#include "framework/dialog.h"

// The settings sheet's alarm list tab: its own copy of the records, handed back on OK or Apply.
// Rows are sorted by title and tied to their records only by their texts.
class CMyPropertyPage3 : public CPropertyPage {
 public:
  CMyPropertyPage3();

  std::vector<CMessageRecord> Records;
  HIMAGELIST IconList = nullptr;  // the main window's, shared; not owned

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(NMHDR* header) override;

 private:
  void OnAdd();
  void OnDelete();
  void OnProperties();
  void OnTest();
  int InsertRow(const CMessageRecord& record);
  void ShowRecord(int row, const CMessageRecord& record);
  std::wstring RowText(int row, int column) const;
  int SelectedRow() const;
  // The record of a row, -1 when none matches (after telling the user when `tell` is set).
  int FindRecord(int row, bool tell);
  void UpdateButtons();
  HWND List() const;
};
