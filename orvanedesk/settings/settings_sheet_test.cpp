#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "alarms/alarm_list_page.h"
#include "res/resource.h"

namespace {

class ScriptedSheet : public CPropertySheet {
 public:
  using CPropertySheet::CPropertySheet;
  std::function<void(HWND)> script;

 protected:
  void OnInitSheet() override {
    if (script) script(hwnd());
  }
};

HWND PageWindow(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }

// Runs a step once the sheet's message loop turns, after the pages it shows exist.
std::function<void(HWND)> g_later;
void Later(HWND sheet, std::function<void(HWND)> step) {
  g_later = std::move(step);
  SetTimer(sheet, 77, 30, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
    KillTimer(hwnd, id);
    auto step = std::move(g_later);
    step(hwnd);
  });
}

TEST(AlarmListPage, CarriesItsRecordsThroughApplyAndOk) {
  CMyPropertyPage3 page;
  CMessageRecord a{"朝", "C:\\a.wav", "NULL", "毎日", "NULL", "指定の時刻", "7:5"};
  CMessageRecord b{"b", "NULL", "msg", "毎週", "6", "毎時", "30"};
  page.Records = {a, b};
  ScriptedSheet sheet(L"シート", nullptr);
  sheet.AddPage(&page);
  int columns = 0;
  bool addEnabled = false, othersDisabled = false;
  sheet.script = [&](HWND hwnd) {
    Later(hwnd, [&](HWND hwnd) {
      HWND p = PageWindow(hwnd);
      HWND list = GetDlgItem(p, IDC_ALARM_LIST);
      columns = Header_GetItemCount(ListView_GetHeader(list));
      addEnabled = IsWindowEnabled(GetDlgItem(p, IDC_ALARM_ADD));
      othersDisabled = !IsWindowEnabled(GetDlgItem(p, IDC_ALARM_DELETE)) &&
                       !IsWindowEnabled(GetDlgItem(p, IDC_ALARM_PROPERTIES)) &&
                       !IsWindowEnabled(GetDlgItem(p, IDC_ALARM_TEST));
      PropSheet_Changed(hwnd, p);
      PostMessageW(GetDlgItem(hwnd, kIdApplyNow), BM_CLICK, 0, 0);
      PostMessageW(GetDlgItem(hwnd, IDOK), BM_CLICK, 0, 0);
    });
  };
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(columns, 8);
  EXPECT_TRUE(addEnabled);
  EXPECT_TRUE(othersDisabled);
  ASSERT_EQ(page.Records.size(), 2u);
  EXPECT_EQ(page.Records[0], a);
  EXPECT_EQ(page.Records[1], b);
}

}  // namespace
