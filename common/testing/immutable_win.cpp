#include <windows.h>

#include <optional>
#include <string>

#include "testing/immutable.h"
#include "win/raii.h"

// Wine runs a Unix program given by its Unix path, so chattr sets the flag. Wine gives no
// handle to wait on for a Unix program: the shell that runs chattr writes its exit status to a
// file when it is done. Nothing may probe the path before then: a folder's probe file made just
// before the flag took could not be deleted after it.
namespace {

std::string UnixPath(const FilePath& path) {
  using ToUnix = char*(CDECL*)(const WCHAR*);
  auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (!toUnix) return {};
  char* name = toUnix(path.c_str());
  if (!name) return {};
  std::string unix(name);
  HeapFree(GetProcessHeap(), 0, name);
  return unix;
}

bool IsFolder(const FilePath& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether the path takes a change: a new file in a folder, a write to a file.
bool TakesChange(const FilePath& path) {
  if (IsFolder(path)) {
    FileHandle probe(CreateFileW((path + L"\\immutable-probe").c_str(), GENERIC_WRITE, 0, nullptr,
                                 CREATE_NEW, FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return static_cast<bool>(probe);
  }
  FileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr));
  return static_cast<bool>(file);
}

std::wstring Widened(const std::string& text) { return std::wstring(text.begin(), text.end()); }

bool Chattr(const FilePath& path, bool on) {
  std::string unix = UnixPath(path);
  wchar_t folder[MAX_PATH], done[MAX_PATH];
  if (unix.empty() || GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES ||
      !GetTempPathW(MAX_PATH, folder) || !GetTempFileNameW(folder, L"chattr", 0, done))
    return false;
  std::wstring command = std::wstring(L"/bin/sh -c \"/usr/bin/chattr ") + (on ? L"+i" : L"-i") +
                         L" -- \\\"$0\\\"; echo $? >\\\"$1\\\"\" \"" + Widened(unix) + L"\" \"" +
                         Widened(UnixPath(done)) + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::optional<std::string> status;
  if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                     nullptr, &startup, &info)) {
    // Wine fills in no handles for a Unix program, only what was in its own memory.
    if (info.hProcess) {
      CloseHandle(info.hThread);
      CloseHandle(info.hProcess);
    }
    for (int i = 0; i < 1500; ++i) {  // 30 seconds for a machine under load
      status = ReadFileBytes(done);
      if (status && !status->empty() && status->back() == '\n') break;
      Sleep(20);
    }
  }
  DeleteFileW(done);
  return status == std::string("0\n");
}

}  // namespace

Immutable::Immutable(const FilePath& path) : path_(path), active_(Chattr(path, true)) {}

Immutable::~Immutable() {
  if (active_) Chattr(path_, false);
}

bool ClearImmutable(const FilePath& path) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return true;
  return TakesChange(path) || Chattr(path, false);
}

bool MarkFile(const FilePath& path) {
  return SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_HIDDEN) != FALSE;
}

bool HasMark(const FilePath& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_HIDDEN);
}

ReadOnlyFile::ReadOnlyFile(const FilePath& path)
    : path_(path), active_(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY) != FALSE) {}

ReadOnlyFile::~ReadOnlyFile() {
  if (active_) SetFileAttributesW(path_.c_str(), FILE_ATTRIBUTE_NORMAL);
}

bool ImmutableFlagExpected() {
  wchar_t name[64] = {};
  DWORD size = 64;
  return !UnixPath(L"C:\\").empty() && GetUserNameW(name, &size) && std::wstring(name) == L"root";
}
