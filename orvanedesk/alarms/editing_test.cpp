// The wizard and the properties sheet, driven under Wine the way a user drives them.
#include <windows.h>

#include <dlgs.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "alarms/add_sheet.h"
#include "alarms/alarm_list_page.h"
#include "alarms/message_sheet.h"
#include "cp932.h"
#include "res/resource.h"
#include "testing/thread_windows.h"
#include "testing/window_shot.h"
#include "win/pixels.h"
#include "win/system.h"

namespace {

constexpr int kBackButton = 0x3023, kNextButton = 0x3024, kFinishButton = 0x3025;

HWND CurrentPage(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }
std::wstring PageText(HWND sheet, int id) { return WindowText(GetDlgItem(CurrentPage(sheet), id)); }

// Replaces an edit's text as typing does, so the page hears the change (setting the text of a
// multi-line edit would not tell it).
void Type(HWND sheet, int id, const wchar_t* text) {
  HWND edit = GetDlgItem(CurrentPage(sheet), id);
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text));
}

void Choose(HWND sheet, int id, int index) {
  HWND page = CurrentPage(sheet), list = GetDlgItem(page, id);
  SendMessageW(list, CB_SETCURSEL, index, 0);
  SendMessageW(page, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
}

// The page shows a control whole: the sheet is laid out in the pages' own dialog units.
bool Fits(HWND sheet, int id) {
  HWND page = CurrentPage(sheet);
  RECT client{}, control{};
  GetClientRect(page, &client);
  GetWindowRect(GetDlgItem(page, id), &control);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&control), 2);
  return control.right <= client.right && control.bottom <= client.bottom;
}

bool Shown(HWND sheet, int id) { return IsWindowVisible(GetDlgItem(CurrentPage(sheet), id)); }
bool Enabled(HWND window, int id) { return IsWindowEnabled(GetDlgItem(window, id)); }

RECT ClientRect(HWND window, HWND child) {
  RECT rect{};
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}
RECT ClientRect(HWND window, int id) { return ClientRect(window, GetDlgItem(window, id)); }

// Steps run one per timer tick inside the sheet's modal loop; a step that returns false is
// tried again on the next tick, and one that never completes cancels the sheet.
using Step = std::function<bool(HWND sheet)>;
struct Script {
  std::vector<Step> steps;
  size_t next = 0;
  int tries = 0;
  HWND sheet = nullptr;
  bool stuck = false;
  UINT_PTR timer = 0;
};
Script g_script;

