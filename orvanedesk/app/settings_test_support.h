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
    for (const wchar_t* name : kFiles) saved_.push_back(ReadFileBytes(GetModuleFolder() + name));
    RegDeleteTreeW(HKEY_CURRENT_USER, TestApplication::Key());
  }
  ~ProgramFolderGuard() {
    for (size_t i = 0; i < saved_.size(); ++i) {
      FilePath path = GetModuleFolder() + kFiles[i];
      if (saved_[i]) {
        (void)WriteFileBytes(path, *saved_[i]);
      } else {
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
};
