#include "alarms/message_popup.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <new>

#include "alarms/alarms.h"
#include "cp932.h"
#include "framework/file_store.h"
#include "line_file.h"
#include "res/resource.h"
#include "win/pixels.h"
#include "win/system.h"
#include "testing/popup_test_support.h"
#include "testing/silent_wave.h"
#include "testing/thread_windows.h"

namespace {

int OpenSounds() {
  wchar_t count[16] = {};
  mciSendStringW(L"sysinfo all quantity open", count, 16, nullptr);
  return _wtoi(count);
}

const std::string kWake = "\x8b\x4e\x8f\xb0";  // 起床

TEST(MessagePopup, PagesThroughItsRecords) {
  HWND popup =
      CMessagePopup::Open(Due({Rec(kWake, "first\r\nmessage"),
                               Rec("second", "two", "NULL", kDaily, "NULL", kHourly, "30")}));
  ASSERT_NE(popup, nullptr);
  Pump();
  EXPECT_EQ(WindowText(popup), L"メッセージ (1/2)");
  EXPECT_EQ(ItemText(popup, IDC_POPUP_TITLE), L" 起床");
  EXPECT_EQ(ItemText(popup, IDC_POPUP_MESSAGE), L"first\r\nmessage");
  EXPECT_EQ(ItemText(popup, IDC_POPUP_TIME), L"毎日\n7時5分");
  EXPECT_FALSE(Visible(popup, IDOK));
  EXPECT_TRUE(Visible(popup, IDC_POPUP_NEXT));
  EXPECT_TRUE(Visible(popup, IDC_POPUP_PREV));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(popup, IDC_POPUP_PREV)));
  EXPECT_EQ(ItemText(popup, IDC_POPUP_NEXT), L"次へ(&N)");

  Click(popup, IDC_POPUP_NEXT);
  EXPECT_EQ(WindowText(popup), L"メッセージ (2/2)");
  EXPECT_EQ(ItemText(popup, IDC_POPUP_TITLE), L" second");
  EXPECT_EQ(ItemText(popup, IDC_POPUP_TIME), L"毎時30分");
  EXPECT_EQ(ItemText(popup, IDC_POPUP_NEXT), L"完了(&F)");
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(popup, IDC_POPUP_PREV)));

  Click(popup, IDC_POPUP_PREV);
  EXPECT_EQ(WindowText(popup), L"メッセージ (1/2)");
  EXPECT_EQ(ItemText(popup, IDC_POPUP_NEXT), L"次へ(&N)");
  Click(popup, IDC_POPUP_NEXT);
  Click(popup, IDC_POPUP_NEXT);
  EXPECT_FALSE(IsWindow(popup));
}

TEST(MessagePopup, ThreeRecordsAndOneRecord) {
  HWND popup = CMessagePopup::Open(Due({Rec("a", "1"), Rec("b", "NULL"), Rec("c", "3")}));
  Pump();
  EXPECT_EQ(WindowText(popup), L"メッセージ (1/3)");
  Click(popup, IDC_POPUP_NEXT);
  EXPECT_EQ(WindowText(popup), L"メッセージ (2/3)");
  EXPECT_EQ(ItemText(popup, IDC_POPUP_NEXT), L"次へ(&N)");
  // A sound-only record among others shows its placeholder and the popup stays visible.
  EXPECT_EQ(ItemText(popup, IDC_POPUP_MESSAGE), L"SOUND ONLY");
  Pump();
  EXPECT_EQ(WindowText(popup), L"メッセージ (2/3)");
  EXPECT_TRUE(IsWindowVisible(popup));
  DestroyWindow(popup);

  popup = CMessagePopup::Open(Due({Rec("only", "text")}));
  Pump();
  EXPECT_EQ(WindowText(popup), L"メッセージ");
  EXPECT_TRUE(Visible(popup, IDOK));
  EXPECT_FALSE(Visible(popup, IDC_POPUP_NEXT));
  EXPECT_FALSE(Visible(popup, IDC_POPUP_PREV));
  Click(popup, IDOK);
  EXPECT_FALSE(IsWindow(popup));
  EXPECT_EQ(CMessagePopup::Open(DueMessages{}), nullptr);
}

