#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "framework/app.h"
#include "line_file.h"
#include "win/system.h"

// The application object of the window tests: its profile is the registry key the desk clock
// saves to, under this test program's name.
class TestApplication : public CApplication {
 public:
  TestApplication() { SetRegistryKey(L"HARBOR LAMP"); }
  static TestApplication& Get() {
    static TestApplication app;
    return app;
  }
  static const wchar_t* Key() { return L"Software\\HARBOR LAMP\\orvanedesk_shell_test"; }

 protected:
  bool InitInstance() override { return true; }
};

// Keeps a test's loads and saves from leaving anything behind: the text files beside the
// program come back as they were and the test program's registry key starts and ends absent.
class ProgramFolderGuard {
 public:
  ProgramFolderGuard() {
    TestApplication::Get();
    for (const wchar_t* name : kFiles) {
      FilePath path = GetModuleFolder() + name;
      absent_.push_back(GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES);
      saved_.push_back(ReadFileBytes(path));
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, TestApplication::Key());
  }
  ~ProgramFolderGuard() {
    for (size_t i = 0; i < saved_.size(); ++i) {
      FilePath path = GetModuleFolder() + kFiles[i];
      // A file that was there but could not be read is left alone rather than lost.
      if (saved_[i]) {
        (void)WriteFileBytes(path, *saved_[i]);
      } else if (absent_[i]) {
        DeleteFileW(path.c_str());
      }
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, TestApplication::Key());
  }
  ProgramFolderGuard(const ProgramFolderGuard&) = delete;
  ProgramFolderGuard& operator=(const ProgramFolderGuard&) = delete;

 private:
  static constexpr const wchar_t* kFiles[] = {L"Sound.ini", L"Show.ini", L"Illust.ini",
                                              L"Message.ini"};
  std::vector<std::optional<std::string>> saved_;
  std::vector<bool> absent_;
};
