#include "app/web_page.h"

#include <windows.h>
#include <objbase.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <utility>

#include "win/system.h"

// Opening web pages through the browser registered for ".htm" (Wine's classes root is the
// machine's classes alone, and this prefix registers no page class of its own).

class RegisteredBrowser : public ::testing::Test {
 protected:
  void SetUp() override {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.htm", 0, KEY_READ, &key) == 0) {
      RegCloseKey(key);
      GTEST_SKIP() << "this system has a page class already";
    }
    owned_ = true;
    Set(L"Software\\Classes\\.htm", L"OrvaneTestPage");
  }
  void TearDown() override {
    if (!owned_) return;
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.htm");
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\OrvaneTestPage");
    RegDeleteKeyW(HKEY_LOCAL_MACHINE, L"Software\\Classes\\.htm");
  }
  static void Set(const wchar_t* key, const std::wstring& value, DWORD type = REG_SZ) {
    RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, nullptr, type, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
  }
  static void SetCommand(const std::wstring& command, DWORD type = REG_SZ) {
    Set(L"Software\\Classes\\OrvaneTestPage\\shell\\open\\command", command, type);
  }
  bool owned_ = false;
};

namespace {

std::string ReadWholeFile(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  char buffer[512] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof buffer - 1, &read, nullptr);
  CloseHandle(file);
  return std::string(buffer, read);
}

}  // namespace

TEST_F(RegisteredBrowser, TakesTheAddressWhenNoHandlerDoes) {
  // No handler knows this scheme; the registered "browser" writes what it was given.
  std::wstring out = GetModuleFolder() + L"browser_test.txt";
  wchar_t system[MAX_PATH] = {};
  GetSystemDirectoryW(system, MAX_PATH);
  // Also as a command whose variables the reader must expand.
  const std::pair<std::wstring, DWORD> browsers[] = {
      {L"\"" + std::wstring(system) + L"\\cmd.exe\"", REG_SZ},
      {L"\"%SystemRoot%\\system32\\cmd.exe\"", REG_EXPAND_SZ}};
  for (const auto& [browser, type] : browsers) {
    DeleteFileW(out.c_str());
    SetCommand(browser + L" /c echo>\"" + out + L"\" \"%1\"", type);
    EXPECT_GT(OpenWebPage(L"orvanetest:page", SW_HIDE), 32) << testing::PrintToString(browser);
    std::string written;
    for (int i = 0; i < 100 && written.find("orvanetest:page") == std::string::npos; ++i) {
      Sleep(50);
      written = ReadWholeFile(out);
    }
    // Cut before the quoted placeholder, the address after a blank.
    EXPECT_NE(written.find("orvanetest:page"), std::string::npos) << written;
    EXPECT_EQ(written.find("%1"), std::string::npos) << written;
  }
  DeleteFileW(out.c_str());
}

// A thread already in the multi-threaded apartment stays there: the page still opens, and the
// call leaves the thread's COM as it found it.
TEST_F(RegisteredBrowser, LeavesTheCallersApartmentAsItWas) {
  std::wstring out = GetModuleFolder() + L"browser_test.txt";
  SetCommand(L"\"%SystemRoot%\\system32\\cmd.exe\" /c echo>\"" + out + L"\" \"%1\"", REG_EXPAND_SZ);
  // The "browser" has written its file, which is then removed.
  auto opened = [&] {
    for (int i = 0; i < 100 && ReadWholeFile(out).empty(); ++i) Sleep(50);
    bool written = !ReadWholeFile(out).empty();
    DeleteFileW(out.c_str());
    return written;
  };
  DeleteFileW(out.c_str());
  int result = 0;
  HRESULT after = E_FAIL;
  std::thread caller([&] {
    if (FAILED(CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return;
    result = OpenWebPage(L"orvanetest:page", SW_HIDE);
    after = CoInitializeEx(nullptr, COINIT_MULTITHREADED);  // S_FALSE: still in the apartment
    if (SUCCEEDED(after)) CoUninitialize();
    CoUninitialize();
  });
  caller.join();
  EXPECT_GT(result, 32);
  EXPECT_TRUE(opened());
  EXPECT_EQ(after, S_FALSE);
  // And this thread, in no apartment before the call, is in none after it.
  EXPECT_GT(OpenWebPage(L"orvanetest:page", SW_HIDE), 32);
  EXPECT_TRUE(opened());
  HRESULT fresh = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  EXPECT_EQ(fresh, S_OK);
  if (SUCCEEDED(fresh)) CoUninitialize();
}

TEST_F(RegisteredBrowser, ABrowserThatCannotStartIsAFailure) {
  SetCommand(L"\"C:\\no such folder\\browser.exe\" \"%1\"");
  EXPECT_LE(OpenWebPage(L"orvanetest:page", SW_HIDE), 32);
}