TEST(MessagePopup, LayoutFollowsTheMessageHeight) {
  HWND popup = CMessagePopup::Open(Due({Rec("short", "one line"), Rec("long", "")}));
  Pump();
  // A short message keeps the 65-pixel minimum: 185 pixels high, buttons at 130.
  EXPECT_EQ(WindowHeight(popup), 185);
  EXPECT_EQ(ClientRectOf(popup, IDC_POPUP_NEXT).top, 130);
  EXPECT_EQ(ClientRectOf(popup, IDC_POPUP_PREV).top, 130);
  EXPECT_EQ(ClientRectOf(popup, IDOK).top, 130);
  const RECT label = ClientRectOf(popup, IDC_POPUP_MESSAGE);
  const int x = ClientRectOf(popup, IDC_POPUP_NEXT).left;

  CMessageRecord longer = Rec("long", "");
  for (int i = 0; i < 12; ++i) longer.message += "line " + std::to_string(i) + "\r\n";
  DestroyWindow(popup);
  popup = CMessagePopup::Open(Due({longer, Rec("short", "one line")}));
  Pump();
  RECT grown = ClientRectOf(popup, IDC_POPUP_MESSAGE);
  const int h = grown.bottom - grown.top;
  EXPECT_GT(h, 65);
  EXPECT_EQ(grown.left, label.left);
  EXPECT_EQ(grown.right - grown.left, label.right - label.left);
  EXPECT_EQ(WindowHeight(popup), h + 120);
  EXPECT_EQ(ClientRectOf(popup, IDC_POPUP_NEXT).top, h + 65);
  EXPECT_EQ(ClientRectOf(popup, IDC_POPUP_NEXT).left, x);
  // Paging to a short one shrinks it back.
  Click(popup, IDC_POPUP_NEXT);
  EXPECT_EQ(WindowHeight(popup), 185);
  DestroyWindow(popup);
}

TEST(MessagePopup, PaintsWhiteWithANavyTitleBar) {
  HWND popup = CMessagePopup::Open(Due({Rec("colours", "x")}));
  SetWindowPos(popup, HWND_TOPMOST, 30, 30, 0, 0, SWP_NOSIZE);
  Pump();
  UpdateWindow(popup);
  WindowDc dc(popup);
  RECT client;
  GetClientRect(popup, &client);
  Pixels shot = CaptureDc(dc.get(), 0, 0, client.right, client.bottom);
  RECT title = ClientRectOf(popup, IDC_POPUP_TITLE);
  EXPECT_EQ(shot.at(title.right - 3, title.top + 2), RGB(0, 0, 128));
  EXPECT_EQ(shot.at(client.right - 3, client.bottom - 3), RGB(255, 255, 255));
  RECT message = ClientRectOf(popup, IDC_POPUP_MESSAGE);
  EXPECT_EQ(shot.at(message.right - 2, message.bottom - 2), RGB(255, 255, 255));
  // The picture is one of the three, at its real size.
  RECT picture = ClientRectOf(popup, IDC_POPUP_PICTURE);
  EXPECT_EQ(picture.right - picture.left, 100);
  EXPECT_EQ(picture.bottom - picture.top, 116);
  bool found = false;
  for (int id : {IDB_POPUP_PICTURE1, IDB_POPUP_PICTURE2, IDB_POPUP_PICTURE3}) {
    Gdi<HBITMAP> bitmap(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
    found = found || shot.Contains(CaptureBitmap(bitmap.get()), picture.left, picture.top);
  }
  EXPECT_TRUE(found);
  DestroyWindow(popup);
}

TEST(MessagePopup, EscapeAndTheCloseBoxCloseForGood) {
  HWND popup = CMessagePopup::Open(Due({Rec("a", "1"), Rec("b", "2")}));
  Pump();
  PostMessageW(popup, WM_KEYDOWN, VK_ESCAPE, 0);
  Pump();
  EXPECT_FALSE(IsWindow(popup));
  popup = CMessagePopup::Open(Due({Rec("a", "1")}));
  PostMessageW(popup, WM_SYSCOMMAND, SC_CLOSE, 0);
  Pump();
  EXPECT_FALSE(IsWindow(popup));
}

TEST(MessagePopup, SoundOnlyPopupPlaysInTurnUnseenAndCloses) {
  Wave one(L"popup_one.wav"), two(L"popup_two.wav");
  HWND popup =
      CMessagePopup::Open(Due({Rec("a", "NULL", one.cp932()), Rec("b", "NULL", "no such file.wav"),
                               Rec("c", "NULL", two.cp932())}));
  ASSERT_NE(popup, nullptr);
  RECT r;
  GetWindowRect(popup, &r);
  EXPECT_EQ(r.right - r.left, 0);
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(WindowText(popup), L"メッセージ (1/3)");
  // Each sound's end moves on (the unplayable one at once) and the last closes the popup.
  EXPECT_TRUE(
      PumpUntil([&] { return WindowText(popup) == L"メッセージ (3/3)" || !IsWindow(popup); }));
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(popup); }));
}

