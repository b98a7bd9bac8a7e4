#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "alarms/alarm_list_page.h"
#include "app/mainwindow.h"
#include "testing/settings_test_support.h"
#include "cp932.h"
#include "res/resource.h"
#include "settings/settings_sheet.h"
#include "testing/silent_wave.h"
#include "testing/thread_windows.h"
#include "win/pixels.h"
#include "win/system.h"

namespace {

// ---- driving modal windows of this thread: each step runs on a thread timer, so the sheet's
// and message boxes' own loops run between steps.

std::vector<std::function<void()>> g_steps;
size_t g_nextStep = 0;
UINT_PTR g_stepTimer = 0;
bool g_stepAgain = false;  // set by a step that waits, to run again at the next tick
void CALLBACK RunStep(HWND, UINT, UINT_PTR timer, DWORD) {
  if (timer != g_stepTimer || g_nextStep >= g_steps.size()) {
    KillTimer(nullptr, timer);
    if (timer == g_stepTimer) g_stepTimer = 0;
    return;
  }
  auto step = g_steps[g_nextStep++];
  g_stepAgain = false;
  step();
  if (g_stepAgain) --g_nextStep;
}

// A step that waits until `done` holds, for at most about five seconds; then the script goes on
// and the test's own checks tell what is missing.
std::function<void()> Until(std::function<bool()> done) {
  auto tries = std::make_shared<int>(0);
  return [done, tries] {
    if (done()) return;
    if (++*tries < 60) {
      g_stepAgain = true;
    } else {
      ADD_FAILURE() << "a step waited in vain";
    }
  };
}

// The script's steps run while this lives: its end stops them, so no step can run once the
// test's own variables, which the steps refer to, are gone.
class ScriptRun {
 public:
  ScriptRun() = default;
  ScriptRun(const ScriptRun&) = delete;
  ScriptRun& operator=(const ScriptRun&) = delete;
  ~ScriptRun() {
    if (g_stepTimer) KillTimer(nullptr, g_stepTimer);
    g_stepTimer = 0;
    g_steps.clear();
    g_nextStep = 0;
  }
};

[[nodiscard]] ScriptRun Script(std::vector<std::function<void()>> steps) {
  if (g_stepTimer) KillTimer(nullptr, g_stepTimer);  // one script at a time
  g_steps = std::move(steps);
  g_nextStep = 0;
  g_stepTimer = SetTimer(nullptr, 0, 80, RunStep);
  return ScriptRun();
}

// The visible dialog of this thread with this caption.
HWND FindDialog(const wchar_t* caption) { return FindThreadWindow(L"#32770", caption); }
HWND Sheet() { return FindDialog(L"プロパティ"); }
HWND Page() { return PropSheet_GetCurrentPageHwnd(Sheet()); }
HWND PageItem(int id) { return GetDlgItem(Page(), id); }
void Click(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }
void SheetButton(int id) { Click(GetDlgItem(Sheet(), id)); }
void ShowTab(int index) { PostMessageW(Sheet(), PSM_SETCURSEL, index, 0); }

std::wstring ComboSelection(HWND combo) {
  int index = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
  if (index < 0) return L"(none)";
  wchar_t text[128] = {};
  SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
  return text;
}

// ---- the illustration check list
bool ListChecked(int index) {
  return SendMessageW(PageItem(IDC_ILLUST_LIST), LB_GETITEMDATA, index, 0) == 1;
}
void ClickCheckBox(int index) {
  HWND list = PageItem(IDC_ILLUST_LIST);
  RECT item;
  SendMessageW(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
  PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(item.left + 3, item.top + 3));
  PostMessageW(list, WM_LBUTTONUP, 0, MAKELPARAM(item.left + 3, item.top + 3));
}

// ---- the sound tree
HTREEITEM TreeItem(HTREEITEM from, UINT relation) {
  return reinterpret_cast<HTREEITEM>(SendMessageW(PageItem(IDC_SOUND_TREE), TVM_GETNEXTITEM,
                                                  relation, reinterpret_cast<LPARAM>(from)));
}
HTREEITEM EventNode(int event) {
  HTREEITEM node = TreeItem(nullptr, TVGN_ROOT);
  while (node && event-- > 0) node = TreeItem(node, TVGN_NEXT);
  return node;
}
std::wstring TreeText(HTREEITEM item) {
  wchar_t text[512] = {};
  TVITEMW data{};
  data.mask = TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = 512;
  SendMessageW(PageItem(IDC_SOUND_TREE), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
  return text;
}
std::vector<std::wstring> Children(HTREEITEM node) {
  std::vector<std::wstring> texts;
  for (HTREEITEM c = TreeItem(node, TVGN_CHILD); c; c = TreeItem(c, TVGN_NEXT))
    texts.push_back(TreeText(c));
  return texts;
}
void SelectTreeItem(HTREEITEM item) {
  SendMessageW(PageItem(IDC_SOUND_TREE), TVM_SELECTITEM, TVGN_CARET,
               reinterpret_cast<LPARAM>(item));
}

std::string Sjis(const std::wstring& text) { return WideToCp932(text).value(); }

// The text of the clock window's own tooltip.
std::wstring ClockTip(HWND clock) {
  HWND tip = FindOwnedWindow(clock, TOOLTIPS_CLASSW);
  if (!tip) return L"(no tooltip)";
  wchar_t text[256] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND;
  tool.hwnd = clock;
  tool.uId = reinterpret_cast<UINT_PTR>(clock);
  tool.lpszText = text;
  SendMessageW(tip, TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
  return text;
}

LocalTime g_now{2026, 12, 9, 3, 10, 15, 30};

// Every day at 7:05, and every hour at minute 30.
const CMessageRecord kRecordA{"morning", "C:\\a.wav", kNone, kDaily, kNone, kAtTime, "7:5"};
const CMessageRecord kRecordB{"half", kNone, "msg", kDaily, kNone, kHourly, "30"};

class SettingsSheetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<CMainwindow>([] { return g_now; });
    ASSERT_TRUE(window_->Create());
    hwnd_ = window_->hwnd();
    SetWindowPos(hwnd_, HWND_TOP, 420, 20, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    UpdateWindow(hwnd_);
  }
  void TearDown() override {
    g_steps.clear();
    if (hwnd_ && IsWindow(hwnd_)) DestroyWindow(hwnd_);
  }
  void OpenSheet() { SendMessageW(hwnd_, WM_SYSCOMMAND, 0x50, 0); }
  Pixels Face() {
    RECT client;
    GetClientRect(hwnd_, &client);
    WindowDc dc(hwnd_);
    return CaptureDc(dc.get(), 0, 0, client.right, client.bottom);
  }
  ProgramFolderGuard folder_;  // OK and Apply save the settings
  std::unique_ptr<CMainwindow> window_;
  HWND hwnd_ = nullptr;
};

TEST_F(SettingsSheetTest, CommandOpensFourTabsInOrderAndCancelChangesNothing) {
  window_->Settings().TitleFace = 1;
  window_->Illusts().IllustNames = {"a", "b", "c"};
  window_->Illusts().IllustShown = {1, 0, 1};
  window_->Sounds().TimeSounds = {"C:\\t.wav"};
  window_->Illusts().CurrentIllust = 0;
  window_->Alarms().Messages = {kRecordA};
  ClockSettings before = window_->Settings();
  std::wstring caption;
  std::vector<std::wstring> tabs;
  bool clockEnabled = true, pageFits = false;
  auto run = Script({[&] {
                       caption = WindowText(Sheet());
                       tabs = SheetTabTexts(Sheet());
                       clockEnabled = IsWindowEnabled(hwnd_);
                       // The page, laid out in its own font, fits inside the tab: its lower right
                       // banner too.
                       RECT area, page;
                       HWND tab = PropSheet_GetTabControl(Sheet());
                       GetClientRect(tab, &area);
                       TabCtrl_AdjustRect(tab, FALSE, &area);
                       MapWindowPoints(tab, nullptr, reinterpret_cast<POINT*>(&area), 2);
                       GetWindowRect(PageItem(IDC_SETTINGS_BANNER), &page);
                       pageFits = page.right <= area.right + 1 && page.bottom <= area.bottom + 1;
                       for (int id : {IDC_FONT_FACE, IDC_FONT_SIZE}) {
                         HWND list = PageItem(id);
                         SendMessageW(list, CB_SETCURSEL, 1, 0);
                         SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE),
                                      reinterpret_cast<LPARAM>(list));
                       }
                       Click(PageItem(IDC_TITLE_FACE));
                       Click(PageItem(IDC_SECOND_HAND));
                     },
                     [] { ShowTab(1); },
                     [] {
                       PostMessageW(PageItem(IDC_SELECT_ALL), BM_CLICK, 0, 0);
                       Click(PageItem(IDC_EVERY_DAY));
                     },
                     [] { Click(PageItem(IDC_UPDATE_ILLUST)); }, [] { ShowTab(2); },
                     [] {
                       SelectTreeItem(TreeItem(EventNode(2), TVGN_CHILD));
                       Click(PageItem(IDC_SOUND_CLEAR));
                     },
                     [] { ShowTab(3); }, [] { SheetButton(IDCANCEL); }});
  OpenSheet();
  EXPECT_EQ(caption, L"プロパティ");
  EXPECT_FALSE(clockEnabled);  // the clock owns the modal sheet
  EXPECT_TRUE(pageFits);
  EXPECT_EQ(tabs, (std::vector<std::wstring>{L"全般", L"絵柄", L"サウンド設定",
                                             L"アラームとメッセージ"}));
  EXPECT_EQ(window_->Settings().TitleFace, before.TitleFace);
  EXPECT_EQ(window_->Settings().SecondHand, before.SecondHand);
  EXPECT_EQ(window_->Settings().UpdateIllust, before.UpdateIllust);
  EXPECT_EQ(window_->Settings().UpdateTime, before.UpdateTime);
  EXPECT_EQ(window_->Settings().FontFace, before.FontFace);
  EXPECT_EQ(window_->Settings().FontSize, before.FontSize);
  EXPECT_EQ(window_->Illusts().IllustShown, (std::vector<int>{1, 0, 1}));
  EXPECT_EQ(window_->Sounds().TimeSounds, (std::vector<std::string>{"C:\\t.wav"}));
  EXPECT_EQ(window_->Illusts().CurrentIllust, 0);
  EXPECT_EQ(window_->Alarms().Messages, (std::vector<CMessageRecord>{kRecordA}));
}

