#include "settings/settings_pages.h"

#include "cp932.h"
#include "res/resource.h"

CMyPropertyPage4::CMyPropertyPage4() : CPropertyPage(IDD_ILLUST) {}

void CMyPropertyPage4::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, IDC_UPDATE_ILLUST, UpdateIllust);
  DDX_Radio(dx, IDC_EVERY_MINUTE, UpdateTime);
}

BOOL CMyPropertyPage4::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  checks_.Attach(Item(IDC_ILLUST_LIST));
  for (size_t i = 0; i < IllustNames.size(); ++i)
    checks_.Add(Cp932ToWide(IllustNames[i]), i < IllustShown.size() && IllustShown[i] == 1);
  EnableWindow(Item(IDC_SHOW_NOW), FALSE);
  EnableIntervalButtons(IsDlgButtonChecked(hwnd(), IDC_UPDATE_ILLUST) == BST_CHECKED);
  return TRUE;
}

void CMyPropertyPage4::EnableIntervalButtons(bool enable) {
  for (int id : {IDC_EVERY_MINUTE, IDC_EVERY_HOUR, IDC_EVERY_DAY}) EnableWindow(Item(id), enable);
}

void CMyPropertyPage4::OnSelectionChange() {
  int selected = checks_.Selection();
  std::vector<int> checks;
  for (int i = 0; i < checks_.Count(); ++i) checks.push_back(checks_.Checked(i));
  int retick = ItemToRetick(checks, selected);
  if (retick >= 0) {
    AppMessageBox(hwnd(), L"最低一枚は絵柄の選択が必要です。", MB_OK | MB_ICONSTOP);
    checks_.SetChecked(retick, true);
  }
  SetModified();
  if (selected >= 0 && selected < static_cast<int>(IllustShown.size()))
    IllustShown[selected] = checks_.Checked(selected) ? 1 : 0;
  EnableWindow(Item(IDC_SHOW_NOW), selected >= 0);
}

bool CMyPropertyPage4::OnCommand(int id, int code, HWND control) {
  if (id == IDC_ILLUST_LIST && code == LBN_SELCHANGE) {
    OnSelectionChange();
    return true;
  }
  if (code != BN_CLICKED) return CPropertyPage::OnCommand(id, code, control);
  switch (id) {
    case IDC_SELECT_ALL: {
      SetModified();
      for (int i = 0; i < checks_.Count(); ++i) checks_.SetChecked(i, true);
      for (int& shown : IllustShown) shown = 1;
      return true;
    }
    case IDC_SHOW_NOW: {
      int selected = checks_.Selection();
      if (selected >= 0 && selected < static_cast<int>(IllustNames.size()) && ShowNow)
        ShowNow(selected, IllustNames[selected]);
      return true;
    }
    case IDC_UPDATE_ILLUST:
      SetModified();
      EnableIntervalButtons(IsDlgButtonChecked(hwnd(), IDC_UPDATE_ILLUST) == BST_CHECKED);
      return true;
    case IDC_EVERY_MINUTE:
    case IDC_EVERY_HOUR:
    case IDC_EVERY_DAY:
      SetModified();
      return true;
  }
  return CPropertyPage::OnCommand(id, code, control);
}

INT_PTR CMyPropertyPage4::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_DRAWITEM && wParam == IDC_ILLUST_LIST) {
    CCheckList::Draw(*reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  return CPropertyPage::OnMessage(msg, wParam, lParam);
}
