#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

// Keeps a registry key absent while a test runs and after it: the key is removed at the start
// and at the end, and so is every parent key the test's run created that is empty again.
class RegistryKeyGuard {
 public:
  RegistryKeyGuard(HKEY root, std::wstring path);
  ~RegistryKeyGuard();
  RegistryKeyGuard(const RegistryKeyGuard&) = delete;
  RegistryKeyGuard& operator=(const RegistryKeyGuard&) = delete;

 private:
  HKEY root_;
  std::wstring path_;
  std::wstring existing_;  // the deepest parent that existed at the start
};

// Leaves the text files beside the running program as a test found them (restored or removed)
// and a key under the current user absent before and after, so what a program saves does not
// outlive the test.
class ProgramFilesGuard {
 public:
  ProgramFilesGuard(std::vector<std::wstring> files, std::wstring registryKey);
  ~ProgramFilesGuard();
  ProgramFilesGuard(const ProgramFilesGuard&) = delete;
  ProgramFilesGuard& operator=(const ProgramFilesGuard&) = delete;

 private:
  std::vector<std::wstring> files_;
  std::vector<std::optional<std::string>> saved_;
  std::vector<bool> absent_;
  RegistryKeyGuard key_;
};

// The desk clock's text files beside its program.
inline std::vector<std::wstring> DeskClockFiles() {
  return {L"Sound.ini", L"Show.ini", L"Illust.ini", L"Message.ini"};
}