TEST_F(SettingsSheetTest, TheSharedIconListOutlivesTheSheetsThatShowIt) {
  window_->Alarms().Messages = {kRecordA};
  window_->Sounds().TimeSounds = {"C:\\t.wav"};
  // Made with the first sheet, not at start-up. The alarm list and the sound tree both show the
  // clock's own list; closing the sheet that showed them must leave it to the clock, sheet after
  // sheet.
  EXPECT_EQ(window_->IconList(), nullptr);
  HIMAGELIST icons = nullptr;
  for (int round = 0; round < 2; ++round) {
    int rowImage = -1;
    auto run = Script({[] { ShowTab(3); },
                       [&] {
                         LVITEMW item{};
                         item.mask = LVIF_IMAGE;
                         ListView_GetItem(PageItem(IDC_ALARM_LIST), &item);
                         rowImage = item.iImage;
                         ShowTab(2);
                       },
                       [] { SheetButton(IDCANCEL); }});
    OpenSheet();
    if (round == 0) icons = window_->IconList();
    EXPECT_EQ(window_->IconList(), icons);
    EXPECT_EQ(rowImage, 1) << "round " << round;
    EXPECT_EQ(ImageList_GetImageCount(icons), 4) << "round " << round;
  }
  SendMessageW(hwnd_, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(hwnd_));
}

