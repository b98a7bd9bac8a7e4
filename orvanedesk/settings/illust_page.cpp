#include "settings/settings_pages.h"

#include "cp932.h"
#include "res/resource.h"

// The check state of each item of the illustration list is its item data.

CMyPropertyPage4::CMyPropertyPage4() : CPropertyPage(IDD_ILLUST) {}

void CMyPropertyPage4::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, IDC_UPDATE_ILLUST, UpdateIllust);
  DDX_Radio(dx, IDC_EVERY_MINUTE, UpdateTime);
}

namespace {

int CheckBoxWidth(HWND list) {
  return static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
}
bool Checked(HWND list, int index) { return SendMessageW(list, LB_GETITEMDATA, index, 0) == 1; }
void SetChecked(HWND list, int index, bool checked) {
  SendMessageW(list, LB_SETITEMDATA, index, checked ? 1 : 0);
  RECT item;
  if (SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) != LB_ERR)
    InvalidateRect(list, &item, FALSE);
}
void NotifySelectionChange(HWND list) {
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

}  // namespace

BOOL CMyPropertyPage4::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  HWND list = Item(IDC_ILLUST_LIST);
  SetWindowSubclass(list, CheckListProc, 1, 0);
  // Rows as tall as the text, with room for a check box of the same height.
  {
    HDC dc = GetDC(list);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(list, dc);
    SendMessageW(list, LB_SETITEMHEIGHT, 0, metrics.tmHeight + 2);
  }
  for (size_t i = 0; i < IllustNames.size(); ++i) {
    SendMessageW(list, LB_INSERTSTRING, i,
                 reinterpret_cast<LPARAM>(Cp932ToWide(IllustNames[i]).c_str()));
    SetChecked(list, static_cast<int>(i), i < IllustShown.size() && IllustShown[i] == 1);
  }
  EnableWindow(Item(IDC_SHOW_NOW), FALSE);
  EnableIntervalButtons(IsDlgButtonChecked(hwnd(), IDC_UPDATE_ILLUST) == BST_CHECKED);
  return TRUE;
}

void CMyPropertyPage4::EnableIntervalButtons(bool enable) {
  for (int id : {IDC_EVERY_MINUTE, IDC_EVERY_HOUR, IDC_EVERY_DAY}) EnableWindow(Item(id), enable);
}

void CMyPropertyPage4::OnSelectionChange() {
  HWND list = Item(IDC_ILLUST_LIST);
  int selected = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
  int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
  std::vector<int> checks;
  for (int i = 0; i < count; ++i) checks.push_back(Checked(list, i));
  int retick = ItemToRetick(checks, selected);
  if (retick >= 0) {
    AppMessageBox(hwnd(), L"最低一枚は絵柄の選択が必要です。", MB_OK | MB_ICONSTOP);
    SetChecked(list, retick, true);
  }
  SetModified();
  if (selected >= 0 && selected < static_cast<int>(IllustShown.size()))
    IllustShown[selected] = Checked(list, selected) ? 1 : 0;
  EnableWindow(Item(IDC_SHOW_NOW), selected >= 0);
}

bool CMyPropertyPage4::OnCommand(int id, int code, HWND control) {
  HWND list = Item(IDC_ILLUST_LIST);
  if (id == IDC_ILLUST_LIST && code == LBN_SELCHANGE) {
    OnSelectionChange();
    return true;
  }
  if (code != BN_CLICKED) return CPropertyPage::OnCommand(id, code, control);
  switch (id) {
    case IDC_SELECT_ALL: {
      SetModified();
      int count = static_cast<int>(SendMessageW(list, LB_GETCOUNT, 0, 0));
      for (int i = 0; i < count; ++i) SetChecked(list, i, true);
      for (int& shown : IllustShown) shown = 1;
      return true;
    }
    case IDC_SHOW_NOW: {
      int selected = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
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
    auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (draw->itemID == static_cast<UINT>(-1)) return TRUE;
    HDC dc = draw->hDC;
    RECT row = draw->rcItem;
    int box = row.bottom - row.top;
    RECT check{row.left + 1, row.top + 1, row.left + box - 1, row.bottom - 1};
    FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));
    DrawFrameControl(
        dc, &check, DFC_BUTTON,
        DFCS_BUTTONCHECK | DFCS_FLAT | (Checked(draw->hwndItem, draw->itemID) ? DFCS_CHECKED : 0));
    RECT text{row.left + box + 1, row.top, row.right, row.bottom};
    bool selected = draw->itemState & ODS_SELECTED;
    FillRect(dc, &text, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    std::wstring name(SendMessageW(draw->hwndItem, LB_GETTEXTLEN, draw->itemID, 0) + 1, L'\0');
    name.resize(SendMessageW(draw->hwndItem, LB_GETTEXT, draw->itemID,
                             reinterpret_cast<LPARAM>(name.data())));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT inner = text;
    inner.left += 2;
    DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &inner,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (draw->itemState & ODS_FOCUS) DrawFocusRect(dc, &text);
    return TRUE;
  }
  return CPropertyPage::OnMessage(msg, wParam, lParam);
}

// A click on an item's box, or the space bar, toggles its check; either way the item ends up
// selected and the page hears of it as a selection change.
LRESULT CALLBACK CMyPropertyPage4::CheckListProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam,
                                                 UINT_PTR, DWORD_PTR) {
  if (msg == WM_LBUTTONDOWN || msg == WM_LBUTTONDBLCLK) {
    POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    LRESULT hit = SendMessageW(list, LB_ITEMFROMPOINT, 0, MAKELPARAM(at.x, at.y));
    int index = LOWORD(hit);
    if (!HIWORD(hit) && at.x < CheckBoxWidth(list)) {
      SetFocus(list);
      SetChecked(list, index, !Checked(list, index));
      SendMessageW(list, LB_SETCURSEL, index, 0);
      NotifySelectionChange(list);
      return 0;
    }
  } else if (msg == WM_KEYDOWN && wParam == VK_SPACE) {
    int index = static_cast<int>(SendMessageW(list, LB_GETCURSEL, 0, 0));
    if (index >= 0) {
      SetChecked(list, index, !Checked(list, index));
      NotifySelectionChange(list);
    }
    return 0;
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(list, CheckListProc, 1);
  }
  return DefSubclassProc(list, msg, wParam, lParam);
}
