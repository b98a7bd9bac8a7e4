#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The character clock's settings and the layout of the three registry values that hold them.

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
