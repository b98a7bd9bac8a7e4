#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "clocks_version.h"
#include "e2e_support.h"
#include "win/raii.h"

// The programs as a user gets them: each .exe of a folder unpacked from the release zip shows
// its version to Explorer, starts with nothing else set up, shows its window and closes cleanly.
// With CLOCKS_SCREENSHOT_FOLDER set, each window's picture is saved there as <program>.bmp.

namespace {

struct Entry {
  const char* name;
  const char* description;
};
constexpr Entry kPrograms[] = {CLOCKS_PROGRAM_TABLE};
constexpr int kVersion[] = {CLOCKS_VERSION_NUMBERS};
// What the screenshots' outside-the-shape pixels become, to be made transparent later.
constexpr COLORREF kOutside = RGB(1, 254, 3);

std::wstring Wide(const char* utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);
  std::wstring text(n > 0 ? n - 1 : 0, L'\0');
  if (n > 1) MultiByteToWideChar(CP_UTF8, 0, utf8, -1, text.data(), n);
  return text;
}

std::wstring Env(const wchar_t* name) {
  const wchar_t* value = _wgetenv(name);
  std::wstring text = value ? value : L"";
  if (!text.empty() && text.back() != L'\\') text += L'\\';
  return text;
}

const std::wstring& Folder() {
  static const std::wstring folder = Env(L"CLOCKS_RELEASE_FOLDER");
  return folder;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The programs of the table that the unpacked folder holds.
std::vector<Entry> Present() {
  std::vector<Entry> present;
  for (const Entry& e : kPrograms)
    if (Exists(Folder() + Wide(e.name) + L".exe")) present.push_back(e);
  return present;
}

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* key) {
  struct Translation {
    WORD language, codePage;
  }* translations = nullptr;
  UINT size = 0;
  if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation",
                      reinterpret_cast<void**>(&translations), &size) ||
      size < sizeof(Translation))
    return L"(no translation)";
  wchar_t path[96];
  swprintf(path, 96, L"\\StringFileInfo\\%04x%04x\\%ls", translations[0].language,
           translations[0].codePage, key);
  wchar_t* value = nullptr;
  if (!VerQueryValueW(info.data(), path, reinterpret_cast<void**>(&value), &size))
    return L"(missing)";
  return value;
}

struct Search {
  DWORD pid;
  HWND best;
  long area;
};

BOOL CALLBACK LargestVisible(HWND hwnd, LPARAM lParam) {
  auto* s = reinterpret_cast<Search*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  RECT r;
  if (pid != s->pid || !IsWindowVisible(hwnd) || !GetWindowRect(hwnd, &r)) return TRUE;
  long area = static_cast<long>(r.right - r.left) * (r.bottom - r.top);
  if (area > s->area) {
    s->best = hwnd;
    s->area = area;
  }
  return TRUE;
}

HWND MainWindow(DWORD pid) {
  Search s{pid, nullptr, 0};
  EnumWindows(LargestVisible, reinterpret_cast<LPARAM>(&s));
  return s.best;
}

// The window as the screen shows it; pixels outside its shape become kOutside.
Screenshot Picture(HWND hwnd) {
  RECT r;
  GetWindowRect(hwnd, &r);
  Screenshot shot = CaptureScreen(r);
  Gdi<HRGN> region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(hwnd, region.get()) != ERROR) {
    for (int y = 0; y < shot.height; ++y)
      for (int x = 0; x < shot.width; ++x)
        if (!PtInRegion(region.get(), x, y)) shot.pixels[y * shot.width + x] = kOutside;
  }
  return shot;
}

int DistinctColours(const Screenshot& shot, int enough) {
  std::vector<COLORREF> seen;
  for (COLORREF c : shot.pixels) {
    bool known = false;
    for (COLORREF s : seen) known = known || s == c;
    if (!known) seen.push_back(c);
    if (static_cast<int>(seen.size()) >= enough) break;
  }
  return static_cast<int>(seen.size());
}

