#include "ui/check_list.h"

#include <commctrl.h>

// The check state of each row is its item data, so it lives and dies with the list box.

namespace {

int CheckBoxWidth(HWND list) {
  return static_cast<int>(SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
}

void NotifySelectionChange(HWND list) {
  SendMessageW(GetParent(list), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list));
}

}  // namespace

void CCheckList::Attach(HWND list) {
  list_ = list;
  SetWindowSubclass(list, Proc, 1, 0);
  // Rows as tall as the text, with room for a check box of the same height.
  HDC dc = GetDC(list);
  HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(list, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, old);
  ReleaseDC(list, dc);
  SendMessageW(list, LB_SETITEMHEIGHT, 0, metrics.tmHeight + 2);
}

void CCheckList::Add(const std::wstring& text, bool checked) {
  int index = static_cast<int>(
      SendMessageW(list_, LB_INSERTSTRING, -1, reinterpret_cast<LPARAM>(text.c_str())));
  SetChecked(index, checked);
}

int CCheckList::Count() const { return static_cast<int>(SendMessageW(list_, LB_GETCOUNT, 0, 0)); }

int CCheckList::Selection() const {
  return static_cast<int>(SendMessageW(list_, LB_GETCURSEL, 0, 0));
}

bool CCheckList::Checked(HWND list, int index) {
  return SendMessageW(list, LB_GETITEMDATA, index, 0) == 1;
}

void CCheckList::SetChecked(HWND list, int index, bool checked) {
  SendMessageW(list, LB_SETITEMDATA, index, checked ? 1 : 0);
  RECT item;
  if (SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item)) != LB_ERR)
    InvalidateRect(list, &item, FALSE);
}

void CCheckList::Draw(const DRAWITEMSTRUCT& draw) {
  if (draw.itemID == static_cast<UINT>(-1)) return;
  HDC dc = draw.hDC;
  RECT row = draw.rcItem;
  int box = row.bottom - row.top;
  RECT check{row.left + 1, row.top + 1, row.left + box - 1, row.bottom - 1};
  FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));
  DrawFrameControl(
      dc, &check, DFC_BUTTON,
      DFCS_BUTTONCHECK | DFCS_FLAT | (Checked(draw.hwndItem, draw.itemID) ? DFCS_CHECKED : 0));
  RECT text{row.left + box + 1, row.top, row.right, row.bottom};
  bool selected = draw.itemState & ODS_SELECTED;
  FillRect(dc, &text, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  std::wstring name(SendMessageW(draw.hwndItem, LB_GETTEXTLEN, draw.itemID, 0) + 1, L'\0');
  name.resize(
      SendMessageW(draw.hwndItem, LB_GETTEXT, draw.itemID, reinterpret_cast<LPARAM>(name.data())));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT inner = text;
  inner.left += 2;
  DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &inner,
            DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (draw.itemState & ODS_FOCUS) DrawFocusRect(dc, &text);
}

// Either toggle leaves the row selected, so the owner hears of both as a selection change.
LRESULT CALLBACK CCheckList::Proc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR) {
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
    RemoveWindowSubclass(list, Proc, 1);
  }
  return DefSubclassProc(list, msg, wParam, lParam);
}