TEST(MessagePopup, SoundOnlyPopupWithNothingToPlayClosesAtOnce) {
  HWND popup =
      CMessagePopup::Open(Due({Rec("a", "NULL", "missing.wav"), Rec("b", "NULL", "NULL")}));
  ASSERT_NE(popup, nullptr);
  EXPECT_TRUE(PumpUntil([&] { return !IsWindow(popup); }, 1000));
}

TEST(MessagePopup, PagingKeepsTheOtherPopupsAndALaterSound) {
  Wave wave(L"popup_keep.wav");
  HWND first = CMessagePopup::Open(Due({Rec("a", "1", wave.cp932()), Rec("b", "2")}));
  HWND second = CMessagePopup::Open(Due({Rec("c", "3")}));
  ASSERT_NE(first, second);
  Click(first, IDC_POPUP_NEXT);  // b has no sound: a's goes on; its end changes nothing on show
  PumpUntil([] { return false; }, 1500);
  EXPECT_EQ(WindowText(first), L"メッセージ (2/2)");
  EXPECT_TRUE(IsWindow(second));
  DestroyWindow(first);
  DestroyWindow(second);
}

TEST(MessagePopup, PagingBetweenTwoSoundsKeepsTheNewOnePlaying) {
  // Long enough to be playing still when the late notices of the closed one have come.
  Wave a(L"popup_page_a.wav", 20000), b(L"popup_page_b.wav", 20000);
  HWND popup = CMessagePopup::Open(Due({Rec("a", "1", a.cp932()), Rec("b", "2", b.cp932())}));
  ASSERT_EQ(OpenSounds(), 1);
  Click(popup, IDC_POPUP_NEXT);
  PumpUntil([] { return false; }, 500);
  EXPECT_EQ(OpenSounds(), 1);
  Click(popup, IDC_POPUP_PREV);
  PumpUntil([] { return false; }, 500);
  EXPECT_EQ(OpenSounds(), 1);
  DestroyWindow(popup);
  EXPECT_EQ(OpenSounds(), 0);
}

// Private memory committed in the process, region by region.
SIZE_T PrivateBytes() {
  SIZE_T total = 0;
  MEMORY_BASIC_INFORMATION region;
  for (const char* at = nullptr; VirtualQuery(at, &region, sizeof region) == sizeof region;
       at = static_cast<const char*>(region.BaseAddress) + region.RegionSize) {
    if (region.State == MEM_COMMIT && region.Type == MEM_PRIVATE) total += region.RegionSize;
  }
  return total;
}

LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) return 1;
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST(MessagePopup, AWindowThatCannotBeMadeLeavesNothingBehind) {
  constexpr SIZE_T kRecordBytes = 64 << 20;
  // The rest of the process commits and frees a few megabytes of its own meanwhile (sound
  // threads of earlier tests), so both checks are taken against the midpoint.
  const SIZE_T midpoint = PrivateBytes() + kRecordBytes / 2;
  {
    DueMessages due = Due({Rec("huge", std::string(kRecordBytes, 'x'))});
    HHOOK hook = SetWindowsHookExW(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    EXPECT_EQ(CMessagePopup::Open(due), nullptr);
    // The measure sees the records.
    EXPECT_GT(PrivateBytes(), midpoint);
    UnhookWindowsHookEx(hook);
  }
  EXPECT_LT(PrivateBytes(), midpoint);
}

// The window the user types in while an alarm comes due.
class WorkWindow {
 public:
  WorkWindow()
      : hwnd_(CreateWindowExW(0, L"EDIT", L"work", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 200, 300,
                              200, nullptr, nullptr, nullptr, nullptr)) {
    SetForegroundWindow(hwnd_);
    SetFocus(hwnd_);
    Pump();
  }
  ~WorkWindow() { DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

TEST(MessagePopup, OpensAboveTheUsersWorkWithoutTakingTheKeyboard) {
  WorkWindow work;
  ASSERT_EQ(GetForegroundWindow(), work.hwnd());
  HWND popup = CMessagePopup::Open(Due({Rec("a", "1"), Rec("b", "2")}));
  Pump();
  EXPECT_TRUE(IsWindowVisible(popup));
  EXPECT_NE(GetWindowLongPtrW(popup, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetWindowLongPtrW(popup, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_EQ(GetForegroundWindow(), work.hwnd());
  EXPECT_EQ(GetFocus(), work.hwnd());
  // Once the user turns to the popup, its buttons have the keys.
  SetForegroundWindow(popup);
  Pump();
  EXPECT_TRUE(IsChild(popup, GetFocus()));
  DestroyWindow(popup);

  // A sound-only popup is no window of the taskbar or of Alt+Tab, and never takes the keys.
  SetForegroundWindow(work.hwnd());
  SetFocus(work.hwnd());
  Wave a(L"popup_unseen_a.wav", 20000), b(L"popup_unseen_b.wav", 20000);
  popup = CMessagePopup::Open(Due({Rec("a", "NULL", a.cp932()), Rec("b", "NULL", b.cp932())}));
  Pump();
  EXPECT_NE(GetWindowLongPtrW(popup, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, 0);
  EXPECT_EQ(GetForegroundWindow(), work.hwnd());
  EXPECT_EQ(GetFocus(), work.hwnd());
  SendMessageW(popup, WM_COMMAND, MAKEWPARAM(IDC_POPUP_NEXT, BN_CLICKED), 0);  // as a sound ends
  Pump();
  EXPECT_EQ(WindowText(popup), L"メッセージ (2/2)");
  EXPECT_EQ(GetForegroundWindow(), work.hwnd());
  EXPECT_EQ(GetFocus(), work.hwnd());
  DestroyWindow(popup);
}

}  // namespace

// The test program's heap use, to see what loading a big file costs: the bytes held now, the most
// held since the peak was reset, and (when not zero) a size above which an allocation fails, as it
// does in a process short of memory.
struct HeapWatch {
  std::atomic<size_t> live{0}, peak{0}, failAbove{0};
} g_heap;

void* operator new(std::size_t size) {
  const size_t limit = g_heap.failAbove.load();
  if (limit != 0 && size > limit) throw std::bad_alloc();
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  const size_t live = g_heap.live += _msize(p);
  size_t peak = g_heap.peak.load();
  while (live > peak && !g_heap.peak.compare_exchange_weak(peak, live)) {
  }
  return p;
}
void operator delete(void* p) noexcept {
  if (!p) return;
  g_heap.live -= _msize(p);
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept { operator delete(p); }

namespace {

LocalTime g_now;

// A Message.ini of 192 records with a 64 KB message each, beside the program while it lives.
class BigMessageFile {
 public:
  BigMessageFile() : path_(GetModuleFolder() + L"Message.ini") {
    for (int i = 0; i < 192; ++i) {
      bytes_ += "item\r\nNULL\r\n[\r\n" + std::string(64 << 10, 'x') + "\r\n]\r\n" + kDaily +
                "\r\nNULL\r\n" + kAtTime + "\r\n7:5\r\n";
    }
    EXPECT_TRUE(WriteFileBytes(path_, bytes_));
  }
  ~BigMessageFile() { DeleteFileW(path_.c_str()); }
  const FilePath& path() const { return path_; }
  const std::string& bytes() const { return bytes_; }

 private:
  FilePath path_;
  std::string bytes_;
};

// As the clock loads its records at start.
void LoadMessageFile(CFileStore& files, CAlarms& alarms) {
  files.Load(L"Message.ini", [&](const std::string& bytes) { alarms.Read(bytes); });
}

TEST(AlarmFile, LoadsWithoutASecondCopyAndIsNamedWhenItCannot) {
  BigMessageFile file;
  g_now = {2026, 12, 9, 3, 7, 4, 50};
  size_t readCost;
  {
    const size_t base = g_heap.live;
    std::optional<std::string> bytes = ReadFileBytes(file.path());
    readCost = g_heap.live - base;
  }
  {
    CFileStore files;
    CAlarms alarms(g_now);
    const size_t base = g_heap.live;
    g_heap.peak = base;
    LoadMessageFile(files, alarms);
    ASSERT_EQ(alarms.Messages.size(), 192u);
    const size_t records = g_heap.live - base;
    // At most the file's bytes and the records at once, not another copy of the records besides.
    EXPECT_LT(g_heap.peak - base, readCost + records + records / 2);
  }
  // Too big for the memory there is: the clock starts without the records, names the file and
  // leaves it as it is.
  CFileStore files;
  CAlarms alarms(g_now);
  g_heap.failAbove = 1 << 20;
  LoadMessageFile(files, alarms);
  g_heap.failAbove = 0;
  EXPECT_TRUE(alarms.Messages.empty());
  std::wstring text;
  {
    MessageBoxAnswerer answer;
    files.ReportUnread(nullptr);
    text = answer.text();
  }
  EXPECT_NE(text.find(L"Message.ini"), std::wstring::npos) << testing::PrintToString(text);
  EXPECT_TRUE(files.Save(L"Message.ini", alarms.Bytes()));
  EXPECT_EQ(ReadFileBytes(file.path()), file.bytes());
}

}  // namespace
