// Soak: the desk clock, the first character clock and the picture clock run side by side for
// many simulated hours under a fast wall clock (the test command starts the run's shared clock
// early on Tuesday 8 December 2026 and speeds it up; the windows' timers keep real time, so
// a one-second tick sees a minute or more pass).
// They are the probe builds, which count the handles their owners hold and the sounds they
// start. Every due alarm must come exactly once per matching minute; memory, handles and windows
// must not grow; every program must still answer and end cleanly at the close.
//
// SOAK_SECONDS (real seconds, default 75) sets the length; SOAK_REPORT names a file that gets
// every sample as CSV.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "e2e_support.h"
#include "line_file.h"
#include "testing/program_files.h"
#include "testing/silent_wave.h"
#include "win/probe.h"
#include "win/raii.h"

namespace {

// The message popup's controls.
constexpr int kOk = 1;
constexpr int kNext = 1040;
constexpr int kTitle = 1042;
constexpr WPARAM kExitCommand = 1000;  // the character clock's EXIT

const std::string kDaily = "\x96\x88\x93\xfa";
const std::string kWeekly = "\x96\x88\x8f\x54";
const std::string kHourly = "\x96\x88\x8e\x9e";
const std::string kAtTime = "\x8e\x77\x92\xe8\x82\xcc\x8e\x9e\x8d\x8f";

const wchar_t kWave[] = L"soak_silence.wav";
const wchar_t kTamselKey[] = L".DEFAULT\\Software\\brindlewick\\tamsela";
const wchar_t kTamselUserKey[] = L"Software\\brindlewick\\tamsela";

std::string Item(const std::string& title, const std::string& alarm, const std::string& dateUnit,
                 const std::string& dateDetail, const std::string& timeUnit,
                 const std::string& timeDetail) {
  return title + "\r\n" + alarm + "\r\n[\r\n" + title + " message\r\n]\r\n" + dateUnit + "\r\n" +
         dateDetail + "\r\n" + timeUnit + "\r\n" + timeDetail + "\r\n";
}

// Minutes since 1601, the wall clock as this driver (and every program of the run) sees it.
long long NowMinute() {
  FILETIME ft;
  SYSTEMTIME st;
  GetLocalTime(&st);
  SystemTimeToFileTime(&st, &ft);
  ULARGE_INTEGER v{{ft.dwLowDateTime, ft.dwHighDateTime}};
  return static_cast<long long>(v.QuadPart / 600000000ULL);
}

SYSTEMTIME TimeOfMinute(long long minute) {
  ULARGE_INTEGER v;
  v.QuadPart = static_cast<ULONGLONG>(minute) * 600000000ULL;
  FILETIME ft{v.LowPart, v.HighPart};
  SYSTEMTIME st;
  FileTimeToSystemTime(&ft, &st);
  return st;
}

std::string Clock(long long minute) {
  SYSTEMTIME t = TimeOfMinute(minute);
  char text[32];
  std::snprintf(text, sizeof text, "%02d %02d:%02d", t.wDay, t.wHour, t.wMinute);
  return text;
}

// The schedule of the run: what falls due in a minute.
struct Due {
  int hourly = 0, daily = 0, weekly = 0, timeSignal = 0, tamsel = 0;
  bool any() const { return hourly || daily || weekly || timeSignal || tamsel; }
};
Due DueIn(long long minute) {
  SYSTEMTIME t = TimeOfMinute(minute);
  Due d;
  d.hourly = t.wMinute == 5;
  d.daily = t.wHour == 7 && t.wMinute == 0;
  d.weekly = t.wDayOfWeek == 3 && t.wHour == 5 && t.wMinute == 15;
  d.timeSignal = t.wMinute == 0;
  d.tamsel = t.wHour == 7 && t.wMinute == 0;
  return d;
}
// The run starts and ends only with nothing due three minutes either side, so no count hangs
// on exactly which minute a program saw first or last.
bool QuietMinute(long long minute) {
  for (long long m = minute - 3; m <= minute + 3; ++m)
    if (DueIn(m).any()) return false;
  return true;
}

// No event in this minute or the three before: a sound's buffers and a popup are gone again.
bool AtRest(long long minute) {
  for (long long m = minute - 3; m <= minute; ++m)
    if (DueIn(m).any()) return false;
  return true;
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

// The Linux process behind a Windows one, found by the program's full path in /proc (Wine
// gives it as the command line), for its resident memory.
std::optional<std::string> ReadProcFile(const std::wstring& path) {
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr));
  if (!file) return std::nullopt;
  std::string text;
  char buffer[4096];
  DWORD got = 0;
  while (ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr) && got > 0)
    text.append(buffer, got);
  return text;
}

