#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "local_time.h"

// The character clock's stored settings and its daily alarm.

struct Settings {
  bool pinned = false;
  bool onTop = false;
  bool hour24 = false;
  bool alarmActive = false;
  int alarmHour = 12;
  int alarmMinute = 0;
  std::string alarmFile;  // code page 932, at most kAlarmFileMax bytes
  int x = 0, y = 0;       // top-left corner of the window
};

constexpr size_t kAlarmFnSize = 256;
constexpr size_t kAlarmFileMax = kAlarmFnSize - 1;

uint32_t ComposeOption(const Settings& settings);
void ApplyOption(uint32_t option, Settings& settings);
uint32_t PackPosition(int x, int y);
void ApplyPosition(uint32_t position, Settings& settings);

// The text of a stored "AlarmFn" value of any length: up to its first zero, cut to what the
// 256-byte buffer holds without splitting a double-byte character.
std::string AlarmFileFromValue(std::string_view value);
// The 256 bytes stored as "AlarmFn": the text, then zeros.
std::string AlarmFnValue(const std::string& file);
// Cuts a text to at most `limit` bytes without splitting a double-byte character.
std::string CutCp932(std::string_view text, size_t limit);

// The values one registry key holds; a value that is missing or unusable stays empty.
struct StoredValues {
  std::optional<uint32_t> position, option;
  std::optional<std::string> alarmFn;  // as read, up to its first zero
};

// The two places the settings may live: the shared key every user reads, and the current
// user's own copy, made when the shared one cannot be written.
enum class KeyPlace { kShared, kUser };

class SettingsKeys {
 public:
  virtual ~SettingsKeys() = default;
  virtual bool Exists(KeyPlace place) = 0;
  // False when the key cannot be opened.
  virtual bool Read(KeyPlace place, StoredValues& values) = 0;
  // Creates or opens the key and writes all three values; false when any step fails.
  virtual bool Write(KeyPlace place, uint32_t position, uint32_t option,
                     const std::string& alarmFn) = 0;
};

Settings LoadSettings(SettingsKeys& keys);
// True when at least one copy was written.
bool SaveSettings(SettingsKeys& keys, const Settings& settings);

// What the alarm check keeps between paints.
struct AlarmCheck {
  bool played = false;  // sounded in this second 0 (or in this late first check)
  int lastMinute = -1;  // minute of the day of the previous check; -1 before the first
};
// Whether the alarm sounds in this check: in second 0 of its minute, or at the first check of
// that minute when a busy machine let second 0 pass unchecked; at most once a minute.
bool AlarmDue(AlarmCheck& check, const Settings& settings, const LocalTime& now);

// A number typed into the ALARM dialog: at most the first two characters count, leading
// blanks and a sign are allowed, no digits reads 0.
int ReadDialogNumber(std::wstring_view text);
