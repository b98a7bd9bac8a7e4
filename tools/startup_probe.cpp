// Start-up time of windowed programs: starts each command line in turn, some rounds over, and
// prints one line per start:
//   <command line> <tab> <ms to visible> <tab> <ms to painted>
// "visible": the process has a visible top-level window. "painted": that window has no update
// region left and its thread has come back to its message loop (it answered a sent WM_NULL),
// so the first WM_PAINT has run. Both count from just before CreateProcess. Each program is
// then asked to close (WM_CLOSE) and waited for before the next start.
//   startup_probe.exe <rounds> <command line> [<command line> ...]
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

struct Found {
  DWORD pid;
  HWND hwnd;
};

BOOL CALLBACK FindVisible(HWND hwnd, LPARAM lParam) {
  auto* found = reinterpret_cast<Found*>(lParam);
  DWORD pid = 0;
  GetWindowThreadProcessId(hwnd, &pid);
  if (pid == found->pid && IsWindowVisible(hwnd)) {
    found->hwnd = hwnd;
    return FALSE;
  }
  return TRUE;
}

double MsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return (now.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
}

// One start: false when the program showed no painted window within the time allowed.
bool Measure(const std::wstring& command, double& visibleMs, double& paintedMs) {
  std::wstring line = command;  // CreateProcessW may write into it
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                      &pi)) {
    return false;
  }
  Found found{pi.dwProcessId, nullptr};
  visibleMs = paintedMs = -1;
  while (MsSince(start) < 30000) {
    if (!found.hwnd) {
      EnumWindows(FindVisible, reinterpret_cast<LPARAM>(&found));
      if (found.hwnd) visibleMs = MsSince(start);
    }
    if (found.hwnd) {
      DWORD_PTR ignored;
      SendMessageTimeoutW(found.hwnd, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
      if (!GetUpdateRect(found.hwnd, nullptr, FALSE)) {
        paintedMs = MsSince(start);
        break;
      }
    }
    if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;  // it ended early
  }
  if (found.hwnd) PostMessageW(found.hwnd, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(pi.hProcess, 15000) != WAIT_OBJECT_0) {
    TerminateProcess(pi.hProcess, 1);
    WaitForSingleObject(pi.hProcess, 5000);
  }
  CloseHandle(pi.hThread);
  CloseHandle(pi.hProcess);
  return paintedMs >= 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: startup_probe <rounds> <command line>...\n");
    return 2;
  }
  int rounds = _wtoi(argv[1]);
  int failures = 0;
  // Rounds alternate the programs, so a busy moment of the machine falls on all of them alike.
  for (int round = 0; round < rounds; ++round) {
    for (int i = 2; i < argc; ++i) {
      double visible = 0, painted = 0;
      if (Measure(argv[i], visible, painted)) {
        std::printf("%ls\t%.1f\t%.1f\n", argv[i], visible, painted);
      } else {
        std::printf("%ls\tfailed\tfailed\n", argv[i]);
        ++failures;
      }
      std::fflush(stdout);
      Sleep(300);  // let the ended process's teardown pass
    }
  }
  return failures ? 1 : 0;
}
