#include "alarms/message_sheet.h"

#include "alarms/editing_controls.h"
#include "cp932.h"
#include "res/resource.h"

namespace {
std::string ShownText(const std::string& stored) {
  return stored == kNone ? std::string() : stored;
}

RECT ClientRectOf(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void Narrow(HWND window, int by) {
  RECT rect{};
  GetWindowRect(window, &rect);
  SetWindowPos(window, nullptr, 0, 0, rect.right - rect.left - by, rect.bottom - rect.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}
}  // namespace

// ---- "全般"

CMessagePropertyPage2::CMessagePropertyPage2() : CPropertyPage(IDD_EDIT_GENERAL) {}

void CMessagePropertyPage2::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, IDC_EDIT_TITLE, Title);
  DDX_Text(dx, IDC_EDIT_MESSAGE, Message);
  DDX_Text(dx, IDC_EDIT_WAVE, Wave);
}

BOOL CMessagePropertyPage2::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  attached_ = true;
  SetItemText(hwnd(), IDC_EDIT_TITLE, Record.title);
  SetItemText(hwnd(), IDC_EDIT_WAVE, ShownText(Record.alarm));
  SetItemText(hwnd(), IDC_EDIT_MESSAGE, ShownText(Record.message));
  // Caption and boxes follow the record's title from the start, not from a change notice,
  // which an empty title need not send.
  FollowTitle();
  UpdateConfirm();
  return TRUE;
}

void CMessagePropertyPage2::FollowTitle() {
  bool hasTitle = HasText(Item(IDC_EDIT_TITLE));
  EnableWindow(Item(IDC_EDIT_WAVE), hasTitle);
  EnableWindow(Item(IDC_EDIT_MESSAGE), hasTitle);
  // The caption shows the title as typed, also while it holds what the file cannot.
  std::wstring title(GetWindowTextLengthW(Item(IDC_EDIT_TITLE)) + 1, L'\0');
  title.resize(GetWindowTextW(Item(IDC_EDIT_TITLE), title.data(), static_cast<int>(title.size())));
  if (Owner()) Owner()->SetCaption(title);
}

void CMessagePropertyPage2::UpdateConfirm() {
  if (!attached_) return;
  auto* sheet = static_cast<CMessagePropertySheet*>(Owner());
  if (!sheet) return;
  sheet->EnableConfirm(ConfirmAllowed(HasText(Item(IDC_EDIT_TITLE)), HasText(Item(IDC_EDIT_WAVE)),
                                      HasText(Item(IDC_EDIT_MESSAGE))));
}

bool CMessagePropertyPage2::OnCommand(int id, int code, HWND control) {
  if (id == IDC_EDIT_BROWSE && code == BN_CLICKED) {
    std::wstring path = BrowseWaveFile(hwnd());
    if (!path.empty()) SetDlgItemTextW(hwnd(), IDC_EDIT_WAVE, path.c_str());
    return true;
  }
  if (code == EN_CHANGE && attached_ &&
      (id == IDC_EDIT_TITLE || id == IDC_EDIT_WAVE || id == IDC_EDIT_MESSAGE)) {
    SetModified();
    if (id == IDC_EDIT_TITLE) FollowTitle();
    UpdateConfirm();
    return true;
  }
  return CPropertyPage::OnCommand(id, code, control);
}

bool CMessagePropertyPage2::OnKillActive() {
  return CPropertyPage::OnKillActive() && AcceptMessageText(hwnd(), IDC_EDIT_MESSAGE, Message);
}

// ---- the sheet

CMessagePropertySheet::CMessagePropertySheet(HWND parent)
    : CPropertySheet(LoadResourceString(IDS_EDIT_SHEET), parent) {
  AddPage(&Page2);
  AddPage(&Page3);
}

void CMessagePropertySheet::SetTitle(const std::string& title) { SetCaption(Cp932ToWide(title)); }

void CMessagePropertySheet::EnableConfirm(bool enable) {
  if (!hwnd()) return;
  EnableWindow(GetDlgItem(hwnd(), IDOK), enable);
  EnableWindow(GetDlgItem(hwnd(), kIdApplyNow), enable);
}

void CMessagePropertySheet::OnInitSheet() {
  // Only OK and Cancel remain, moved into the places of Cancel and Apply, 60 pixels further
  // left, in a sheet 60 pixels narrower.
  HWND ok = GetDlgItem(hwnd(), IDOK);
  HWND cancel = GetDlgItem(hwnd(), IDCANCEL);
  HWND apply = GetDlgItem(hwnd(), kIdApplyNow);
  RECT cancelRect = ClientRectOf(cancel), applyRect = ClientRectOf(apply);
  ShowWindow(apply, SW_HIDE);
  SetWindowPos(ok, nullptr, cancelRect.left - 60, cancelRect.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(cancel, nullptr, applyRect.left - 60, applyRect.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Narrow(PropSheet_GetTabControl(hwnd()), 60);
  Narrow(hwnd(), 60);
  for (int i = 0; i < PageCount(); ++i)
    if (Page(i)->Created()) Narrow(Page(i)->hwnd(), 62);
}

CMessageRecord CMessagePropertySheet::Result(const CMessageRecord& record) const {
  return EditedRecord(record, Page2.Title, Page2.Wave, Page2.Message, Page3.Opened != 0,
                      Page3.Values);
}