std::wstring UnixProcess(const std::wstring& exe) {
  std::string needle = Narrow(DriverFolder() + exe);
  std::transform(needle.begin(), needle.end(), needle.begin(), ::tolower);
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(L"Z:\\proc\\*", &found);
  if (find == INVALID_HANDLE_VALUE) return L"";
  std::wstring result;
  do {
    std::wstring name = found.cFileName;
    if (name.empty() || name.find_first_not_of(L"0123456789") != std::wstring::npos) continue;
    auto cmdline = ReadProcFile(L"Z:\\proc\\" + name + L"\\cmdline");
    if (!cmdline) continue;
    std::string lower = *cmdline;
    std::transform(lower.begin(), lower.end(), lower.begin(), ::tolower);
    if (lower.rfind(needle, 0) == 0) {
      result = name;
      break;
    }
  } while (FindNextFileW(find, &found));
  FindClose(find);
  return result;
}

long RssKb(const std::wstring& unixPid) {
  if (unixPid.empty()) return -1;
  auto status = ReadProcFile(L"Z:\\proc\\" + unixPid + L"\\status");
  if (!status) return -1;
  size_t at = status->find("VmRSS:");
  return at == std::string::npos ? -1 : std::atol(status->c_str() + at + 6);
}

// Every window of a process, top-level and child.
int WindowsOf(DWORD pid) {
  struct Args {
    DWORD pid;
    int count;
  } args{pid, 0};
  EnumWindows(
      [](HWND hwnd, LPARAM lParam) {
        auto* a = reinterpret_cast<Args*>(lParam);
        DWORD owner = 0;
        GetWindowThreadProcessId(hwnd, &owner);
        if (owner != a->pid) return TRUE;
        ++a->count;
        EnumChildWindows(
            hwnd, [](HWND, LPARAM p) { return ++*reinterpret_cast<int*>(p), TRUE; },
            reinterpret_cast<LPARAM>(&a->count));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&args));
  return args.count;
}

struct Sample {
  double seconds;
  long long minute;
  long rssKb;
  long counts[kProbeKinds];
  int windows;
};

struct Soaked {
  Soaked(const wchar_t* exeName, const wchar_t* className) : exe(exeName), windowClass(className) {}
  const wchar_t* exe;
  const wchar_t* windowClass;
  std::unique_ptr<Program> program;
  HWND hwnd = nullptr;
  std::wstring unixPid;
  std::vector<Sample> samples;
  bool answered = true;
};

UINT ProbeMessage() {
  static const UINT message = RegisterWindowMessageW(kProbeMessageName);
  return message;
}

bool Probe(HWND hwnd, ProbeKind kind, long& value) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(hwnd, ProbeMessage(), static_cast<WPARAM>(kind), 0, SMTO_ABORTIFHUNG,
                           10000, &result))
    return false;
  value = static_cast<long>(static_cast<LRESULT>(result));
  return true;
}

// One sample of a program; false when it no longer answers.
bool TakeSample(Soaked& clock, double seconds, Sample& sample) {
  sample = Sample{seconds, NowMinute(), RssKb(clock.unixPid), {}, WindowsOf(clock.program->id())};
  for (int k = 0; k < kProbeKinds; ++k)
    if (!Probe(clock.hwnd, static_cast<ProbeKind>(k), sample.counts[k])) return false;
  return true;
}

