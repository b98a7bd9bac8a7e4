#include "app/web_page.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

#include <optional>
#include <vector>

#include "app/browser_command.h"
#include "cp932.h"
#include "win/raii.h"

namespace {

// The default value of a key under the classes root, whatever its length.
bool ReadClassesDefault(const std::wstring& subkey, std::wstring& value) {
  HKEY opened = nullptr;
  if (RegOpenKeyExW(HKEY_CLASSES_ROOT, subkey.c_str(), 0, KEY_QUERY_VALUE, &opened) !=
      ERROR_SUCCESS)
    return false;
  RegKey key(opened);
  DWORD type = 0, bytes = 0;
  if (RegQueryValueExW(key.get(), nullptr, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return false;
  std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
  bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key.get(), nullptr, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                       &bytes) != ERROR_SUCCESS)
    return false;
  text.back() = L'\0';
  value = text.data();
  if (type != REG_EXPAND_SZ) return true;
  // A command such as "%ProgramFiles%\Web\web.exe" is stored with its variables unexpanded.
  DWORD length = ExpandEnvironmentStringsW(value.c_str(), nullptr, 0);
  std::vector<wchar_t> expanded(length);
  if (length == 0 || ExpandEnvironmentStringsW(value.c_str(), expanded.data(), length) != length)
    return false;
  value = expanded.data();
  return true;
}

// COM on this thread for one call: the shell may hand a verb to a handler that is a COM
// object, and some need a single-threaded apartment. A thread already in another apartment
// keeps it.
class ComApartment {
 public:
  ComApartment() {
    joined_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }
  ~ComApartment() {
    if (joined_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool joined_ = false;
};

// Starts a command line; above 32 when it started, else the reason (at most 32).
int StartCommandLine(std::wstring line, int showCommand) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(showCommand);
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    DWORD error = GetLastError();
    return error <= 32 ? static_cast<int>(error) : 0;
  }
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return 33;
}

}  // namespace

int OpenWebPage(const std::wstring& url, int showCommand) {
  ComApartment com;
  int shell = static_cast<int>(reinterpret_cast<INT_PTR>(
      ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, showCommand)));
  if (shell > 32) return shell;

  // No handler for the address itself: ask the browser registered for web pages.
  std::wstring pageClass, command;
  if (!ReadClassesDefault(L".htm", pageClass)) return shell;
  if (!ReadClassesDefault(pageClass + L"\\shell\\open\\command", command)) return shell;
  // The command is cut as code page 932 text; one that code page 932 cannot hold is not run
  // with look-alike characters in it.
  std::optional<std::string> registered = WideToCp932(command), address = WideToCp932(url);
  if (!registered || !address) return shell;
  return StartCommandLine(Cp932ToWide(BrowserCommandLine(*registered, *address)), showCommand);
}
