#include "line_file.h"

#include <windows.h>

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

bool WriteFileAtomic(const FilePath& path, std::string_view bytes) {
  std::wstring temp = path + L".tmp";
  bool ok;
  {
    FileHandle file(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    ok = WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size() && FlushFileBuffers(file.get());
  }
  ok = ok &&
       MoveFileExW(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
  if (!ok) DeleteFileW(temp.c_str());
  return ok;
}