// Pages through every open popup of the desk clock and closes it, counting each page's title.
void MeetPopups(const Soaked& desk, std::map<std::wstring, int>& seen,
                std::vector<std::string>& log) {
  for (HWND popup : desk.program->Windows(L"#32770")) {
    for (int page = 0; page < 20 && IsWindow(popup); ++page) {
      std::wstring title = WindowTitle(GetDlgItem(popup, kTitle));
      if (!title.empty() && title[0] == L' ') title.erase(0, 1);
      ++seen[title];
      log.push_back(Clock(NowMinute()) + " " + Narrow(title));
      HWND next = GetDlgItem(popup, kNext);
      HWND button = IsWindowVisible(next) ? next : GetDlgItem(popup, kOk);
      SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 10000, nullptr);
    }
  }
}

// Highest value of a column over the samples from..to (fractions of the run).
long Highest(const std::vector<Sample>& samples, double from, double to, long Sample::*field,
             int index = -1) {
  long best = -1;
  size_t n = samples.size();
  for (size_t i = static_cast<size_t>(from * n); i < static_cast<size_t>(to * n); ++i) {
    long v = index < 0 ? samples[i].*field : samples[i].counts[index];
    best = std::max(best, v);
  }
  return best;
}

const char* kKindNames[kProbeKinds] = {"gdi", "user", "kernel", "sounds"};

void PrintCurve(const Soaked& clock) {
  std::printf("%s: minute, RSS KB, gdi, user, kernel, windows\n", Narrow(clock.exe).c_str());
  size_t n = clock.samples.size();
  for (size_t j = 0; j < 8 && n; ++j) {
    const Sample& s = clock.samples[std::min(n - 1, j * (n - 1) / 7)];
    std::printf("  %s  %6ld  %3ld %3ld %3ld  %3d\n", Clock(s.minute).c_str(), s.rssKb, s.counts[0],
                s.counts[1], s.counts[2], s.windows);
  }
}

void WriteReport(const std::vector<Soaked*>& clocks) {
  const char* path = std::getenv("SOAK_REPORT");
  if (!path || !*path) return;
  std::string csv = "program,seconds,clock,rss_kb,gdi,user,kernel,sounds,windows\n";
  for (const Soaked* c : clocks)
    for (const Sample& s : c->samples) {
      char line[160];
      std::snprintf(line, sizeof line, "%s,%.1f,%s,%ld,%ld,%ld,%ld,%ld,%d\n",
                    Narrow(c->exe).c_str(), s.seconds, Clock(s.minute).c_str(), s.rssKb,
                    s.counts[0], s.counts[1], s.counts[2], s.counts[3], s.windows);
      csv += line;
    }
  std::wstring wide(path, path + std::strlen(path));
  (void)WriteFileBytes(wide, csv);
}

class TamselSettings {
 public:
  explicit TamselSettings(const std::wstring& wave) {
    HKEY created = nullptr;
    EXPECT_EQ(RegCreateKeyExW(HKEY_USERS, kTamselKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &created, nullptr),
              ERROR_SUCCESS);
    RegKey key(created);
    // Alarm 7:00, active, beside the desk clock.
    DWORD option = ((7u * 64u + 0u) << 21) | 2u, position = 240;
    RegSetValueExW(key.get(), L"Position", 0, REG_DWORD, reinterpret_cast<BYTE*>(&position), 4);
    RegSetValueExW(key.get(), L"Option", 0, REG_DWORD, reinterpret_cast<BYTE*>(&option), 4);
    RegSetValueExW(key.get(), L"AlarmFn", 0, REG_SZ, reinterpret_cast<const BYTE*>(wave.c_str()),
                   static_cast<DWORD>((wave.size() + 1) * sizeof(wchar_t)));
  }

 private:
  RegistryKeyGuard shared_{HKEY_USERS, kTamselKey};
  RegistryKeyGuard user_{HKEY_CURRENT_USER, kTamselUserKey};
};

