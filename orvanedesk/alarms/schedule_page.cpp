#include "alarms/schedule_page.h"

#include "cp932.h"
#include "res/resource.h"
#include "win/system.h"

namespace {

// Edit, spin, label, second edit, second spin, second label, weekday list (0 when none).
const int kDateIds[7] = {IDC_SCHED_DATE_FIRST,       IDC_SCHED_DATE_FIRST_SPIN,
                         IDC_SCHED_DATE_FIRST_LABEL, IDC_SCHED_DATE_SECOND,
                         IDC_SCHED_DATE_SECOND_SPIN, IDC_SCHED_DATE_SECOND_LABEL,
                         IDC_SCHED_WEEKDAY};
const int kTimeIds[7] = {IDC_SCHED_TIME_FIRST,
                         IDC_SCHED_TIME_FIRST_SPIN,
                         IDC_SCHED_TIME_FIRST_LABEL,
                         IDC_SCHED_TIME_SECOND,
                         IDC_SCHED_TIME_SECOND_SPIN,
                         IDC_SCHED_TIME_SECOND_LABEL,
                         0};

// The lists are filled in code, in the order the stored indexes mean.
template <size_t N>
void FillList(HWND list, const char* const (&items)[N]) {
  SendMessageW(list, CB_RESETCONTENT, 0, 0);
  for (const char* item : items)
    SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Cp932ToWide(item).c_str()));
}
}  // namespace

BOOL CSchedulePage::OnInitDialog() {
  attached_ = false;
  CPropertyPage::OnInitDialog();
  FillList(Item(IDC_SCHED_DATE_UNIT), kDateUnitItems);
  FillList(Item(IDC_SCHED_TIME_UNIT), kTimeUnitItems);
  FillList(Item(IDC_SCHED_WEEKDAY), kWeekdayItems);
  return TRUE;
}

void CSchedulePage::ShowUnit(const UnitView& view, const int ids[7]) {
  // Everything of the group is hidden first, then only what the unit uses is shown.
  for (int i = 0; i < 7; ++i)
    if (ids[i]) ShowWindow(Item(ids[i]), SW_HIDE);
  const NumberBoxView* boxes[2] = {&view.first, &view.second};
  for (int b = 0; b < 2; ++b) {
    int edit = ids[b * 3], spin = ids[b * 3 + 1], label = ids[b * 3 + 2];
    SendMessageW(Item(spin), UDM_SETRANGE32, boxes[b]->low, boxes[b]->high);
    SetDlgItemInt(hwnd(), edit, boxes[b]->value, TRUE);
    if (boxes[b]->shown)
      for (int id : {edit, spin, label}) ShowWindow(Item(id), SW_SHOW);
  }
  if (!view.firstLabel.empty()) SetItemText(hwnd(), ids[2], view.firstLabel);
  if (ids[6] && view.weekdayShown) ShowWindow(Item(ids[6]), SW_SHOW);
}

void CSchedulePage::ShowSchedule() {
  bool attached = attached_;
  // Writing the numbers is not a user's change.
  attached_ = false;
  SendMessageW(Item(IDC_SCHED_DATE_UNIT), CB_SETCURSEL, Values.dateUnit, 0);
  SendMessageW(Item(IDC_SCHED_TIME_UNIT), CB_SETCURSEL, Values.timeUnit, 0);
  SendMessageW(Item(IDC_SCHED_WEEKDAY), CB_SETCURSEL, Values.weekday, 0);
  ShowUnit(DateUnitView(Values), kDateIds);
  ShowUnit(TimeUnitView(Values), kTimeIds);
  attached_ = attached;
  RefreshText();
}

void CSchedulePage::RefreshText() { SetItemText(hwnd(), IDC_SCHED_TEXT, GetScheduleText(Values)); }

bool CSchedulePage::OnCommand(int id, int code, HWND control) {
  if (!attached_) return CPropertyPage::OnCommand(id, code, control);
  if (code == CBN_SELCHANGE) {
    int selected = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
    if (id == IDC_SCHED_DATE_UNIT || id == IDC_SCHED_TIME_UNIT) {
      (id == IDC_SCHED_DATE_UNIT ? Values.dateUnit : Values.timeUnit) = selected;
      ShowSchedule();
    } else if (id == IDC_SCHED_WEEKDAY) {
      Values.weekday = selected;
      RefreshText();
    } else {
      return false;
    }
    OnScheduleChanged();
    return true;
  }
  if (code == EN_CHANGE) {
    int value = AtoiOf(GetItemText(hwnd(), id).value_or(std::string()));
    switch (id) {
      case IDC_SCHED_DATE_FIRST:
        StoreDateEdit(Values, 0, value);
        break;
      case IDC_SCHED_DATE_SECOND:
        StoreDateEdit(Values, 1, value);
        break;
      case IDC_SCHED_TIME_FIRST:
        StoreTimeEdit(Values, 0, value);
        break;
      case IDC_SCHED_TIME_SECOND:
        StoreTimeEdit(Values, 1, value);
        break;
      default:
        return false;
    }
    RefreshText();
    OnScheduleChanged();
    return true;
  }
  return CPropertyPage::OnCommand(id, code, control);
}

void CSchedulePage::DoDataExchange(CDataExchange& dx) {
  // The edits are checked into members of their own: each number already sits where its unit
  // keeps it, and a hidden edit must not overwrite what a shown one stored.
  if (!dx.Saving()) return;
  DDX_Text(dx, IDC_SCHED_DATE_FIRST, exchanged_[0]);
  DDX_Text(dx, IDC_SCHED_DATE_SECOND, exchanged_[1]);
  DDX_Text(dx, IDC_SCHED_TIME_FIRST, exchanged_[2]);
  DDX_Text(dx, IDC_SCHED_TIME_SECOND, exchanged_[3]);
}

// ---- the wizard's page

CAddPropertyPage3::CAddPropertyPage3() : CSchedulePage(IDD_ADD_SCHEDULE) {}

BOOL CAddPropertyPage3::OnInitDialog() {
  CSchedulePage::OnInitDialog();
  LocalTime now = GetLocalNow();
  Values = {0, 0, now.month, now.day, now.weekday, now.hour, now.minute};
  ShowSchedule();
  Attach();
  return TRUE;
}

bool CAddPropertyPage3::OnSetActive() {
  SetWizardButtons(PSWIZB_BACK | PSWIZB_FINISH);
  return true;
}

// ---- the properties sheet's tab

CMessagePropertyPage3::CMessagePropertyPage3() : CSchedulePage(IDD_EDIT_SCHEDULE) {}

BOOL CMessagePropertyPage3::OnInitDialog() {
  CSchedulePage::OnInitDialog();
  Values = DecodeSchedule(Record, GetLocalNow());
  ShowSchedule();
  Attach();
  Opened = 1;
  return TRUE;
}

bool CMessagePropertyPage3::OnSetActive() {
  // Made when first shown, this page gets the sheet's size from before the narrowing (Windows
  // sizes it so); it takes the narrowed first page's size instead.
  CPropertySheet* sheet = Owner();
  if (sheet && sheet->Page(0) != this && sheet->Page(0)->Created()) {
    RECT first{};
    GetWindowRect(sheet->Page(0)->hwnd(), &first);
    SetWindowPos(hwnd(), nullptr, 0, 0, first.right - first.left, first.bottom - first.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return CSchedulePage::OnSetActive();
}