TEST_F(SettingsSheetTest, OkWritesTheTooltipByTheTicksRule) {
  // Without an illustration on show the tooltip is the time alone, as each tick writes it.
  window_->Illusts().IllustNames.clear();
  window_->Illusts().IllustShown.clear();
  window_->Illusts().CurrentIllust = kNoIllust;
  auto run = Script({[] { SheetButton(IDOK); }});
  OpenSheet();
  EXPECT_EQ(ClockTip(hwnd_), Cp932ToWide(window_->TooltipText()));
  EXPECT_EQ(ClockTip(hwnd_).find(L" - "), std::wstring::npos) << ClockTip(hwnd_);
}

TEST_F(SettingsSheetTest, RecordsComeBackUnchangedThroughApplyAndOk) {
  window_->Alarms().Messages = {kRecordA, kRecordB};
  window_->Alarms().HourMessages.clear();
  int rows = 0;
  auto run = Script({[] { ShowTab(3); },
                     [&] {
                       rows = ListView_GetItemCount(PageItem(IDC_ALARM_LIST));
                       PropSheet_Changed(Sheet(), Page());
                       SheetButton(kIdApplyNow);
                     },
                     [] { SheetButton(IDOK); }});
  OpenSheet();
  EXPECT_EQ(rows, 2);
  EXPECT_EQ(window_->Alarms().Messages, (std::vector<CMessageRecord>{kRecordA, kRecordB}));
  // The hour's candidates were rebuilt from them: the hourly record is due every hour.
  EXPECT_EQ(window_->Alarms().HourMessages, (std::vector<CMessageRecord>{kRecordB}));
}

