#include <windows.h>

#include "line_file.h"
#include "win/system.h"
#include "win/raii.h"

// Plain Win32 reads keep the programs free of the iostreams machinery, a large part of an .exe.
std::optional<std::string> ReadFileBytes(const FilePath& path) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr)) {
    if (got == 0) return bytes;
    bytes.append(buffer, got);
  }
  return std::nullopt;
}

std::wstring SystemErrorText(unsigned long error) {
  wchar_t* text = nullptr;
  DWORD n = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  std::wstring message(text && n ? text : L"", text ? n : 0);
  if (text) LocalFree(text);
  while (!message.empty() &&
         (message.back() == L'\r' || message.back() == L'\n' || message.back() == L' ')) {
    message.pop_back();
  }
  if (message.empty()) message = L"エラー " + std::to_wstring(error);
  return message;
}

namespace {

SaveResult Saved(const FilePath& path) { return {true, path, 0, {}}; }

SaveResult Failed(const FilePath& path, DWORD error) {
  // A call that failed without saying why still failed.
  if (error == 0) error = ERROR_GEN_FAILURE;
  return {false, path, error, SystemErrorText(error)};
}

// Writes all bytes at the file's current position and flushes them to the disk.
DWORD WriteAllAndFlush(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD chunk = bytes.size() > 0x10000000 ? 0x10000000 : static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr)) return GetLastError();
    if (written == 0) return ERROR_WRITE_FAULT;
    bytes.remove_prefix(written);
  }
  if (!SetEndOfFile(file) || !FlushFileBuffers(file)) return GetLastError();
  return ERROR_SUCCESS;
}

// A name no other file has yet, beside the target, so that two programs saving the same file
// at once, or a file that happens to bear a fixed temporary name, are never overwritten.
Handle CreateTempBeside(const FilePath& path, FilePath* temp, DWORD* error) {
  static unsigned counter = 0;
  LARGE_INTEGER ticks{};
  QueryPerformanceCounter(&ticks);
  unsigned seed = static_cast<unsigned>(ticks.QuadPart) ^ (GetCurrentProcessId() << 16);
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned tag = seed + ++counter * 0x9E3779B9u;
    std::wstring suffix = L".";
    for (int shift = 28; shift >= 0; shift -= 4) suffix += L"0123456789abcdef"[(tag >> shift) & 15];
    *temp = path + suffix + L".tmp";
    HANDLE file = CreateFileW(temp->c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return Handle(file);
    *error = GetLastError();
    if (*error != ERROR_FILE_EXISTS && *error != ERROR_ALREADY_EXISTS) break;
  }
  temp->clear();
  return Handle();
}

// Swaps the written temporary file in with one rename, after giving it the old file's marks, so
// a save killed at any moment leaves the old file or the new one. ReplaceFileW is not used: Wine
// moves the old file aside before moving the new one in, and a kill between the two left no file.
DWORD SwapIn(const FilePath& temp, const FilePath& path) {
  DWORD oldAttributes = GetFileAttributesW(path.c_str());
  if (oldAttributes != INVALID_FILE_ATTRIBUTES) {
    // A read-only file refuses the save, as it refuses being written.
    if (oldAttributes & FILE_ATTRIBUTE_READONLY) return ERROR_ACCESS_DENIED;
    constexpr DWORD kKept = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    DWORD wanted = oldAttributes & kKept;
    if (!SetFileAttributesW(temp.c_str(), wanted ? wanted : FILE_ATTRIBUTE_NORMAL))
      return GetLastError();
  }
  // Virus scanners, indexers and sync clients open a freshly written file for a moment: the
  // swap waits that out for about a second before it counts as failed.
  for (int attempt = 0;; ++attempt) {
    if (MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
      return ERROR_SUCCESS;
    DWORD error = GetLastError();
    bool held = error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
                error == ERROR_LOCK_VIOLATION;
    if (!held || attempt == 10) return error;
    Sleep(100);
  }
}

}  // namespace

SaveResult WriteFileBytes(const FilePath& path, std::string_view bytes) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return Failed(path, ERROR_ACCESS_DENIED);

  FilePath temp;
  DWORD tempError = ERROR_SUCCESS;
  Handle file = CreateTempBeside(path, &temp, &tempError);
  if (!file) {
    // A folder that takes no new files may still let the file itself be changed: writing it in
    // place is not crash-safe, but better than losing the save. Any other failure (a full disk,
    // no handles left) could stop an in-place write half-way, mixing old and new bytes.
    if (tempError != ERROR_ACCESS_DENIED) return Failed(path, tempError);
    FileHandle existing(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!existing) {
      DWORD openError = GetLastError();
      bool missing = openError == ERROR_FILE_NOT_FOUND || openError == ERROR_PATH_NOT_FOUND;
      return Failed(path, missing ? tempError : openError);
    }
    DWORD error = WriteAllAndFlush(existing.get(), bytes);
    return error == ERROR_SUCCESS ? Saved(path) : Failed(path, error);
  }

  DWORD error = WriteAllAndFlush(file.get(), bytes);
  file.reset();
  if (error == ERROR_SUCCESS) error = SwapIn(temp, path);
  if (error == ERROR_SUCCESS) return Saved(path);
  DeleteFileW(temp.c_str());
  return Failed(path, error);
}
