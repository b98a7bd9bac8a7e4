#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "cp932.h"
#include "e2e_support.h"
#include "line_file.h"

namespace {

const wchar_t kKey[] = L"Software\\HARBOR LAMP\\orvanedesk\\Version 1.0";

std::optional<DWORD> RegistryInt(const wchar_t* name) {
  DWORD value = 0, size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kKey, name, RRF_RT_REG_DWORD, nullptr, &value, &size) !=
      ERROR_SUCCESS)
    return std::nullopt;
  return value;
}

// The texts of another process's tab control, read through memory lent in that process.
std::vector<std::wstring> TabTexts(HANDLE process, HWND tab) {
  std::vector<std::wstring> texts;
  struct Remote {
    TCITEMW item;
    wchar_t text[64];
  };
  auto* remote = static_cast<Remote*>(
      VirtualAllocEx(process, nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE));
  if (!remote) return texts;
  int count = static_cast<int>(SendMessageW(tab, TCM_GETITEMCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    Remote local{};
    local.item.mask = TCIF_TEXT;
    local.item.pszText = remote->text;
    local.item.cchTextMax = 64;
    WriteProcessMemory(process, remote, &local, sizeof local, nullptr);
    SendMessageW(tab, TCM_GETITEMW, i, reinterpret_cast<LPARAM>(&remote->item));
    ReadProcessMemory(process, remote, &local, sizeof local, nullptr);
    local.text[63] = 0;
    texts.push_back(local.text);
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  return texts;
}

HWND CurrentPage(HWND sheet) {
  return reinterpret_cast<HWND>(SendMessageW(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

size_t Difference(const Screenshot& a, const Screenshot& b) {
  size_t changed = 0;
  for (size_t i = 0; i < a.pixels.size() && i < b.pixels.size(); ++i)
    changed += a.pixels[i] != b.pixels[i];
  return changed;
}

TEST(SettingsSheet, TakesEffectAtOnceAndIsSavedOnConfirmation) {
  // The clock starts without stored settings, and what it saves does not outlive the scenario.
  ProgramFilesGuard saved(DeskClockFiles(), kKey);
  Program clock(L"orvanedesk.exe");
  ASSERT_TRUE(clock.started());
  HWND hwnd = clock.WaitForWindow(L"OrvaneDeskClock");
  ASSERT_NE(hwnd, nullptr);

  PostMessageW(hwnd, WM_SYSCOMMAND, 0x50, 0);
  HWND sheet = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (sheet = clock.Window(L"#32770", L"プロパティ")); }, 5000));
  EXPECT_EQ(
      TabTexts(clock.process(), PropSheet_GetTabControl(sheet)),
      (std::vector<std::wstring>{L"全般", L"絵柄", L"サウンド設定", L"アラームとメッセージ"}));

  // A fresh user has no numerals: ticking the face enables the font controls, unticking
  // greys them again.
  HWND page = CurrentPage(sheet);
  HWND face = GetDlgItem(page, 1010);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, 1045)));
  SendMessageW(face, BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(page, 1045)));
  SendMessageW(face, BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, 1045)));
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(page, 1046)));

  // Ticking it and Apply draws the numerals at once, with the sheet still open.
  RECT client = ClientOnScreen(hwnd);
  // The dial sits in the middle of the face, below the sheet's reach.
  SetWindowPos(sheet, nullptr, client.right + 10, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Screenshot before = CaptureScreen(client);
  SendMessageW(face, BM_CLICK, 0, 0);
  SendMessageW(GetDlgItem(sheet, 12321), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitUntil([&] { return Difference(before, CaptureScreen(client)) > 100; }, 3000));
  EXPECT_TRUE(IsWindow(sheet));

  // A wave file added under the time signal is in Sound.ini right after OK.
  PostMessageW(sheet, PSM_SETCURSEL, 2, 0);
  HWND tree = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (tree = GetDlgItem(CurrentPage(sheet), 1012)); }, 3000));
  auto root = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
  auto next = [&](HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(
        SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(item)));
  };
  HTREEITEM timeSignal = next(next(root));
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(timeSignal));
  PostMessageW(GetDlgItem(CurrentPage(sheet), 1013), BM_CLICK, 0, 0);
  HWND open = nullptr;
  ASSERT_TRUE(WaitUntil([&] { return (open = clock.Window(L"#32770", L"追加")); }, 5000));
  const std::wstring wave = DriverFolder() + L"時報テスト.wav";
  // The dialog may still be filling itself when it shows: type the name until it is taken.
  ASSERT_TRUE(WaitUntil(
      [&] {
        if (IsWindow(open)) {
          SendMessageW(GetDlgItem(open, 0x47C), WM_SETTEXT, 0,
                       reinterpret_cast<LPARAM>(wave.c_str()));
          PostMessageW(open, WM_COMMAND, IDOK, 0);
        }
        return !IsWindow(open);
      },
      5000));
  auto added = [&] {
    return SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CHILD, reinterpret_cast<LPARAM>(timeSignal)) !=
           0;
  };
  ASSERT_TRUE(WaitUntil(added, 3000));
  PostMessageW(GetDlgItem(sheet, IDOK), BM_CLICK, 0, 0);
  ASSERT_TRUE(WaitUntil([&] { return !IsWindow(sheet); }, 5000));
  // The sheet's window goes first; the save follows in the same turn of the clock's loop.
  const std::string expected =
      "[Boot]\r\n[Exit]\r\n[Time]\r\n" + WideToCp932(wave).value() + "\r\n[Away]\r\n";
  std::optional<std::string> sounds;
  EXPECT_TRUE(WaitUntil(
      [&] {
        sounds = ReadFileBytes(DriverFolder() + L"Sound.ini");
        return sounds == expected;
      },
      3000))
      << testing::PrintToString(sounds.value_or("(none)"));
  EXPECT_EQ(RegistryInt(L"TitleFace"), 1u);

  PostMessageW(hwnd, WM_CLOSE, 0, 0);
  EXPECT_TRUE(clock.WaitForExit(10000));
  EXPECT_EQ(RegistryInt(L"TitleFace"), 1u);
}

}  // namespace