bool SaveBmp(const Screenshot& shot, const std::wstring& path) {
  int stride = (shot.width * 3 + 3) & ~3;
  BITMAPFILEHEADER file{};
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = shot.width;
  info.biHeight = shot.height;
  info.biPlanes = 1;
  info.biBitCount = 24;
  info.biSizeImage = stride * shot.height;
  file.bfType = 0x4D42;
  file.bfOffBits = sizeof file + sizeof info;
  file.bfSize = file.bfOffBits + info.biSizeImage;
  std::vector<BYTE> bits(info.biSizeImage);
  for (int y = 0; y < shot.height; ++y)
    for (int x = 0; x < shot.width; ++x) {
      COLORREF c = shot.pixels[y * shot.width + x];
      BYTE* p = &bits[(shot.height - 1 - y) * stride + x * 3];
      p[0] = GetBValue(c);
      p[1] = GetGValue(c);
      p[2] = GetRValue(c);
    }
  FileHandle out(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  return out.get() && WriteFile(out.get(), &file, sizeof file, &written, nullptr) &&
         WriteFile(out.get(), &info, sizeof info, &written, nullptr) &&
         WriteFile(out.get(), bits.data(), static_cast<DWORD>(bits.size()), &written, nullptr);
}

TEST(Release, FolderHoldsTheDeskClockAndThePictureClock) {
  ASSERT_FALSE(Folder().empty()) << "CLOCKS_RELEASE_FOLDER is not set";
  EXPECT_TRUE(Exists(Folder() + L"orvanedesk.exe"));
  EXPECT_TRUE(Exists(Folder() + L"tickmoth.exe"));
  EXPECT_TRUE(Exists(Folder() + L"bitmap0.bmp"));
  EXPECT_TRUE(Exists(Folder() + L"Illust.ini"));
}

TEST(Release, EveryProgramShowsItsVersionToExplorer) {
  for (const Entry& e : Present()) {
    SCOPED_TRACE(e.name);
    std::wstring path = Folder() + Wide(e.name) + L".exe";
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    ASSERT_GT(size, 0u);
    std::vector<BYTE> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize));
    EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), kVersion[0]);
    EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), kVersion[1]);
    EXPECT_EQ(HIWORD(fixed->dwFileVersionLS), kVersion[2]);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(VersionString(info, L"FileDescription"), Wide(e.description));
    EXPECT_EQ(VersionString(info, L"ProductVersion"), Wide(CLOCKS_VERSION_TEXT));
    EXPECT_EQ(VersionString(info, L"ProductName"), Wide(CLOCKS_PRODUCT_TEXT));
    EXPECT_EQ(VersionString(info, L"OriginalFilename"), Wide(e.name) + L".exe");
  }
}

// Started the way a double-click starts it (in its own folder), each program shows a painted
// window and ends cleanly when asked to close.
TEST(Release, EveryProgramStartsFromTheUnpackedFolderAndCloses) {
  // The registry trees the programs write start and end absent.
  RegistryKeyGuard deskClock(HKEY_CURRENT_USER, L"Software\\HARBOR LAMP\\orvanedesk");
  RegistryKeyGuard sharedCharacter(HKEY_USERS, L".DEFAULT\\Software\\brindlewick");
  RegistryKeyGuard userCharacter(HKEY_CURRENT_USER, L"Software\\brindlewick");
  std::wstring shots = Env(L"CLOCKS_SCREENSHOT_FOLDER");
  for (const Entry& e : Present()) {
    SCOPED_TRACE(e.name);
    std::wstring path = Folder() + Wide(e.name) + L".exe";
    std::wstring commandLine = L"\"" + path + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    ASSERT_TRUE(CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                               nullptr, Folder().c_str(), &startup, &started));
    CloseHandle(started.hThread);
    Handle process(started.hProcess);

    HWND window = nullptr;
    EXPECT_TRUE(
        WaitUntil([&] { return (window = MainWindow(started.dwProcessId)) != nullptr; }, 20000));
    if (window) {
      // Painted: a picture, not a blank rectangle.
      Screenshot shot;
      EXPECT_TRUE(
          WaitUntil([&] { return DistinctColours(shot = Picture(window), 16) >= 16; }, 10000));
      if (!shots.empty()) {
        // For the picture: clear of the top-left corner, where Wine without a taskbar puts its
        // own tray window; past the first one-second tick (which sets the desk clock's title);
        // then steady: two equal captures in a row.
        SetWindowPos(window, nullptr, 320, 200, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        Sleep(1500);
        WaitUntil(
            [&] {
              Sleep(300);
              Screenshot again = Picture(window);
              bool same = again.pixels == shot.pixels;
              shot = again;
              return same;
            },
            3000);
        EXPECT_TRUE(SaveBmp(shot, shots + Wide(e.name) + L".bmp"));
      }
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
    bool ended = WaitForSingleObject(process.get(), 20000) == WAIT_OBJECT_0;
    EXPECT_TRUE(ended) << "still running after the close request";
    if (!ended) TerminateProcess(process.get(), 1);
    DWORD code = 1;
    GetExitCodeProcess(process.get(), &code);
    EXPECT_EQ(code, 0u);
  }
}

}  // namespace