void CALLBACK RunStep(HWND, UINT, UINT_PTR timer, DWORD) {
  Script& s = g_script;
  // A script's timer outlives it only to be stopped: its steps are gone.
  if (timer != s.timer || s.next >= s.steps.size()) {
    KillTimer(nullptr, timer);
    return;
  }
  if (s.steps[s.next](s.sheet)) {
    ++s.next;
    s.tries = 0;
  } else if (++s.tries > 80) {
    s.stuck = true;
    ADD_FAILURE() << "step " << s.next << " never completed";
    KillTimer(nullptr, timer);
    AnswerMessageBox(IDCANCEL);
    PostMessageW(s.sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  }
}

void Run(HWND sheet, std::vector<Step> steps) {
  if (g_script.timer) KillTimer(nullptr, g_script.timer);
  g_script = Script{std::move(steps), 0, 0, sheet, false, 0};
  g_script.timer = SetTimer(nullptr, 0, 60, RunStep);
}

// The sheets under test, started with a script once their window exists.
class TestWizard : public CAddPropertySheet {
 public:
  TestWizard() : CAddPropertySheet(nullptr) {}
  std::vector<Step> steps;

 protected:
  void OnInitSheet() override {
    CAddPropertySheet::OnInitSheet();
    Run(hwnd(), steps);
  }
};

class TestProperties : public CMessagePropertySheet {
 public:
  explicit TestProperties(const CMessageRecord& record) : CMessagePropertySheet(nullptr) {
    SetTitle(record.title);
    Page2.Record = record;
    Page3.Record = record;
    Page3.Opened = 0;
  }
  std::vector<Step> steps;

 protected:
  void OnInitSheet() override {
    CMessagePropertySheet::OnInitSheet();
    Run(hwnd(), steps);
  }
};

Step Press(int button) {
  return [button](HWND sheet) {
    PostMessageW(sheet, PSM_PRESSBUTTON, button, 0);
    return true;
  };
}
Step Click(int id) {
  return [id](HWND sheet) {
    PostMessageW(GetDlgItem(sheet, id), BM_CLICK, 0, 0);
    return true;
  };
}
// Waits until the page with this caption is on show.
Step OnPage(const wchar_t* caption) {
  return [caption](HWND sheet) { return WindowText(sheet) == caption; };
}

HWND g_found;
// A visible window of this thread with the given caption.
HWND FindCaption(const wchar_t* caption) {
  g_found = nullptr;
  EnumThreadWindows(
      GetCurrentThreadId(),
      [](HWND hwnd, LPARAM caption) -> BOOL {
        if (IsWindowVisible(hwnd) &&
            WindowText(hwnd) == reinterpret_cast<const wchar_t*>(caption)) {
          g_found = hwnd;
          return FALSE;
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(caption));
  return g_found;
}

// Steps inside a window that opens over the sheet, found by its caption.
Step Inside(const wchar_t* caption, std::function<bool(HWND)> step) {
  return [caption, step](HWND) {
    HWND window = FindCaption(caption);
    return window && step(window);
  };
}

const std::string kTitle = *WideToCp932(L"夕食");
const std::string kText = *WideToCp932(L"ごはんの時間");

TEST(AddWizard, WeeklySaturdayAtHalfPastSixIsHandedBackOnFinish) {
  TestWizard wizard;
  std::wstring firstCaption;
  wizard.steps = {[&](HWND sheet) {
                    firstCaption = WindowText(sheet);
                    ShotIfAsked(sheet, "wizard1");
                    return Enabled(sheet, kNextButton) && !Enabled(sheet, kBackButton);
                  },
                  Press(PSBTN_NEXT), OnPage(L"アラームとメッセージ (2/3)"),
                  [](HWND sheet) {
                    // Only Back at first; the sound and message boxes wait for a title.
                    EXPECT_TRUE(Enabled(sheet, kBackButton));
                    EXPECT_FALSE(Enabled(sheet, kNextButton));
                    EXPECT_FALSE(Enabled(CurrentPage(sheet), IDC_ADD_WAVE));
                    EXPECT_FALSE(Enabled(CurrentPage(sheet), IDC_ADD_MESSAGE));
                    Type(sheet, IDC_ADD_TITLE, L"夕食");
                    return true;
                  },
                  [](HWND sheet) {
                    EXPECT_TRUE(Enabled(CurrentPage(sheet), IDC_ADD_MESSAGE));
                    EXPECT_FALSE(Enabled(sheet, kNextButton));
                    Type(sheet, IDC_ADD_MESSAGE, L"ごはんの時間");
                    return true;
                  },
                  [](HWND sheet) {
                    EXPECT_TRUE(Enabled(sheet, kNextButton));
                    Type(sheet, IDC_ADD_TITLE, L"");
                    return true;
                  },
                  [](HWND sheet) {
                    EXPECT_FALSE(Enabled(sheet, kNextButton));
                    EXPECT_FALSE(Enabled(CurrentPage(sheet), IDC_ADD_MESSAGE));
                    Type(sheet, IDC_ADD_TITLE, L"夕食");
                    return true;
                  },
                  [](HWND sheet) {
                    ShotIfAsked(sheet, "wizard2");
                    return Enabled(sheet, kNextButton);
                  },
                  Press(PSBTN_NEXT), OnPage(L"アラームとメッセージ (3/3)"),
                  [](HWND sheet) {
                    LocalTime now = GetLocalNow();
                    // Opens yearly at a given time on today and now.
                    EXPECT_EQ(PageText(sheet, IDC_SCHED_DATE_UNIT), L"毎年");
                    EXPECT_EQ(PageText(sheet, IDC_SCHED_TIME_UNIT), L"指定の時刻");
                    EXPECT_EQ(PageText(sheet, IDC_SCHED_DATE_FIRST), std::to_wstring(now.month));
                    EXPECT_EQ(PageText(sheet, IDC_SCHED_DATE_SECOND), std::to_wstring(now.day));
                    EXPECT_TRUE(Shown(sheet, IDC_SCHED_DATE_SECOND));
                    EXPECT_FALSE(Shown(sheet, IDC_SCHED_WEEKDAY));
                    EXPECT_TRUE(Enabled(sheet, kFinishButton));
                    ShotIfAsked(sheet, "wizard3");
                    Choose(sheet, IDC_SCHED_DATE_UNIT, 2);
                    Choose(sheet, IDC_SCHED_WEEKDAY, 6);
                    Type(sheet, IDC_SCHED_TIME_FIRST, L"18");
                    Type(sheet, IDC_SCHED_TIME_SECOND, L"30");
                    return true;
                  },
                  [](HWND sheet) {
                    EXPECT_TRUE(Shown(sheet, IDC_SCHED_WEEKDAY));
                    EXPECT_FALSE(Shown(sheet, IDC_SCHED_DATE_FIRST));
                    EXPECT_FALSE(Shown(sheet, IDC_SCHED_DATE_SECOND));
                    EXPECT_EQ(PageText(sheet, IDC_SCHED_TEXT), L"毎週土曜日18時30分");
                    ShotIfAsked(sheet, "wizard3-weekly");
                    return true;
                  },
                  // Back and forward again keeps both pages' values.
                  Press(PSBTN_BACK), OnPage(L"アラームとメッセージ (2/3)"),
                  [](HWND sheet) { return PageText(sheet, IDC_ADD_TITLE) == L"夕食"; },
                  Press(PSBTN_NEXT), OnPage(L"アラームとメッセージ (3/3)"),
                  [](HWND sheet) {
                    EXPECT_EQ(PageText(sheet, IDC_SCHED_TEXT), L"毎週土曜日18時30分");
                    return true;
                  },
                  Press(PSBTN_FINISH)};
  EXPECT_EQ(wizard.DoModal(), kIdWizFinish);
  EXPECT_EQ(firstCaption, L"アラームとメッセージ (1/3)");
  EXPECT_EQ(wizard.Result(),
            (CMessageRecord{kTitle, kNone, kText, kWeekly, "6", kAtTime, "18:30"}));
}

TEST(AddWizard, BrowsedSoundHourlyMinuteAndDailyAndCancelHandsNothingBack) {
  TestWizard wizard;
  std::wstring filter;
  wizard.steps = {Press(PSBTN_NEXT), OnPage(L"アラームとメッセージ (2/3)"),
                  [](HWND sheet) {
                    Type(sheet, IDC_ADD_TITLE, L"t");
                    PostMessageW(GetDlgItem(CurrentPage(sheet), IDC_ADD_BROWSE), BM_CLICK, 0, 0);
                    return true;
                  },
                  // The file dialog: its one filter, then a path typed and confirmed.
                  Inside(L"参照",
                         [&](HWND dialog) {
                           filter = WindowText(GetDlgItem(dialog, cmb1));
                           SetDlgItemTextW(dialog, cmb13, L"C:\\a.wav");
                           PostMessageW(dialog, WM_COMMAND, IDOK, 0);
                           return true;
                         }),
                  [](HWND sheet) {
                    if (!Enabled(sheet, kNextButton)) return false;
                    EXPECT_EQ(PageText(sheet, IDC_ADD_WAVE), L"C:\\a.wav");
                    return true;
                  },
                  Press(PSBTN_NEXT), OnPage(L"アラームとメッセージ (3/3)"),
                  [](HWND sheet) {
                    Type(sheet, IDC_SCHED_TIME_SECOND, L"7");
                    Choose(sheet, IDC_SCHED_TIME_UNIT, 1);
                    Choose(sheet, IDC_SCHED_DATE_UNIT, 3);
                    return true;
                  },
                  [](HWND sheet) {
                    // The minute typed for the given time is the hourly minute too.
                    EXPECT_EQ(PageText(sheet, IDC_SCHED_TIME_FIRST), L"7");
                    EXPECT_EQ(PageText(sheet, IDC_SCHED_TIME_FIRST_LABEL), L"分");
                    EXPECT_FALSE(Shown(sheet, IDC_SCHED_TIME_SECOND));
                    EXPECT_EQ(PageText(sheet, IDC_SCHED_TEXT), L"毎時7分");
                    return true;
                  },
                  Press(PSBTN_FINISH)};
  EXPECT_EQ(wizard.DoModal(), kIdWizFinish);
  EXPECT_EQ(wizard.Result(),
            (CMessageRecord{"t", "C:\\a.wav", kNone, kDaily, kNone, kHourly, "7"}));

  TestWizard cancelled;
  cancelled.steps = {Press(PSBTN_CANCEL)};
  EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
}

TEST(AddWizard, AMessageTheFileCannotKeepIsRefusedPlainly) {
  TestWizard wizard;
  std::wstring notice;
  wizard.steps = {Press(PSBTN_NEXT),
                  OnPage(L"アラームとメッセージ (2/3)"),
                  [](HWND sheet) {
                    Type(sheet, IDC_ADD_TITLE, L"t");
                    // A line break pasted from elsewhere as a lone LF.
                    Type(sheet, IDC_ADD_MESSAGE, L"a\nb");
                    return true;
                  },
                  [](HWND sheet) { return Enabled(sheet, kNextButton); },
                  Press(PSBTN_NEXT),
                  [&](HWND) {
                    notice = AnswerMessageBox(IDOK);
                    return !notice.empty();
                  },
                  [](HWND sheet) {
                    EXPECT_EQ(WindowText(sheet), L"アラームとメッセージ (2/3)");
                    Type(sheet, IDC_ADD_MESSAGE, L"a\r\n]\r\nb");
                    return true;
                  },
                  Press(PSBTN_NEXT),
                  OnPage(L"アラームとメッセージ (3/3)"),
                  Press(PSBTN_FINISH)};
  EXPECT_EQ(wizard.DoModal(), kIdWizFinish);
  EXPECT_NE(notice.find(L"改行"), std::wstring::npos) << testing::PrintToString(notice);
  EXPECT_EQ(wizard.Result().message, "a\r\n]\r\nb");
}

CMessageRecord Saturday() {
  return {kTitle,  "C:\\a.wav", *WideToCp932(L"一行目\r\n]\r\n三行目"), kWeekly, "6",
          kAtTime, "18:30"};
}

TEST(PropertiesSheet, NarrowedWithOkAndCancelOnlyAndItsCaptionFollowsTheTitle) {
  // The same tab as a plain sheet lays it out, to measure the narrowing against.
  CPropertyPage plainPage(IDD_EDIT_GENERAL);
  RECT plainSheet{}, plainTab{}, plainCancel{}, plainApply{}, plainPageRect{};
  struct Plain : CPropertySheet {
    using CPropertySheet::CPropertySheet;
    std::function<void(HWND)> init;
    void OnInitSheet() override { init(hwnd()); }
  } plain(L"plain", nullptr);
  plain.AddPage(&plainPage);
  // Measured as shown, once the sheet's own layout is over.
  plain.init = [&](HWND sheet) {
    ::Run(sheet, {[&](HWND sheet) {
                    GetWindowRect(sheet, &plainSheet);
                    plainTab = ClientRect(sheet, PropSheet_GetTabControl(sheet));
                    plainCancel = ClientRect(sheet, IDCANCEL);
                    plainApply = ClientRect(sheet, kIdApplyNow);
                    plainPageRect = ClientRect(sheet, CurrentPage(sheet));
                    return true;
                  },
                  Press(PSBTN_CANCEL)});
  };
  plain.DoModal();

  TestProperties sheet(Saturday());
  std::wstring caption;
  sheet.steps = {[&](HWND hwnd) {
                   caption = WindowText(hwnd);
                   RECT window{};
                   GetWindowRect(hwnd, &window);
                   EXPECT_EQ(window.right - window.left, plainSheet.right - plainSheet.left - 60);
                   EXPECT_FALSE(IsWindowVisible(GetDlgItem(hwnd, kIdApplyNow)));
                   RECT ok = ClientRect(hwnd, IDOK), cancel = ClientRect(hwnd, IDCANCEL);
                   EXPECT_EQ(ok.left, plainCancel.left - 60);
                   EXPECT_EQ(cancel.left, plainApply.left - 60);
                   EXPECT_EQ(ok.top, plainCancel.top);
                   RECT tab{}, page{};
                   GetWindowRect(PropSheet_GetTabControl(hwnd), &tab);
                   EXPECT_EQ(tab.right - tab.left, plainTab.right - plainTab.left - 60);
                   GetWindowRect(CurrentPage(hwnd), &page);
                   EXPECT_LE(page.right, tab.right);
                   EXPECT_EQ(page.right - page.left, plainPageRect.right - plainPageRect.left - 62);
                   EXPECT_EQ(ClientRect(hwnd, CurrentPage(hwnd)).left, plainPageRect.left);
                   EXPECT_TRUE(Fits(hwnd, IDC_EDIT_BROWSE));
                   // The record's texts, and an empty caption with the title.
                   EXPECT_EQ(PageText(hwnd, IDC_EDIT_TITLE), L"夕食");
                   EXPECT_EQ(PageText(hwnd, IDC_EDIT_WAVE), L"C:\\a.wav");
                   EXPECT_EQ(PageText(hwnd, IDC_EDIT_MESSAGE), L"一行目\r\n]\r\n三行目");
                   ShotIfAsked(hwnd, "properties-general");
                   Type(hwnd, IDC_EDIT_TITLE, L"");
                   return true;
                 },
                 [](HWND hwnd) {
                   EXPECT_EQ(WindowText(hwnd), L"");
                   EXPECT_FALSE(Enabled(hwnd, IDOK));
                   EXPECT_FALSE(Enabled(CurrentPage(hwnd), IDC_EDIT_WAVE));
                   EXPECT_FALSE(Enabled(CurrentPage(hwnd), IDC_EDIT_MESSAGE));
                   Type(hwnd, IDC_EDIT_TITLE, L"朝食");
                   return true;
                 },
                 [](HWND hwnd) {
                   EXPECT_EQ(WindowText(hwnd), L"朝食");
                   EXPECT_TRUE(Enabled(hwnd, IDOK));
                   Type(hwnd, IDC_EDIT_WAVE, L"");
                   Type(hwnd, IDC_EDIT_MESSAGE, L"");
                   return true;
                 },
                 [](HWND hwnd) {
                   EXPECT_FALSE(Enabled(hwnd, IDOK));
                   Type(hwnd, IDC_EDIT_MESSAGE, L"一行目\r\n]\r\n三行目");
                   return true;
                 },
                 [](HWND hwnd) { return Enabled(hwnd, IDOK); },
                 Click(IDOK)};
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(caption, L"夕食");
  // Confirmed without opening "スケジュール": the stored schedule stays as it was.
  EXPECT_EQ(sheet.Page3.Opened, 0);
  CMessageRecord expected = Saturday();
  expected.title = *WideToCp932(L"朝食");
  expected.alarm = kNone;
  EXPECT_EQ(sheet.Result(Saturday()), expected);
}

TEST(PropertiesSheet, ARecordWithoutTitleOpensWithTheTextBoxesDisabled) {
  // A damaged Message.ini can hold such a record; setting an empty title tells the page nothing.
  CMessageRecord untitled = Saturday();
  untitled.title.clear();
  TestProperties sheet(untitled);
  bool waveEnabled = true, messageEnabled = true, okEnabled = true;
  sheet.steps = {[&](HWND hwnd) {
                   waveEnabled = Enabled(CurrentPage(hwnd), IDC_EDIT_WAVE);
                   messageEnabled = Enabled(CurrentPage(hwnd), IDC_EDIT_MESSAGE);
                   okEnabled = Enabled(hwnd, IDOK);
                   return true;
                 },
                 Press(PSBTN_CANCEL)};
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_FALSE(waveEnabled);
  EXPECT_FALSE(messageEnabled);
  EXPECT_FALSE(okEnabled);
}

TEST(PropertiesSheet, ScheduleTabShowsTheRecordAndRefusesAnEmptyNumber) {
  TestProperties sheet(Saturday());
  std::wstring refusal;
  sheet.steps = {[](HWND hwnd) {
                   PostMessageW(hwnd, PSM_SETCURSEL, 1, 0);
                   return true;
                 },
                 [](HWND hwnd) { return GetDlgItem(CurrentPage(hwnd), IDC_SCHED_TEXT) != nullptr; },
                 [](HWND hwnd) {
                   LocalTime now = GetLocalNow();
                   EXPECT_EQ(PageText(hwnd, IDC_SCHED_DATE_UNIT), L"毎週");
                   EXPECT_EQ(PageText(hwnd, IDC_SCHED_WEEKDAY), L"土曜日");
                   EXPECT_EQ(PageText(hwnd, IDC_SCHED_TIME_FIRST), L"18");
                   EXPECT_EQ(PageText(hwnd, IDC_SCHED_TIME_SECOND), L"30");
                   EXPECT_EQ(PageText(hwnd, IDC_SCHED_DATE_FIRST), std::to_wstring(now.month));
                   EXPECT_EQ(PageText(hwnd, IDC_SCHED_DATE_SECOND), std::to_wstring(now.day));
                   EXPECT_EQ(PageText(hwnd, IDC_SCHED_TEXT), L"毎週土曜日18時30分");
                   RECT page{}, tab{};
                   GetWindowRect(CurrentPage(hwnd), &page);
                   GetWindowRect(PropSheet_GetTabControl(hwnd), &tab);
                   EXPECT_LE(page.right, tab.right);
                   // Made later than the first page, it has that page's narrowed size.
                   RECT first{};
                   GetWindowRect(PropSheet_IndexToHwnd(hwnd, 0), &first);
                   EXPECT_EQ(page.right - page.left, first.right - first.left);
                   EXPECT_EQ(page.bottom - page.top, first.bottom - first.top);
                   EXPECT_TRUE(Fits(hwnd, IDC_SCHED_TIME_SECOND_LABEL));
                   ShotIfAsked(hwnd, "properties-schedule");
                   Choose(hwnd, IDC_SCHED_WEEKDAY, 1);
                   return true;
                 },
                 [](HWND hwnd) {
                   EXPECT_EQ(PageText(hwnd, IDC_SCHED_TEXT), L"毎週月曜日18時30分");
                   Type(hwnd, IDC_SCHED_TIME_FIRST, L"");
                   return true;
                 },
                 Click(IDOK),
                 [&](HWND) {
                   refusal = AnswerMessageBox(IDOK);
                   return !refusal.empty();
                 },
                 [](HWND hwnd) {
                   // Still open, on the same tab.
                   EXPECT_NE(GetDlgItem(CurrentPage(hwnd), IDC_SCHED_TEXT), nullptr);
                   Type(hwnd, IDC_SCHED_TIME_FIRST, L"7");
                   return true;
                 },
                 Click(IDOK)};
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(refusal, L"整数を入力してください。");
  EXPECT_EQ(sheet.Page3.Opened, 1);
  CMessageRecord expected = Saturday();
  expected.dateDetail = "1";
  expected.timeDetail = "7:30";
  EXPECT_EQ(sheet.Result(Saturday()), expected);
}

TEST(PropertiesSheet, DamagedUnitsShowNothingAndKeepTheirFieldsAndCancelKeepsAll) {
  CMessageRecord damaged = {"t", kNone, "m", "?", "6", "?", "18:30"};
  TestProperties sheet(damaged);
  sheet.steps = {[](HWND hwnd) {
                   PostMessageW(hwnd, PSM_SETCURSEL, 1, 0);
                   return true;
                 },
                 [](HWND hwnd) { return GetDlgItem(CurrentPage(hwnd), IDC_SCHED_TEXT) != nullptr; },
                 [](HWND hwnd) {
                   EXPECT_EQ(PageText(hwnd, IDC_SCHED_TEXT), L"");
                   for (int id : {IDC_SCHED_DATE_FIRST, IDC_SCHED_DATE_SECOND, IDC_SCHED_WEEKDAY,
                                  IDC_SCHED_TIME_FIRST, IDC_SCHED_TIME_SECOND})
                     EXPECT_FALSE(Shown(hwnd, id)) << id;
                   return true;
                 },
                 Click(IDOK)};
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(sheet.Page3.Opened, 1);
  EXPECT_EQ(sheet.Result(damaged), damaged);

  TestProperties cancelled(Saturday());
  cancelled.steps = {[](HWND hwnd) {
                       Type(hwnd, IDC_EDIT_TITLE, L"x");
                       return true;
                     },
                     Click(IDCANCEL)};
  EXPECT_EQ(cancelled.DoModal(), IDCANCEL);
}

// ---- the alarm list page on a sheet of its own

class ListHost : public CPropertySheet {
 public:
  ListHost() : CPropertySheet(L"プロパティ", nullptr) { AddPage(&page); }
  CMyPropertyPage3 page;
  std::vector<Step> steps;

 protected:
  void OnInitSheet() override { Run(hwnd(), steps); }
};

HWND ListOf(HWND sheet) { return GetDlgItem(CurrentPage(sheet), IDC_ALARM_LIST); }

std::wstring Cell(HWND sheet, int row, int column) {
  wchar_t text[256] = {};
  ListView_GetItemText(ListOf(sheet), row, column, text, 256);
  return text;
}

int ImageOf(HWND sheet, int row) {
  LVITEMW item{};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  ListView_GetItem(ListOf(sheet), &item);
  return item.iImage;
}

int RowWith(HWND sheet, int column, const wchar_t* text) {
  for (int row = 0; row < ListView_GetItemCount(ListOf(sheet)); ++row)
    if (Cell(sheet, row, column) == text) return row;
  return -1;
}

void Select(HWND sheet, int row) {
  ListView_SetItemState(ListOf(sheet), row, LVIS_SELECTED | LVIS_FOCUSED,
                        LVIS_SELECTED | LVIS_FOCUSED);
}

Step ClickOnPage(int id) {
  return [id](HWND sheet) {
    PostMessageW(GetDlgItem(CurrentPage(sheet), id), BM_CLICK, 0, 0);
    return true;
  };
}

CMessageRecord Item(const char* title, const char* alarm, const char* message, const char* time) {
  return {title, alarm, message, kDaily, kNone, kAtTime, time};
}

TEST(AlarmListPage, RowsAreSortedByTitleWithTheirIconsAndAddingSelectsTheNewRow) {
  ListHost host;
  host.page.Records = {Item("b", "C:\\b.wav", "m", "7:5"), Item("c", kNone, "m", "8:0"),
                       Item("a", "C:\\a.wav", kNone, "9:0")};
  host.steps = {[](HWND sheet) {
                  EXPECT_EQ(ListView_GetItemCount(ListOf(sheet)), 3);
                  EXPECT_EQ(Cell(sheet, 0, 0), L"a");
                  EXPECT_EQ(Cell(sheet, 1, 0), L"b");
                  EXPECT_EQ(Cell(sheet, 2, 0), L"c");
                  EXPECT_EQ(ImageOf(sheet, 0), 1);
                  EXPECT_EQ(ImageOf(sheet, 1), 3);
                  EXPECT_EQ(ImageOf(sheet, 2), 2);
                  EXPECT_EQ(Cell(sheet, 1, 1), L"毎日7時5分");
                  EXPECT_EQ(Cell(sheet, 1, 7), L"7:5");
                  EXPECT_EQ(ListView_GetColumnWidth(ListOf(sheet), 2), 0);
                  EXPECT_FALSE(Enabled(CurrentPage(sheet), IDC_ALARM_DELETE));
                  ShotIfAsked(sheet, "list");
                  return true;
                },
                ClickOnPage(IDC_ALARM_ADD),
                Inside(L"アラームとメッセージ (1/3)",
                       [](HWND wizard) {
                         PostMessageW(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
                         return true;
                       }),
                Inside(L"アラームとメッセージ (2/3)",
                       [](HWND wizard) {
                         Type(wizard, IDC_ADD_TITLE, L"夕食");
                         Type(wizard, IDC_ADD_MESSAGE, L"ごはんの時間");
                         return true;
                       }),
                Inside(L"アラームとメッセージ (2/3)",
                       [](HWND wizard) {
                         if (!Enabled(wizard, kNextButton)) return false;
                         PostMessageW(wizard, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
                         return true;
                       }),
                Inside(L"アラームとメッセージ (3/3)",
                       [](HWND wizard) {
                         Choose(wizard, IDC_SCHED_DATE_UNIT, 2);
                         Choose(wizard, IDC_SCHED_WEEKDAY, 6);
                         Type(wizard, IDC_SCHED_TIME_FIRST, L"18");
                         Type(wizard, IDC_SCHED_TIME_SECOND, L"30");
                         PostMessageW(wizard, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
                         return true;
                       }),
                [](HWND sheet) {
                  int row = RowWith(sheet, 0, L"夕食");
                  if (row < 0) return false;
                  // Sorted in after the ASCII titles, selected, with the buttons it needs.
                  EXPECT_EQ(row, 3);
                  EXPECT_EQ(Cell(sheet, row, 1), L"毎週土曜日18時30分");
                  EXPECT_EQ(ImageOf(sheet, row), 2);
                  EXPECT_EQ(ListView_GetNextItem(ListOf(sheet), -1, LVNI_SELECTED), row);
                  EXPECT_TRUE(Enabled(CurrentPage(sheet), IDC_ALARM_DELETE));
                  EXPECT_TRUE(Enabled(sheet, kIdApplyNow));
                  ShotIfAsked(sheet, "list-added");
                  return true;
                },
                Click(IDOK)};
  EXPECT_EQ(host.DoModal(), IDOK);
  ASSERT_EQ(host.page.Records.size(), 4u);
  EXPECT_EQ(host.page.Records[3],
            (CMessageRecord{kTitle, kNone, kText, kWeekly, "6", kAtTime, "18:30"}));
}

TEST(AlarmListPage, DeleteAsksAndRemovesExactlyTheRowsOwnRecord) {
  ListHost host;
  CMessageRecord early = Item("x", kNone, "m", "18:30"), late = Item("x", kNone, "m", "18:31");
  host.page.Records = {early, late, Item("y", kNone, "m", "1:0")};
  std::wstring question;
  host.steps = {[](HWND sheet) {
                  Select(sheet, RowWith(sheet, 7, L"18:31"));
                  return true;
                },
                ClickOnPage(IDC_ALARM_DELETE),
                [&](HWND) {
                  question = AnswerMessageBox(IDNO);
                  return !question.empty();
                },
                [](HWND sheet) {
                  EXPECT_EQ(ListView_GetItemCount(ListOf(sheet)), 3);
                  EXPECT_FALSE(Enabled(sheet, kIdApplyNow));
                  return true;
                },
                ClickOnPage(IDC_ALARM_DELETE),
                [](HWND) { return !AnswerMessageBox(IDYES).empty(); },
                [](HWND sheet) {
                  if (ListView_GetItemCount(ListOf(sheet)) != 2) return false;
                  EXPECT_EQ(RowWith(sheet, 7, L"18:31"), -1);
                  EXPECT_NE(RowWith(sheet, 7, L"18:30"), -1);
                  return true;
                },
                Click(IDOK)};
  EXPECT_EQ(host.DoModal(), IDOK);
  EXPECT_EQ(question, L"'x' を削除しますか?");
  EXPECT_EQ(host.page.Records, (std::vector<CMessageRecord>{early, Item("y", kNone, "m", "1:0")}));
}

TEST(AlarmListPage, TestShowsTheRowsRecordInAPopupAndChangesNothing) {
  ListHost host;
  host.page.Records = {Item("t", kNone, "hello", "1:0")};
  std::wstring title;
  host.steps = {[](HWND sheet) {
                  Select(sheet, 0);
                  return true;
                },
                ClickOnPage(IDC_ALARM_TEST),
                Inside(L"メッセージ",
                       [&](HWND popup) {
                         title = IsWindowVisible(popup) ? L"shown" : L"";
                         ShotIfAsked(popup, "popup");
                         PostMessageW(popup, WM_COMMAND, IDOK, 0);
                         return true;
                       }),
                [](HWND sheet) {
                  if (FindCaption(L"メッセージ")) return false;
                  EXPECT_FALSE(Enabled(sheet, kIdApplyNow));
                  return true;
                },
                Click(IDOK)};
  EXPECT_EQ(host.DoModal(), IDOK);
  EXPECT_EQ(title, L"shown");
  EXPECT_EQ(host.page.Records, (std::vector<CMessageRecord>{Item("t", kNone, "hello", "1:0")}));
}

TEST(AlarmListPage, PropertiesEditTheRowsRecordAndKeepAnUnvisitedSchedule) {
  ListHost host;
  CMessageRecord saturday = Saturday();
  CMessageRecord other = saturday;
  other.timeDetail = "18:31";
  host.page.Records = {other, saturday};
  host.steps = {[](HWND sheet) {
                  Select(sheet, RowWith(sheet, 7, L"18:30"));
                  // A double click on the selected row opens its properties; posted, so the
                  // sheet it opens runs outside this step.
                  static NMITEMACTIVATE click{};
                  click.hdr.hwndFrom = ListOf(sheet);
                  click.hdr.idFrom = IDC_ALARM_LIST;
                  click.hdr.code = NM_DBLCLK;
                  PostMessageW(CurrentPage(sheet), WM_NOTIFY, IDC_ALARM_LIST,
                               reinterpret_cast<LPARAM>(&click));
                  return true;
                },
                // Runs inside the properties sheet's own loop, opened by the double click.
                Inside(L"夕食",
                       [](HWND properties) {
                         Type(properties, IDC_EDIT_TITLE, L"朝食");
                         return true;
                       }),
                Inside(L"朝食",
                       [](HWND properties) {
                         PostMessageW(GetDlgItem(properties, IDOK), BM_CLICK, 0, 0);
                         return true;
                       }),
                [](HWND sheet) {
                  int row = RowWith(sheet, 0, L"朝食");
                  if (row < 0) return false;
                  EXPECT_EQ(Cell(sheet, row, 7), L"18:30");
                  EXPECT_TRUE(Enabled(sheet, kIdApplyNow));
                  return true;
                },
                Click(IDOK)};
  EXPECT_EQ(host.DoModal(), IDOK);
  CMessageRecord edited = saturday;
  edited.title = *WideToCp932(L"朝食");
  EXPECT_EQ(host.page.Records, (std::vector<CMessageRecord>{other, edited}));
}

const bool g_controls = [] {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  return InitCommonControlsEx(&icc) != FALSE;
}();

}  // namespace
