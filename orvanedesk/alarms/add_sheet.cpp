#include "alarms/add_sheet.h"

#include <commdlg.h>

#include "alarms/message_file.h"
#include "cp932.h"
#include "res/resource.h"
#include "win/system.h"

std::wstring LoadResourceString(UINT id) {
  const wchar_t* text = nullptr;
  int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, length) : std::wstring();
}

bool HasText(HWND edit) { return GetWindowTextLengthW(edit) > 0; }

std::wstring BrowseWaveFile(HWND owner) {
  wchar_t path[MAX_PATH] = {};
  // One filter entry: the description and its pattern.
  static const wchar_t kFilter[] = L"WAVE サウンド (*.wav)\0*.wav\0";
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = kFilter;
  ofn.lpstrFile = path;
  ofn.nMaxFile = MAX_PATH;
  ofn.lpstrTitle = L"参照";
  ofn.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!ShowOpenFileDialog(&ofn)) return {};
  return path;
}

bool AcceptMessageText(HWND page, int messageBox, const std::string& message) {
  // Lines of only "]" are kept by the file as they are; a lone CR or LF would not come back.
  CMessageRecord record;
  record.message = message;
  if (StoresUnchanged(record)) return true;
  AppMessageBox(page,
                L"メッセージに行の区切りとして使えない改行文字が含まれています。\n"
                L"このままでは保存できないため、改行を入力し直してください。",
                MB_OK | MB_ICONEXCLAMATION);
  SetFocus(GetDlgItem(page, messageBox));
  return false;
}

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
