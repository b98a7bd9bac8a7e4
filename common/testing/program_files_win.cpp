#include "testing/program_files.h"

#include "line_file.h"
#include "win/system.h"

namespace {

bool KeyExists(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

std::wstring Parent(const std::wstring& path) {
  size_t slash = path.rfind(L'\\');
  return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

// Removes a key only while nothing else lives in it: another test may be using a sibling.
void DeleteIfEmpty(HKEY root, const std::wstring& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return;
  DWORD subkeys = 0, values = 0;
  LONG status = RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                                 &values, nullptr, nullptr, nullptr, nullptr);
  RegCloseKey(key);
  if (status == ERROR_SUCCESS && subkeys == 0 && values == 0) RegDeleteKeyW(root, path.c_str());
}

}  // namespace

RegistryKeyGuard::RegistryKeyGuard(HKEY root, std::wstring path)
    : root_(root), path_(std::move(path)) {
  existing_ = Parent(path_);
  while (!existing_.empty() && !KeyExists(root_, existing_)) existing_ = Parent(existing_);
  RegDeleteTreeW(root_, path_.c_str());
}

RegistryKeyGuard::~RegistryKeyGuard() {
  RegDeleteTreeW(root_, path_.c_str());
  for (std::wstring parent = Parent(path_); parent.size() > existing_.size();
       parent = Parent(parent))
    DeleteIfEmpty(root_, parent);
}

ProgramFilesGuard::ProgramFilesGuard(std::vector<std::wstring> files, std::wstring registryKey)
    : files_(std::move(files)), key_(HKEY_CURRENT_USER, std::move(registryKey)) {
  for (const std::wstring& name : files_) {
    std::wstring path = GetModuleFolder() + name;
    absent_.push_back(GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES);
    saved_.push_back(ReadFileBytes(path));
  }
}

ProgramFilesGuard::~ProgramFilesGuard() {
  for (size_t i = 0; i < files_.size(); ++i) {
    std::wstring path = GetModuleFolder() + files_[i];
    // A file that was there but could not be read is left alone rather than lost.
    if (saved_[i]) {
      (void)WriteFileBytes(path, *saved_[i]);
    } else if (absent_[i]) {
      DeleteFileW(path.c_str());
    }
  }
}