TEST(Soak, ClocksRunManyHoursWithoutLeaksOrMissedAlarms) {
  double seconds = 75;
  if (const char* s = std::getenv("SOAK_SECONDS")) seconds = std::max(20.0, std::atof(s));

  ProgramFilesGuard files({L"Message.ini", L"Sound.ini", L"Show.ini", L"tickmoth_probe.INI", kWave},
                          L"Software\\HARBOR LAMP\\orvanedesk_probe");
  std::wstring wave = DriverFolder() + kWave;
  ASSERT_TRUE(WriteFileBytes(wave, SilentWave()));
  std::string wavePath = Narrow(wave);
  // An hourly item with a sound, a daily and a Wednesday item without; the time signal plays
  // the same silent wave.
  ASSERT_TRUE(WriteFileBytes(DriverFolder() + L"Message.ini",
                             Item("hourly", wavePath, kDaily, "NULL", kHourly, "5") +
                                 Item("daily", "NULL", kDaily, "NULL", kAtTime, "7:0") +
                                 Item("wednesday", "NULL", kWeekly, "3", kAtTime, "5:15")));
  ASSERT_TRUE(WriteFileBytes(DriverFolder() + L"Sound.ini",
                             "[Boot]\r\n[Exit]\r\n[Time]\r\n" + wavePath + "\r\n[Away]\r\n"));
  ASSERT_TRUE(WriteFileBytes(DriverFolder() + L"tickmoth_probe.INI",
                             "[Position]\r\nXpos=560\r\nYpos=40\r\n"));
  TamselSettings tamselSettings(wave);

  Soaked desk{L"orvanedesk_probe.exe", L"OrvaneDeskClock"};
  Soaked tamsel{L"tamsela_probe.exe", L"TAMSELWND"};
  Soaked moth{L"tickmoth_probe.exe", L"TickmothClock"};
  std::vector<Soaked*> clocks{&desk, &tamsel, &moth};
  for (Soaked* c : clocks) {
    c->program = std::make_unique<Program>(c->exe);
    ASSERT_TRUE(c->program->started()) << Narrow(c->exe);
  }
  for (Soaked* c : clocks) {
    c->hwnd = c->program->WaitForWindow(c->windowClass, 30000);
    ASSERT_NE(c->hwnd, nullptr) << Narrow(c->exe);
    c->unixPid = UnixProcess(c->exe);
  }
  long long start = NowMinute();
  ASSERT_TRUE(QuietMinute(start)) << "the run must start away from every item, not at "
                                  << Clock(start);

  std::map<std::wstring, int> seen;
  std::vector<std::string> log;
  DWORD began = GetTickCount();
  DWORD lastSample = 0;
  auto elapsed = [&] { return (GetTickCount() - began) / 1000.0; };
  bool alive = true;
  while (alive && (elapsed() < seconds || !QuietMinute(NowMinute()))) {
    MeetPopups(desk, seen, log);
    if (GetTickCount() - lastSample >= 2000) {
      lastSample = GetTickCount();
      for (Soaked* c : clocks) {
        if (c->program->WaitForExit(0)) {
          ADD_FAILURE() << Narrow(c->exe) << " ended during the soak at " << Clock(NowMinute());
          alive = false;
          break;
        }
        Sample s;
        if (!TakeSample(*c, elapsed(), s)) {
          ADD_FAILURE() << Narrow(c->exe) << " stopped answering at " << Clock(NowMinute());
          alive = false;
          break;
        }
        // A popup that opened meanwhile would count as growth; such a sample is left out.
        if (c == &desk && !desk.program->Windows(L"#32770").empty()) continue;
        c->samples.push_back(s);
      }
    }
    Sleep(100);
  }
  long long end = NowMinute();
  MeetPopups(desk, seen, log);
  WriteReport(clocks);

  // Memory and handles are compared once every kind of event has come (the first sound, say,
  // loads the sound system; the weekday item is a popup like the daily one): the highest values
  // of the rest's second half against its first, from samples taken at rest.
  Due expected;
  long long warmedUp = start;
  for (long long m = start; m <= end; ++m) {
    Due d = DueIn(m);
    if ((d.hourly && !expected.hourly) || (d.daily && !expected.daily) ||
        (d.timeSignal && !expected.timeSignal) || (d.tamsel && !expected.tamsel))
      warmedUp = m + 2;
    expected.hourly += d.hourly;
    expected.daily += d.daily;
    expected.weekly += d.weekly;
    expected.timeSignal += d.timeSignal;
    expected.tamsel += d.tamsel;
  }
  std::printf("soak from %s to %s (%lld simulated minutes, %.0f s)\n", Clock(start).c_str(),
              Clock(end).c_str(), end - start, elapsed());
  for (const std::string& line : log) std::printf("  popup %s\n", line.c_str());
  EXPECT_EQ(seen[L"hourly"], expected.hourly);
  EXPECT_EQ(seen[L"daily"], expected.daily);
  EXPECT_EQ(seen[L"wednesday"], expected.weekly);
  int titles = 0;
  for (const auto& entry : seen) titles += entry.second > 0;
  EXPECT_EQ(titles, (expected.hourly > 0) + (expected.daily > 0) + (expected.weekly > 0))
      << "a popup of an unknown item";

  std::printf("warmed up at %s\n", Clock(warmedUp).c_str());
  for (Soaked* c : clocks) {
    PrintCurve(*c);
    std::vector<Sample> measured;
    for (const Sample& s : c->samples)
      if (s.minute >= warmedUp && AtRest(s.minute)) measured.push_back(s);
    ASSERT_GE(measured.size(), 8u) << Narrow(c->exe);
    long firstRss = Highest(measured, 0, 0.5, &Sample::rssKb);
    long secondRss = Highest(measured, 0.5, 1, &Sample::rssKb);
    std::printf("  RSS highest %ld KB in the first half, %ld KB in the second\n", firstRss,
                secondRss);
    EXPECT_GT(firstRss, 0) << "no resident memory read for " << Narrow(c->exe);
    EXPECT_LE(secondRss, firstRss + std::max(1024L, firstRss / 50)) << Narrow(c->exe);
    for (int k = 0; k < 3; ++k) {
      long a = Highest(measured, 0, 0.5, nullptr, k), b = Highest(measured, 0.5, 1, nullptr, k);
      EXPECT_LE(b, a) << Narrow(c->exe) << " holds more " << kKindNames[k] << " objects";
      EXPECT_GE(c->samples.back().counts[k], 0)
          << Narrow(c->exe) << " released more " << kKindNames[k] << " objects than it made";
    }
    int windows[2] = {0, 0};
    size_t n = measured.size();
    for (size_t i = 0; i < n; ++i)
      windows[i >= n / 2] = std::max(windows[i >= n / 2], measured[i].windows);
    EXPECT_LE(windows[1], windows[0]) << Narrow(c->exe) << " has more windows";
  }
  // Sounds started: the desk clock's hourly items and the character clock's alarm, each once.
  // At ninety times the real pace a one-second tick can step over a minute 0, which rightly
  // plays no time signal, so those are at most one an hour.
  const int timeSignals = desk.samples.back().counts[3] - expected.hourly;
  EXPECT_GE(timeSignals, 0);
  EXPECT_LE(timeSignals, expected.timeSignal);
  EXPECT_EQ(tamsel.samples.back().counts[3], expected.tamsel);

  PostMessageW(desk.hwnd, WM_CLOSE, 0, 0);
  PostMessageW(tamsel.hwnd, WM_COMMAND, kExitCommand, 0);
  PostMessageW(moth.hwnd, WM_CLOSE, 0, 0);
  for (Soaked* c : clocks) {
    ASSERT_TRUE(c->program->WaitForExit(15000)) << Narrow(c->exe) << " did not end";
    DWORD code = 1;
    GetExitCodeProcess(c->program->process(), &code);
    EXPECT_EQ(code, 0u) << Narrow(c->exe);
  }
}

}  // namespace