TEST_F(SettingsSheetTest, GeneralTabGreysTheFontAndApplyDrawsTheNumeralsAtOnce) {
  window_->Settings().TitleFace = 1;
  window_->Settings().FontSize = 1;  // selects "10", the first size beginning with "1"
  bool greyed = false, enabledAgain = false, applyEnabled = false;
  std::wstring size, sizeAfterPick;
  int titleFaceAfterUntick = -1, titleFaceAfterApply = -1;
  bool sheetOpenAfterApply = false;
  Pixels withNumerals, withoutNumerals;
  // Each step that reads the outcome of a click or of Apply waits for that outcome first.
  auto run = Script({[&] {
                       size = ComboSelection(PageItem(IDC_FONT_SIZE));
                       Click(PageItem(IDC_TITLE_FACE));
                     },
                     Until([] { return !IsWindowEnabled(PageItem(IDC_FONT_SIZE)); }),
                     [&] {
                       greyed = !IsWindowEnabled(PageItem(IDC_FONT_FACE)) &&
                                !IsWindowEnabled(PageItem(IDC_FONT_SIZE)) &&
                                !IsWindowEnabled(PageItem(IDC_FONT_LABEL)) &&
                                !IsWindowEnabled(PageItem(IDC_SIZE_LABEL));
                       applyEnabled = IsWindowEnabled(GetDlgItem(Sheet(), kIdApplyNow));
                       SheetButton(kIdApplyNow);
                     },
                     Until([&] { return window_->Settings().TitleFace == 0; }),
                     [&] {
                       titleFaceAfterUntick = window_->Settings().TitleFace;
                       withoutNumerals = Face();
                       Click(PageItem(IDC_TITLE_FACE));
                     },
                     Until([] { return IsWindowEnabled(PageItem(IDC_FONT_SIZE)); }),
                     [&] {
                       enabledAgain = IsWindowEnabled(PageItem(IDC_FONT_FACE)) &&
                                      IsWindowEnabled(PageItem(IDC_FONT_SIZE));
                       HWND sizes = PageItem(IDC_FONT_SIZE);
                       SendMessageW(sizes, CB_SETCURSEL, 11, 0);
                       SendMessageW(Page(), WM_COMMAND, MAKEWPARAM(IDC_FONT_SIZE, CBN_SELCHANGE),
                                    reinterpret_cast<LPARAM>(sizes));
                       sizeAfterPick = ComboSelection(sizes);
                       SheetButton(kIdApplyNow);
                     },
                     Until([&] { return window_->Settings().FontSize == 18; }),
                     [&] {
                       titleFaceAfterApply = window_->Settings().TitleFace;
                       sheetOpenAfterApply = Sheet() != nullptr;
                       withNumerals = Face();
                       SheetButton(IDCANCEL);
                     }});
  OpenSheet();
  EXPECT_EQ(size, L"10");
  EXPECT_TRUE(greyed);
  EXPECT_TRUE(applyEnabled);
  EXPECT_EQ(titleFaceAfterUntick, 0);
  EXPECT_TRUE(enabledAgain);
  EXPECT_EQ(sizeAfterPick, L"18");
  EXPECT_EQ(titleFaceAfterApply, 1);
  EXPECT_TRUE(sheetOpenAfterApply);
  // Cancel after Apply keeps what Apply took over.
  EXPECT_EQ(window_->Settings().TitleFace, 1);
  EXPECT_EQ(window_->Settings().FontSize, 18);
  // The numerals appeared on the face while the sheet was still open.
  ASSERT_EQ(withNumerals.pixels.size(), withoutNumerals.pixels.size());
  size_t changed = 0;
  for (size_t i = 0; i < withNumerals.pixels.size(); ++i)
    changed += withNumerals.pixels[i] != withoutNumerals.pixels[i];
  EXPECT_GT(changed, 100u);
}

