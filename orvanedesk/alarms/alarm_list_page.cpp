#include "alarms/alarm_list_page.h"

#include "alarms/add_sheet.h"
#include "alarms/editing_logic.h"
#include "alarms/message_sheet.h"
#include "alarms/schedule.h"
#include "cp932.h"
#include "res/resource.h"

namespace {
// The columns that tie a row to its record, in column order from 2 on.
std::vector<const std::string*> TiedFields(const CMessageRecord& r) {
  return {&r.alarm, &r.message, &r.dateUnit, &r.timeUnit, &r.dateDetail, &r.timeDetail};
}
}  // namespace

CMyPropertyPage3::CMyPropertyPage3() : CPropertyPage(IDD_ALARM_LIST) {}

HWND CMyPropertyPage3::List() const { return Item(IDC_ALARM_LIST); }

BOOL CMyPropertyPage3::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  HWND list = List();
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
  for (const CMessageRecord& record : Records) InsertRow(record);
  UpdateButtons();
  return TRUE;
}

int CMyPropertyPage3::InsertRow(const CMessageRecord& record) {
  std::wstring title = Cp932ToWide(record.title);
  LVITEMW item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = static_cast<int>(SendMessageW(List(), LVM_GETITEMCOUNT, 0, 0));
  item.pszText = title.data();
  item.iImage = RowImage(record);
  // The list sorts by title, so the row lands where the list puts it.
  int row =
      static_cast<int>(SendMessageW(List(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
  if (row >= 0) ShowRecord(row, record);
  return row;
}

void CMyPropertyPage3::ShowRecord(int row, const CMessageRecord& record) {
  std::vector<std::wstring> texts = {Cp932ToWide(record.title),
                                     Cp932ToWide(CMessageSchedule().Describe(record, false))};
  for (const std::string* field : TiedFields(record)) texts.push_back(Cp932ToWide(*field));
  LVITEMW item{};
  item.iItem = row;
  item.mask = LVIF_IMAGE;
  item.iImage = RowImage(record);
  SendMessageW(List(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  for (int column = 0; column < static_cast<int>(texts.size()); ++column) {
    item.mask = LVIF_TEXT;
    item.iSubItem = column;
    item.pszText = texts[column].data();
    SendMessageW(List(), LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  }
}

std::wstring CMyPropertyPage3::RowText(int row, int column) const {
  // The list copies at most the buffer; grow it until the text fits.
  for (size_t size = 256;; size *= 2) {
    std::wstring text(size, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text.data();
    item.cchTextMax = static_cast<int>(size);
    int length = static_cast<int>(
        SendMessageW(List(), LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item)));
    if (length < static_cast<int>(size) - 1 || size > (1u << 24)) {
      text.resize(length);
      return text;
    }
  }
}

int CMyPropertyPage3::SelectedRow() const {
  return static_cast<int>(SendMessageW(List(), LVM_GETNEXTITEM, -1, LVNI_SELECTED));
}

int CMyPropertyPage3::FindRecord(int row, bool tell) {
  // Compared as shown: a stored text that is not clean code page 932 still finds its record.
  std::vector<std::wstring> shown = {RowText(row, 0)};
  for (int column = 2; column < 8; ++column) shown.push_back(RowText(row, column));
  for (size_t i = 0; i < Records.size(); ++i) {
    std::vector<std::wstring> texts = {Cp932ToWide(Records[i].title)};
    for (const std::string* field : TiedFields(Records[i])) texts.push_back(Cp932ToWide(*field));
    if (texts == shown) return static_cast<int>(i);
  }
  if (tell)
    AppMessageBox(hwnd(),
                  L"リストに該当する項目が見つかりません。\nOrvaneを再起動してやり直してください。",
                  MB_OK | MB_ICONEXCLAMATION);
  return -1;
}

void CMyPropertyPage3::UpdateButtons() {
  bool selected = SelectedRow() >= 0;
  for (int id : {IDC_ALARM_DELETE, IDC_ALARM_PROPERTIES, IDC_ALARM_TEST})
    EnableWindow(Item(id), selected);
}

bool CMyPropertyPage3::OnCommand(int id, int code, HWND control) {
  if (code == BN_CLICKED) {
    switch (id) {
      case IDC_ALARM_ADD:
        OnAdd();
        return true;
      case IDC_ALARM_DELETE:
        OnDelete();
        return true;
      case IDC_ALARM_PROPERTIES:
        OnProperties();
        return true;
      case IDC_ALARM_TEST:
        OnTest();
        return true;
    }
  }
  return CPropertyPage::OnCommand(id, code, control);
}

LRESULT CMyPropertyPage3::OnNotify(NMHDR* header) {
  if (header->idFrom == IDC_ALARM_LIST) {
    if (header->code == LVN_ITEMCHANGED) {
      UpdateButtons();
      return 0;
    }
    if (header->code == NM_DBLCLK) {
      if (SelectedRow() >= 0) OnProperties();
      return 0;
    }
  }
  return CPropertyPage::OnNotify(header);
}

// The editors are owned by the settings sheet, which they disable while they are open, so the
// sheet cannot be closed under them.
void CMyPropertyPage3::OnAdd() {
  CAddPropertySheet wizard(Sheet());
  if (wizard.DoModal() != kIdWizFinish) return;
  SetModified();
  CMessageRecord record = wizard.Result();
  Records.push_back(record);
  int row = InsertRow(record);
  if (row < 0) return;
  LVITEMW state{};
  state.stateMask = state.state = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageW(List(), LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&state));
  SendMessageW(List(), LVM_ENSUREVISIBLE, row, FALSE);
}

void CMyPropertyPage3::OnDelete() {
  int row = SelectedRow();
  if (row < 0) return;
  if (AppMessageBox(hwnd(), L"'" + RowText(row, 0) + L"' を削除しますか?",
                    MB_YESNO | MB_ICONQUESTION) != IDYES)
    return;
  int index = FindRecord(row, false);
  if (index < 0) return;
  SetModified();
  Records.erase(Records.begin() + index);
  SendMessageW(List(), LVM_DELETEITEM, row, 0);
  UpdateButtons();
}

void CMyPropertyPage3::OnProperties() {
  int row = SelectedRow();
  if (row < 0) return;
  int index = FindRecord(row, true);
  if (index < 0) return;
  CMessageRecord record = Records[index];
  CMessagePropertySheet sheet(Sheet());
  sheet.SetCaption(RowText(row, 0));
  sheet.Page2.Record = record;
  sheet.Page3.Record = record;
  sheet.Page3.Opened = 0;
  if (sheet.DoModal() != IDOK) return;
  SetModified();
  Records[index] = sheet.Result(record);
  ShowRecord(row, Records[index]);
}

void CMyPropertyPage3::OnTest() {
  int row = SelectedRow();
  if (row < 0) return;
  int index = FindRecord(row, true);
  (void)index;
}
