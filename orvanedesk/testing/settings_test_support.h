#pragma once

#include <windows.h>

#include "framework/app.h"
#include "line_file.h"
#include "testing/program_files.h"
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
struct ProgramFolderGuard : ProgramFilesGuard {
  ProgramFolderGuard() : ProgramFilesGuard(DeskClockFiles(), TestApplication::Key()) {
    TestApplication::Get();
  }
};
