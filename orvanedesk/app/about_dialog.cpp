#include "app/about_dialog.h"

#include <objbase.h>
#include <shellapi.h>

#include <optional>
#include <vector>

#include "app/browser_command.h"
#include "cp932.h"
#include "framework/window.h"
#include "res/resource.h"

namespace {

const AboutLink kLinks[kAboutLinkCount] = {
    {IDC_LINK_OFFICIAL, L"http://orvane.example.org/", L"Orvaneオフィシャルページ"},
    {IDC_LINK_KOTONE, L"http://orvane.example.org/people/kotone/",
     L"柚木ことねのイラスト帳 (イラスト: 柚木ことね)"},
    {IDC_LINK_HIYORI, L"http://orvane.example.org/people/hiyori/",
     L"ひよりの数字工房 (文字盤と数字: 宮下ひより)"},
    {IDC_LINK_AO, L"http://orvane.example.org/people/ao/",
     L"蒼のアイコン小屋 (アイコンとカーソル: 佐伯蒼)"},
};

const AboutLink* FindLink(int control) {
  for (const AboutLink& link : kLinks)
    if (link.control == control) return &link;
  return nullptr;
}

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
// keeps it. The library is loaded at first use, not linked: most runs never open a page, and
// linked it would load at every start.
class ComApartment {
 public:
  ComApartment() {
    const Library& com = Com();
    joined_ = com.initialize && com.uninitialize &&
              SUCCEEDED(com.initialize(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }
  ~ComApartment() {
    if (joined_) Com().uninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  struct Library {
    HRESULT(WINAPI* initialize)(void*, DWORD) = nullptr;
    void(WINAPI* uninitialize)() = nullptr;
  };
  static const Library& Com() {
    static const Library library = [] {
      Library found;
      if (HMODULE ole = LoadLibraryW(L"ole32.dll")) {
        found.initialize = reinterpret_cast<decltype(found.initialize)>(
            reinterpret_cast<void*>(GetProcAddress(ole, "CoInitializeEx")));
        found.uninitialize = reinterpret_cast<decltype(found.uninitialize)>(
            reinterpret_cast<void*>(GetProcAddress(ole, "CoUninitialize")));
      }
      return found;
    }();
    return library;
  }
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

const AboutLink* AboutLinks() { return kLinks; }

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

CAboutDlg::CAboutDlg(PageOpener open) : CDialog(IDD_ABOUT), open_(std::move(open)) {}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  white_.reset(CreateSolidBrush(RGB(255, 255, 255)));

  // 16 points in the screen's own resolution.
  LOGFONTW font{};
  {
    WindowDc dc(hwnd());
    font.lfHeight = -MulDiv(GetDeviceCaps(dc.get(), LOGPIXELSY), 160, 720);
  }
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpyW(font.lfFaceName, L"Arial");
  font_.reset(CreateFontIndirectW(&font));
  SendDlgItemMessageW(hwnd(), IDC_ABOUT_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()),
                      TRUE);

  // A modal dialog has no message pre-translation of its own, so the tooltip watches the
  // link pictures' messages itself.
  tooltip_ = CreateTooltip(hwnd(), TTS_ALWAYSTIP);
  if (tooltip_) {
    for (const AboutLink& link : kLinks)
      AddTooltipTool(tooltip_, hwnd(), Item(link.control), link.tip, TTF_SUBCLASS);
  }
  return TRUE;
}

bool CAboutDlg::OnCommand(int id, int code, HWND control) {
  const AboutLink* link = FindLink(id);
  if (!link) return CDialog::OnCommand(id, code, control);
  if (code == STN_CLICKED && open_(link->url, SW_SHOWNORMAL) <= 32)
    AppMessageBox(hwnd(), L"ホームページが見つかりませんでした。", MB_OK | MB_ICONSTOP);
  return true;
}

INT_PTR CAboutDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      switch (GetDlgCtrlID(reinterpret_cast<HWND>(lParam))) {
        case IDC_ABOUT_TITLE:
          SetTextColor(dc, RGB(0, 0, 255));
          SetBkColor(dc, RGB(255, 255, 255));
          break;
        case IDC_ABOUT_CREDIT:
        case IDC_ABOUT_ROLES:
        case IDC_ABOUT_NAMES:
          SetTextColor(dc, RGB(0, 0, 0));
          SetBkColor(dc, RGB(255, 255, 255));
          break;
      }
      return reinterpret_cast<INT_PTR>(white_.get());
    }
    case WM_SETCURSOR:
      if (FindLink(GetDlgCtrlID(reinterpret_cast<HWND>(wParam)))) {
        SetCursor(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDCUR_LINK_HAND)));
        SetResult(TRUE);
        return TRUE;
      }
      break;
  }
  return CDialog::OnMessage(msg, wParam, lParam);
}
