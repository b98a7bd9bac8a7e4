#include "alarms/alarm_list_page.h"

#include "res/resource.h"

CMyPropertyPage3::CMyPropertyPage3() : CPropertyPage(IDD_ALARM_LIST) {}

BOOL CMyPropertyPage3::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  HWND list = Item(IDC_ALARM_LIST);
  // Columns 2 to 7 are invisible: they tie a row to its record by the record's own texts.
  static const struct {
    const wchar_t* header;
    int width;
  } kColumns[] = {{L"件名", 200},     {L"表示日時", 160}, {L"アラーム", 0},   {L"メッセージ", 0},
                  {L"日付の単位", 0}, {L"時刻の単位", 0}, {L"日付の詳細", 0}, {L"時刻の詳細", 0}};
  int index = 0;
  for (const auto& column : kColumns) {
    LVCOLUMNW c{};
    c.mask = LVCF_TEXT | LVCF_WIDTH;
    c.pszText = const_cast<wchar_t*>(column.header);
    c.cx = column.width;
    SendMessageW(list, LVM_INSERTCOLUMNW, index++, reinterpret_cast<LPARAM>(&c));
  }
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
  if (IconList)
    SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(IconList));
  return TRUE;
}
