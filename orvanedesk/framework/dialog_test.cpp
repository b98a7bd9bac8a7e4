#include "framework/dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "testing/thread_windows.h"

namespace {

class FormDialog : public CDialog {
 public:
  FormDialog() : CDialog(100) {}
  std::string text = "\x8F\x89\x82\xDF";  // 初め in code page 932
  int number = 7;
  int check = 1;
  int radio = 2;
  std::function<void(HWND)> script;
  int destroyed = 0;

 protected:
  void DoDataExchange(CDataExchange& dx) override {
    DDX_Text(dx, 1001, text);
    DDX_Text(dx, 1002, number);
    DDX_Check(dx, 1003, check);
    DDX_Radio(dx, 1004, radio);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    if (script) script(hwnd());
    return TRUE;
  }
  void PostNcDestroy() override { ++destroyed; }
};

TEST(Dialog, ModalExchangesValuesBothWays) {
  FormDialog dialog;
  std::wstring shown;
  int radioShown = -1;
  dialog.script = [&](HWND hwnd) {
    wchar_t text[64] = {};
    GetDlgItemTextW(hwnd, 1001, text, 64);
    shown = text;
    radioShown = IsDlgButtonChecked(hwnd, 1006) ? 2 : -1;
    SetDlgItemTextW(hwnd, 1001, L"変えた");
    SetDlgItemTextW(hwnd, 1002, L"-42");
    CheckDlgButton(hwnd, 1003, BST_UNCHECKED);
    CheckRadioButton(hwnd, 1004, 1006, 1004);
    PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
  };
  EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
  EXPECT_EQ(shown, L"初め");
  EXPECT_EQ(radioShown, 2);
  EXPECT_EQ(dialog.text, "\x95\xCF\x82\xA6\x82\xBD");  // 変えた in code page 932
  EXPECT_EQ(dialog.number, -42);
  EXPECT_EQ(dialog.check, 0);
  EXPECT_EQ(dialog.radio, 0);
  EXPECT_EQ(dialog.hwnd(), nullptr);
}

TEST(Dialog, EmptyIntegerIsRefusedWithThePromptAndTheDialogStays) {
  FormDialog dialog;
  int okPresses = 0;
  MessageBoxAnswerer box;
  dialog.script = [&](HWND hwnd) {
    SetDlgItemTextW(hwnd, 1002, L"");
    PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
    // Only after the refusal has been answered: fill the edit and confirm again.
    SetTimer(hwnd, 1, 300, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
      KillTimer(hwnd, id);
      SetDlgItemTextW(hwnd, 1002, L"5");
      PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
    });
    ++okPresses;
  };
  EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
  EXPECT_EQ(box.text(), L"整数を入力してください。");
  EXPECT_EQ(dialog.number, 5);
  EXPECT_EQ(okPresses, 1);
}

TEST(Dialog, TextTheCodePageCannotHoldIsRefusedAndTheDialogStays) {
  FormDialog dialog;
  MessageBoxAnswerer box;
  dialog.script = [&](HWND hwnd) {
    SetDlgItemTextW(hwnd, 1001, L"caf\u00E9");
    PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
    SetTimer(hwnd, 1, 300, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
      KillTimer(hwnd, id);
      SetDlgItemTextW(hwnd, 1001, L"cafe");
      PostMessageW(hwnd, WM_COMMAND, IDOK, 0);
    });
  };
  EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
  EXPECT_EQ(box.text(), L"保存できない文字が含まれています。");
  EXPECT_EQ(dialog.text, "cafe");
}

TEST(Dialog, ModelessDestroysItselfOnCancel) {
  FormDialog dialog;
  ASSERT_TRUE(dialog.Create(nullptr));
  ASSERT_NE(dialog.hwnd(), nullptr);
  SendMessageW(dialog.hwnd(), WM_COMMAND, IDCANCEL, 0);
  EXPECT_EQ(dialog.hwnd(), nullptr);
  EXPECT_EQ(dialog.destroyed, 1);
}

class TextPage : public CPropertyPage {
 public:
  TextPage(UINT id, std::string value) : CPropertyPage(id), value(std::move(value)) {}
  std::string value;
  int activations = 0;
  bool refuseLeaving = false;
  int applies = 0;

 protected:
  void DoDataExchange(CDataExchange& dx) override { DDX_Text(dx, 1001, value); }
  bool OnSetActive() override {
    ++activations;
    return true;
  }
  bool OnKillActive() override { return !refuseLeaving && CPropertyPage::OnKillActive(); }
  bool OnApply() override {
    ++applies;
    return true;
  }
};

