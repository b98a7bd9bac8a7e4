#include "alarms/add_sheet.h"

#include "alarms/editing_controls.h"
#include "res/resource.h"

// ---- page 1

CAddPropertyPage1::CAddPropertyPage1() : CPropertyPage(IDD_ADD_INTRO) {}

bool CAddPropertyPage1::OnSetActive() {
  SetWizardButtons(PSWIZB_NEXT);
  return true;
}

// ---- page 2

CAddPropertyPage2::CAddPropertyPage2() : CPropertyPage(IDD_ADD_TEXTS) {}

void CAddPropertyPage2::DoDataExchange(CDataExchange& dx) {
  DDX_Text(dx, IDC_ADD_TITLE, Title);
  DDX_Text(dx, IDC_ADD_WAVE, Wave);
  DDX_Text(dx, IDC_ADD_MESSAGE, Message);
}

BOOL CAddPropertyPage2::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  EnableWindow(Item(IDC_ADD_WAVE), FALSE);
  EnableWindow(Item(IDC_ADD_MESSAGE), FALSE);
  attached_ = true;
  return TRUE;
}

bool CAddPropertyPage2::OnSetActive() {
  SetWizardButtons(TextPageButtons(!Title.empty(), !Wave.empty(), !Message.empty()));
  return true;
}

bool CAddPropertyPage2::OnCommand(int id, int code, HWND control) {
  if (id == IDC_ADD_BROWSE && code == BN_CLICKED) {
    std::wstring path = BrowseWaveFile(hwnd());
    if (!path.empty()) SetDlgItemTextW(hwnd(), IDC_ADD_WAVE, path.c_str());
    return true;
  }
  if (code == EN_CHANGE && attached_ &&
      (id == IDC_ADD_TITLE || id == IDC_ADD_WAVE || id == IDC_ADD_MESSAGE)) {
    bool hasTitle = HasText(Item(IDC_ADD_TITLE));
    if (id == IDC_ADD_TITLE) {
      EnableWindow(Item(IDC_ADD_WAVE), hasTitle);
      EnableWindow(Item(IDC_ADD_MESSAGE), hasTitle);
    }
    SetWizardButtons(
        TextPageButtons(hasTitle, HasText(Item(IDC_ADD_WAVE)), HasText(Item(IDC_ADD_MESSAGE))));
    return true;
  }
  return CPropertyPage::OnCommand(id, code, control);
}

LRESULT CAddPropertyPage2::OnWizardNext() {
  return AcceptMessageText(hwnd(), IDC_ADD_MESSAGE, Message) ? 0 : -1;
}

// ---- the sheet

CAddPropertySheet::CAddPropertySheet(HWND parent)
    : CPropertySheet(LoadResourceString(IDS_ADD_WIZARD), parent) {
  SetWizardMode();
  AddPage(&Page1);
  AddPage(&Page2);
  AddPage(&Page3);
}

CMessageRecord CAddPropertySheet::Result() const {
  return MakeRecord(Page2.Title, Page2.Wave, Page2.Message, Page3.Values);
}
