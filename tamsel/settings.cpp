#include "settings.h"

#include <algorithm>
#include <cwctype>

#include "cp932.h"

namespace {

constexpr int kHourShift = 27;
constexpr int kMinuteShift = 21;

int16_t Low16(uint32_t value) { return static_cast<int16_t>(value & 0xFFFF); }

}  // namespace

uint32_t ComposeOption(const Settings& s) {
  uint32_t time = (static_cast<uint32_t>(s.alarmHour) & 31) << kHourShift |
                  (static_cast<uint32_t>(s.alarmMinute) & 63) << kMinuteShift;
  return time | (s.onTop ? 8u : 0u) | (s.hour24 ? 4u : 0u) | (s.alarmActive ? 2u : 0u) |
         (s.pinned ? 1u : 0u);
}

void ApplyOption(uint32_t option, Settings& s) {
  s.alarmHour = static_cast<int>(option >> kHourShift);
  s.alarmMinute = static_cast<int>(option >> kMinuteShift & 63);
  s.pinned = option & 1;
  s.alarmActive = option & 2;
  s.hour24 = option & 4;
  s.onTop = option & 8;
}

uint32_t PackPosition(int x, int y) {
  return static_cast<uint32_t>(static_cast<uint16_t>(x)) |
         static_cast<uint32_t>(static_cast<uint16_t>(y)) << 16;
}

void ApplyPosition(uint32_t position, Settings& s) {
  s.x = Low16(position);
  s.y = Low16(position >> 16);
}

std::string CutCp932(std::string_view text, size_t limit) {
  size_t end = 0;
  while (end < text.size()) {
    size_t step = IsCp932LeadByte(static_cast<unsigned char>(text[end])) ? 2 : 1;
    if (end + step > limit) break;
    end += step;
  }
  return std::string(text.substr(0, std::min(end, text.size())));
}

std::string AlarmFileFromValue(std::string_view value) {
  size_t zero = value.find('\0');
  if (zero != std::string_view::npos) value = value.substr(0, zero);
  return CutCp932(value, kAlarmFileMax);
}

std::string AlarmFnValue(const std::string& file) {
  std::string value = CutCp932(file, kAlarmFileMax);
  value.resize(kAlarmFnSize, '\0');
  return value;
}

Settings LoadSettings(SettingsKeys& keys) {
  Settings s;
  StoredValues stored;
  // The user's own copy is newer than the shared key whenever it exists: every save since it
  // was made has written it.
  if (!keys.Read(KeyPlace::kUser, stored) && !keys.Read(KeyPlace::kShared, stored)) return s;
  ApplyPosition(stored.position.value_or(0), s);
  ApplyOption(stored.option.value_or(0), s);
  s.alarmFile = stored.alarmFn ? AlarmFileFromValue(*stored.alarmFn) : std::string();
  return s;
}

bool SaveSettings(SettingsKeys& keys, const Settings& s) {
  uint32_t position = PackPosition(s.x, s.y);
  uint32_t option = ComposeOption(s);
  std::string alarmFn = AlarmFnValue(s.alarmFile);
  bool shared = keys.Write(KeyPlace::kShared, position, option, alarmFn);
  // A user without the right to write the shared key keeps a copy of their own; once it exists
  // it is the one loaded, so it must never fall behind.
  if (shared && !keys.Exists(KeyPlace::kUser)) return true;
  bool user = keys.Write(KeyPlace::kUser, position, option, alarmFn);
  return shared || user;
}

bool AlarmDue(AlarmCheck& check, const Settings& s, const LocalTime& now) {
  // A check in a new minute after its second 0 means no paint came in that second (a busy
  // machine, a held-up timer): it stands in for it rather than losing the day's alarm. The
  // very first check does not, so a clock started in its alarm minute stays quiet.
  int minuteOfDay = now.hour * 60 + now.minute;
  bool lateFirst = check.lastMinute >= 0 && check.lastMinute != minuteOfDay;
  check.lastMinute = minuteOfDay;
  if (s.alarmActive && now.hour == s.alarmHour && now.minute == s.alarmMinute &&
      (now.second == 0 || lateFirst)) {
    if (check.played) return false;
    check.played = true;
    return true;
  }
  if (now.second > 0) check.played = false;
  return false;
}

int ReadDialogNumber(std::wstring_view text) {
  text = text.substr(0, 2);
  size_t i = 0;
  while (i < text.size() && std::iswspace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  int value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
    value = value * 10 + (text[i] - L'0');
  return negative ? -value : value;
}