class ScriptedSheet : public CPropertySheet {
 public:
  using CPropertySheet::CPropertySheet;
  std::function<void(HWND)> script;
  int applyCommands = 0;

 protected:
  void OnInitSheet() override {
    if (script) script(hwnd());
  }
  bool OnCommand(int id, int, HWND) override {
    if (id == kIdApplyNow) ++applyCommands;
    return false;
  }
};

HWND PageWindow(HWND sheet) { return PropSheet_GetCurrentPageHwnd(sheet); }

TEST(Sheet, OkTakesEveryVisitedPageAndApplyStaysOpen) {
  TextPage one(200, "a"), two(201, "b");
  ScriptedSheet sheet(L"シート", nullptr);
  sheet.AddPage(&one);
  sheet.AddPage(&two);
  std::vector<std::wstring> tabs;
  sheet.script = [&](HWND hwnd) {
    tabs = SheetTabTexts(hwnd);
    PostMessageW(hwnd, PSM_SETCURSEL, 1, 0);
    SetTimer(hwnd, 7, 50, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
      KillTimer(hwnd, id);
      SetDlgItemTextW(PageWindow(hwnd), 1001, L"two");
      PropSheet_Changed(hwnd, PageWindow(hwnd));
      // Clicks on the sheet's own buttons, as a user makes them.
      SendMessageW(GetDlgItem(hwnd, kIdApplyNow), BM_CLICK, 0, 0);
      PostMessageW(GetDlgItem(hwnd, IDOK), BM_CLICK, 0, 0);
    });
  };
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(tabs, (std::vector<std::wstring>{L"一", L"二"}));
  EXPECT_EQ(one.value, "a");
  EXPECT_EQ(two.value, "two");
  EXPECT_EQ(sheet.applyCommands, 1);
  EXPECT_GE(two.applies, 1);
}

TEST(Sheet, CancelAndRefusedLeavingAreReported) {
  TextPage one(200, "a"), two(201, "b");
  one.refuseLeaving = true;
  ScriptedSheet sheet(L"シート", nullptr);
  sheet.AddPage(&one);
  sheet.AddPage(&two);
  sheet.script = [&](HWND hwnd) {
    PostMessageW(hwnd, PSM_SETCURSEL, 1, 0);
    PostMessageW(hwnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
  };
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  // The first page refused to be left, so the second was never created.
  EXPECT_EQ(two.activations, 0);
}

TEST(Sheet, ApplyThenCancelIsACancel) {
  TextPage one(200, "a");
  ScriptedSheet sheet(L"シート", nullptr);
  sheet.AddPage(&one);
  sheet.script = [&](HWND hwnd) {
    PropSheet_Changed(hwnd, PageWindow(hwnd));
    PostMessageW(GetDlgItem(hwnd, kIdApplyNow), BM_CLICK, 0, 0);
    PostMessageW(GetDlgItem(hwnd, IDCANCEL), BM_CLICK, 0, 0);
  };
  EXPECT_EQ(sheet.DoModal(), IDCANCEL);
  EXPECT_EQ(sheet.applyCommands, 1);
  EXPECT_EQ(one.applies, 1);
}

TEST(Sheet, WizardFinishesWithItsOwnResult) {
  TextPage one(200, "a"), two(201, "b");
  ScriptedSheet sheet(L"ウィザード", nullptr);
  sheet.SetWizardMode();
  sheet.AddPage(&one);
  sheet.AddPage(&two);
  sheet.script = [&](HWND hwnd) {
    PostMessageW(hwnd, PSM_SETWIZBUTTONS, 0, PSWIZB_NEXT);
    PostMessageW(hwnd, PSM_PRESSBUTTON, PSBTN_NEXT, 0);
    SetTimer(hwnd, 7, 50, [](HWND hwnd, UINT, UINT_PTR id, DWORD) {
      KillTimer(hwnd, id);
      SetDlgItemTextW(PageWindow(hwnd), 1001, L"done");
      SendMessageW(hwnd, PSM_SETWIZBUTTONS, 0, PSWIZB_BACK | PSWIZB_FINISH);
      PostMessageW(hwnd, PSM_PRESSBUTTON, PSBTN_FINISH, 0);
    });
  };
  EXPECT_EQ(sheet.DoModal(), kIdWizFinish);
  EXPECT_EQ(two.value, "done");
  EXPECT_EQ(two.activations, 1);
}

}  // namespace

namespace {
// Property sheets need the common controls' window classes, as the programs register them.
const bool g_controls = [] {
  INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES};
  return InitCommonControlsEx(&icc) != FALSE;
}();
}  // namespace
