#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "alarms/alarm_list_page.h"
#include "alarms/message_record.h"
#include "framework/dialog.h"
#include "settings/clock_settings.h"
#include "settings/settings_pages.h"

// What the settings sheet shows and the user may change: copies of the clock's own.
struct SheetValues {
  ClockSettings Settings;
  std::vector<std::string> IllustNames;  // shown, not changed
  std::vector<int> IllustShown;
  std::vector<std::string> Sounds[kSoundEventCount];  // Boot, Exit, Time, Away
  std::vector<CMessageRecord> Messages;
};

// The clock's settings on four tabs. The pages work on copies: CopyIn fills them, and what the
// user confirms goes to `confirm` (on OK, and on Apply without closing).
class CMyPropertySheet : public CPropertySheet {
 public:
  using Confirm = std::function<void(const SheetValues&)>;
  // icons: the clock's shared icon list. showNow: the illustration tab's "show now".
  CMyPropertySheet(HWND owner, HIMAGELIST icons, decltype(CMyPropertyPage4::ShowNow) showNow,
                   Confirm confirm);

  void CopyIn(const SheetValues& values);
  SheetValues Confirmed() const;
  // Runs the sheet; true when it was closed by OK, after `confirm` has taken the values.
  bool Run();

  CMyPropertyPage1 m_Page1;
  CMyPropertyPage4 m_Page4;
  CMyPropertyPage2 m_Page2;
  CMyPropertyPage3 m_Page3;

 protected:
  bool OnCommand(int id, int code, HWND control) override;

 private:
  ClockSettings settings_;  // the options the sheet has no tab for, handed back as they came
  Confirm confirm_;
};
