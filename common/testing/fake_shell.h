#pragma once

#include <windows.h>
#include <shellapi.h>

#include <utility>

// A stand-in for the shell's notification area: it does not answer its first `busy` requests,
// and takes an icon added while reporting that time-out when `takesWhileBusy`.
struct FakeShell {
  int busy = 0;
  bool takesWhileBusy = false;
  bool hasIcon = false;
  int requests = 0;
};
inline FakeShell g_shell;

inline BOOL WINAPI FakeNotify(DWORD message, PNOTIFYICONDATAW) {
  ++g_shell.requests;
  if (g_shell.busy > 0) {
    --g_shell.busy;
    if (message == NIM_ADD && g_shell.takesWhileBusy) g_shell.hasIcon = true;
    return FALSE;
  }
  switch (message) {
    case NIM_ADD:
      return !g_shell.hasIcon && (g_shell.hasIcon = true);
    case NIM_MODIFY:
      return g_shell.hasIcon;
    case NIM_DELETE:
      return std::exchange(g_shell.hasIcon, false);
  }
  return FALSE;
}