TEST_F(SettingsSheetTest, GeneralTabOffersTrueTypeFamiliesAndSelectsByPrefix) {
  window_->Settings().FontFace = "ipapg";  // any case, any prefix of a family
  window_->Settings().FontSize = 11;
  std::vector<std::wstring> faces;
  std::wstring face, size;
  auto run = Script({[&] {
    HWND combo = PageItem(IDC_FONT_FACE);
    for (int i = 0; i < SendMessageW(combo, CB_GETCOUNT, 0, 0); ++i) {
      wchar_t text[64] = {};
      SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      faces.push_back(text);
    }
    face = ComboSelection(combo);
    size = ComboSelection(PageItem(IDC_FONT_SIZE));
    SheetButton(IDOK);
  }});
  OpenSheet();
  ASSERT_FALSE(faces.empty());
  for (const auto& f : faces) EXPECT_NE(f[0], L'@') << f;
  EXPECT_EQ(face.substr(0, 5), L"IPAPG");
  EXPECT_EQ(size, L"(none)");
  // Nothing picked: OK keeps the stored values.
  EXPECT_EQ(window_->Settings().FontFace, "ipapg");
  EXPECT_EQ(window_->Settings().FontSize, 11);
}

TEST_F(SettingsSheetTest, IllustrationTabKeepsOneTickedAndShowsAtOnce) {
  window_->Illusts().IllustNames = {"one", "two", "three"};
  window_->Illusts().IllustShown = {0, 1, 0};
  window_->Illusts().CurrentIllust = 1;
  window_->Settings().UpdateTime = 2;
  std::wstring message;
  bool retickedAfterBox = false, showNowEnabled = false, radiosDisabled = false;
  int dailyChecked = -1;
  int currentAfterShowNow = -1;
  auto run = Script({[] { ShowTab(1); },
                     [&] {
                       dailyChecked = IsDlgButtonChecked(Page(), IDC_EVERY_DAY);
                       ClickCheckBox(1);  // the only ticked one
                     },
                     [&] { message = AnswerMessageBox(); },
                     [&] {
                       retickedAfterBox = ListChecked(1);
                       ClickCheckBox(0);
                     },
                     [&] {
                       showNowEnabled = IsWindowEnabled(PageItem(IDC_SHOW_NOW));
                       Click(PageItem(IDC_SHOW_NOW));
                     },
                     [&] {
                       currentAfterShowNow = window_->Illusts().CurrentIllust;
                       Click(PageItem(IDC_UPDATE_ILLUST));
                     },
                     [&] {
                       radiosDisabled = !IsWindowEnabled(PageItem(IDC_EVERY_MINUTE)) &&
                                        !IsWindowEnabled(PageItem(IDC_EVERY_DAY));
                       SheetButton(IDOK);
                     }});
  OpenSheet();
  EXPECT_EQ(dailyChecked, BST_CHECKED);
  EXPECT_EQ(message, L"最低一枚は絵柄の選択が必要です。");
  EXPECT_TRUE(retickedAfterBox);
  EXPECT_TRUE(showNowEnabled);
  EXPECT_EQ(currentAfterShowNow, 0);
  EXPECT_TRUE(radiosDisabled);
  EXPECT_EQ(window_->Illusts().IllustShown, (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(window_->Settings().UpdateIllust, 0);
  EXPECT_EQ(window_->Settings().UpdateTime, 2);  // kept while the buttons were disabled
  EXPECT_FALSE(window_->Illusts().FewIllusts);
}

TEST_F(SettingsSheetTest, TheFirstIllustrationAloneTickedStaysTicked) {
  window_->Illusts().IllustNames = {"one", "two"};
  window_->Illusts().IllustShown = {1, 0};
  window_->Illusts().CurrentIllust = 0;
  std::wstring message;
  bool reticked = false;
  auto run =
      Script({[] { ShowTab(1); }, [] { ClickCheckBox(0); }, [&] { message = AnswerMessageBox(); },
              [&] {
                reticked = ListChecked(0);
                SheetButton(IDOK);
              }});
  OpenSheet();
  EXPECT_EQ(message, L"最低一枚は絵柄の選択が必要です。");
  EXPECT_TRUE(reticked);
  EXPECT_EQ(window_->Illusts().IllustShown, (std::vector<int>{1, 0}));
}

TEST_F(SettingsSheetTest, SelectAllTicksEveryIllustration) {
  window_->Illusts().IllustNames = {"a", "b", "c", "d", "e"};
  window_->Illusts().IllustShown = {0, 0, 1, 0, 0};
  window_->Illusts().CurrentIllust = 2;
  auto run = Script(
      {[] { ShowTab(1); }, [] { Click(PageItem(IDC_SELECT_ALL)); }, [] { SheetButton(IDOK); }});
  OpenSheet();
  EXPECT_EQ(window_->Illusts().IllustShown, (std::vector<int>{1, 1, 1, 1, 1}));
  EXPECT_FALSE(window_->Illusts().FewIllusts);
}

TEST_F(SettingsSheetTest, SoundTabAddsUnderTheEventAndClearsTheFirstEqualEntry) {
  std::wstring wave = GetModuleFolder() + L"鐘の音.wav";
  window_->Sounds().TimeSounds = {"C:\\z.wav", "C:\\a.wav"};
  window_->Sounds().BootSounds = {"C:\\boot.wav"};
  std::vector<std::wstring> timeChildren, afterClear;
  std::wstring dialogCaption, filter, pattern;
  bool clearEnabledOnFile = false, clearDisabledOnEvent = false;
  bool testing = false, idleAgain = false;
  auto run = Script({[] { ShowTab(2); },
                     [&] {
                       // Children sorted by text while the list keeps its order.
                       timeChildren = Children(EventNode(2));
                       SelectTreeItem(TreeItem(EventNode(2), TVGN_CHILD));
                       clearEnabledOnFile = IsWindowEnabled(PageItem(IDC_SOUND_CLEAR));
                       Click(PageItem(IDC_SOUND_ADD));
                     },
                     [&] {
                       HWND open = FindDialog(L"追加");
                       dialogCaption = open ? L"追加" : L"";
                       if (!open) return;
                       filter = WindowText(GetDlgItem(open, 0x470));
                       // Wine's dialog keeps each entry's pattern as the entry's data.
                       auto data = SendMessageW(GetDlgItem(open, 0x470), CB_GETITEMDATA, 0, 0);
                       if (data && data != CB_ERR) pattern = reinterpret_cast<const wchar_t*>(data);
                       SetDlgItemTextW(open, 0x47C, wave.c_str());  // the file name box
                       SendMessageW(open, WM_COMMAND, IDOK, 0);
                     },
                     [] {},
                     [&] {
                       // A file entry is selected now (the new one); play enters the test state
                       // even for a file that cannot play, until stop.
                       Click(PageItem(IDC_SOUND_PLAY));
                     },
                     [&] {
                       testing = !IsWindowEnabled(PageItem(IDC_SOUND_PLAY)) &&
                                 IsWindowEnabled(PageItem(IDC_SOUND_STOP));
                       Click(PageItem(IDC_SOUND_STOP));
                     },
                     [&] {
                       idleAgain = IsWindowEnabled(PageItem(IDC_SOUND_PLAY)) &&
                                   !IsWindowEnabled(PageItem(IDC_SOUND_STOP));
                       // Clear the entry for "C:\a.wav", the first child.
                       SelectTreeItem(TreeItem(EventNode(2), TVGN_CHILD));
                       Click(PageItem(IDC_SOUND_CLEAR));
                     },
                     [&] {
                       afterClear = Children(EventNode(2));
                       SelectTreeItem(EventNode(0));
                       clearDisabledOnEvent = !IsWindowEnabled(PageItem(IDC_SOUND_CLEAR)) &&
                                              !IsWindowEnabled(PageItem(IDC_SOUND_PLAY));
                       SheetButton(IDOK);
                     }});
  OpenSheet();
  EXPECT_EQ(timeChildren, (std::vector<std::wstring>{L"C:\\a.wav", L"C:\\z.wav"}));
  EXPECT_TRUE(clearEnabledOnFile);
  EXPECT_EQ(dialogCaption, L"追加");
  EXPECT_EQ(filter, L"WAVE サウンド (*.wav)");
  EXPECT_EQ(pattern, L"*.wav");
  EXPECT_TRUE(testing);
  EXPECT_TRUE(idleAgain);
  EXPECT_EQ(afterClear.size(), 2u);
  EXPECT_TRUE(clearDisabledOnEvent);
  EXPECT_EQ(window_->Sounds().TimeSounds, (std::vector<std::string>{"C:\\z.wav", Sjis(wave)}));
  EXPECT_EQ(window_->Sounds().BootSounds, (std::vector<std::string>{"C:\\boot.wav"}));
  // Saved at once, in list order.
  EXPECT_EQ(ReadFileBytes(GetModuleFolder() + L"Sound.ini").value_or("(none)"),
            "[Boot]\r\nC:\\boot.wav\r\n[Exit]\r\n[Time]\r\nC:\\z.wav\r\n" + Sjis(wave) +
                "\r\n[Away]\r\n");
}

TEST_F(SettingsSheetTest, SoundTabTellsAFileNamedLikeAnEventFromTheEvent) {
  std::wstring wave = GetModuleFolder() + L"鐘の音.wav";
  window_->Sounds().TimeSounds = {Sjis(L"時報")};
  bool clearEnabled = false;
  std::vector<std::wstring> entries, underEntry, afterClear;
  auto run = Script({[] { ShowTab(2); },
                     [&] {
                       SelectTreeItem(TreeItem(EventNode(2), TVGN_CHILD));
                       clearEnabled = IsWindowEnabled(PageItem(IDC_SOUND_CLEAR));
                       Click(PageItem(IDC_SOUND_ADD));
                     },
                     [&] {
                       HWND open = FindDialog(L"追加");
                       if (!open) return;
                       SetDlgItemTextW(open, 0x47C, wave.c_str());
                       SendMessageW(open, WM_COMMAND, IDOK, 0);
                     },
                     [] {},
                     [&] {
                       entries = Children(EventNode(2));
                       HTREEITEM entry = TreeItem(EventNode(2), TVGN_CHILD);
                       while (entry && TreeText(entry) != L"時報")
                         entry = TreeItem(entry, TVGN_NEXT);
                       underEntry = Children(entry);
                       SelectTreeItem(entry);
                       Click(PageItem(IDC_SOUND_CLEAR));
                     },
                     [&] {
                       afterClear = Children(EventNode(2));
                       SheetButton(IDOK);
                     }});
  OpenSheet();
  EXPECT_TRUE(clearEnabled);
  EXPECT_EQ(entries.size(), 2u);
  EXPECT_TRUE(underEntry.empty());
  EXPECT_EQ(afterClear, (std::vector<std::wstring>{wave}));
  EXPECT_EQ(window_->Sounds().TimeSounds, (std::vector<std::string>{Sjis(wave)}));
}

TEST_F(SettingsSheetTest, AnUntickedCurrentIllustrationGivesWayToAShownOne) {
  window_->Illusts().IllustNames = {"a", "b", "c", "d"};
  window_->Illusts().IllustShown = {1, 0, 0, 1};
  window_->Illusts().CurrentIllust = 0;
  auto run = Script({[] { ShowTab(1); }, [] { ClickCheckBox(0); }, [] { SheetButton(IDOK); }});
  OpenSheet();
  EXPECT_EQ(window_->Illusts().IllustShown, (std::vector<int>{0, 0, 0, 1}));
  EXPECT_EQ(window_->Illusts().CurrentIllust, 3);
  EXPECT_TRUE(window_->Illusts().FewIllusts);  // one shown: no rotation
}

// A short silent wave file in the temporary folder, removed with the object.
struct TempWave {
  TempWave() {
    wchar_t folder[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, folder);
    path = std::wstring(folder) + L"settings_sheet_test.wav";
    EXPECT_TRUE(WriteFileBytes(path, SilentWave()));
  }
  ~TempWave() { DeleteFileW(path.c_str()); }
  std::wstring path;
};

TEST_F(SettingsSheetTest, SoundTabTestEndsWithTheCompletionNotice) {
  TempWave wave;
  window_->Sounds().AwaySounds = {Sjis(wave.path)};
  bool testing = false, ended = false;
  std::vector<std::function<void()>> steps{[] { ShowTab(2); },
                                           [&] {
                                             SelectTreeItem(TreeItem(EventNode(3), TVGN_CHILD));
                                             // Clicked at once, so the state is read before the
                                             // notice can arrive.
                                             SendMessageW(PageItem(IDC_SOUND_PLAY), BM_CLICK, 0, 0);
                                             testing = IsWindowEnabled(PageItem(IDC_SOUND_STOP)) &&
                                                       !IsWindowEnabled(PageItem(IDC_SOUND_PLAY));
                                           }};
  // Waits up to four seconds for the end of playback to bring play back.
  for (int i = 0; i < 50; ++i)
    steps.push_back([&] {
      if (!ended && IsWindowEnabled(PageItem(IDC_SOUND_PLAY)) &&
          !IsWindowEnabled(PageItem(IDC_SOUND_STOP)))
        ended = true;
    });
  steps.push_back([] { SheetButton(IDCANCEL); });
  auto run = Script(steps);
  OpenSheet();
  EXPECT_TRUE(testing);
  EXPECT_TRUE(ended);
}

TEST(AlarmListPage, CarriesItsRecordsThroughApplyAndOk) {
  CMyPropertyPage3 page;
  CMessageRecord a{"morning", "C:\\a.wav", "NULL", "daily", "NULL", "at", "7:5"};
  CMessageRecord b{"b", "NULL", "msg", "weekly", "6", "hourly", "30"};
  page.Records = {a, b};
  CPropertySheet sheet(L"シート", nullptr);
  sheet.AddPage(&page);
  int columns = 0;
  bool addEnabled = false, othersDisabled = false;
  auto run = Script({[&] {
                       HWND p = PropSheet_GetCurrentPageHwnd(FindDialog(L"シート"));
                       HWND list = GetDlgItem(p, IDC_ALARM_LIST);
                       columns = Header_GetItemCount(ListView_GetHeader(list));
                       addEnabled = IsWindowEnabled(GetDlgItem(p, IDC_ALARM_ADD));
                       othersDisabled = !IsWindowEnabled(GetDlgItem(p, IDC_ALARM_DELETE)) &&
                                        !IsWindowEnabled(GetDlgItem(p, IDC_ALARM_PROPERTIES)) &&
                                        !IsWindowEnabled(GetDlgItem(p, IDC_ALARM_TEST));
                       PropSheet_Changed(FindDialog(L"シート"), p);
                       Click(GetDlgItem(FindDialog(L"シート"), kIdApplyNow));
                     },
                     [] { Click(GetDlgItem(FindDialog(L"シート"), IDOK)); }});
  EXPECT_EQ(sheet.DoModal(), IDOK);
  EXPECT_EQ(columns, 8);
  EXPECT_TRUE(addEnabled);
  EXPECT_TRUE(othersDisabled);
  ASSERT_EQ(page.Records.size(), 2u);
  EXPECT_EQ(page.Records[0], a);
  EXPECT_EQ(page.Records[1], b);
}

}  // namespace
