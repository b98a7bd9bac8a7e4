#include "stored_settings.h"

#include <algorithm>

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
