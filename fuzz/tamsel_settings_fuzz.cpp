// The character clock's registry values: any values of any size load, the settings they give
// save and load back unchanged, and the stored alarm file is never cut inside a double-byte
// character.
#include <fuzzer/FuzzedDataProvider.h>

#include "check.h"
#include "cp932.h"
#include "dialog_numbers.h"
#include "settings_keys.h"

namespace {

class MemoryKeys : public SettingsKeys {
 public:
  StoredValues stored[2];
  bool exists[2] = {false, false};
  bool writable[2] = {true, true};

  bool Exists(KeyPlace place) override { return exists[Index(place)]; }
  bool Read(KeyPlace place, StoredValues& values) override {
    if (!exists[Index(place)]) return false;
    values = stored[Index(place)];
    return true;
  }
  bool Write(KeyPlace place, uint32_t position, uint32_t option,
             const std::string& alarmFn) override {
    if (!writable[Index(place)]) return false;
    exists[Index(place)] = true;
    stored[Index(place)] = {position, option, alarmFn};
    return true;
  }

 private:
  static int Index(KeyPlace place) { return place == KeyPlace::kShared ? 0 : 1; }
};

bool Same(const Settings& a, const Settings& b) {
  return a.pinned == b.pinned && a.onTop == b.onTop && a.hour24 == b.hour24 &&
         a.alarmActive == b.alarmActive && a.alarmHour == b.alarmHour &&
         a.alarmMinute == b.alarmMinute && a.alarmFile == b.alarmFile && a.x == b.x && a.y == b.y;
}

// The cut keeps whole characters: stepping over them from the start lands on its end.
bool EndsOnCharacter(const std::string& text) {
  size_t at = 0;
  while (at < text.size()) at += IsCp932LeadByte(static_cast<unsigned char>(text[at])) ? 2 : 1;
  return at == text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  MemoryKeys keys;
  for (int i = 0; i < 2; ++i) {
    keys.exists[i] = in.ConsumeBool();
    keys.writable[i] = in.ConsumeBool();
    StoredValues& v = keys.stored[i];
    if (in.ConsumeBool()) v.position = in.ConsumeIntegral<uint32_t>();
    if (in.ConsumeBool()) v.option = in.ConsumeIntegral<uint32_t>();
    if (in.ConsumeBool()) v.alarmFn = in.ConsumeRandomLengthString(600);
  }

  Settings loaded = LoadSettings(keys);
  FUZZ_CHECK(loaded.alarmFile.size() <= kAlarmFileMax);
  FUZZ_CHECK(loaded.alarmFile.find('\0') == std::string::npos);
  FUZZ_CHECK(loaded.alarmHour >= 0 && loaded.alarmHour < 32);
  FUZZ_CHECK(loaded.alarmMinute >= 0 && loaded.alarmMinute < 64);

  if (SaveSettings(keys, loaded)) {
    FUZZ_CHECK(Same(LoadSettings(keys), loaded));
  }

  uint32_t option = in.ConsumeIntegral<uint32_t>();
  Settings s;
  ApplyOption(option, s);
  FUZZ_CHECK(ComposeOption(s) == (option & 0xFFE0000Fu));
  uint32_t position = in.ConsumeIntegral<uint32_t>();
  ApplyPosition(position, s);
  FUZZ_CHECK(PackPosition(s.x, s.y) == position);

  std::string text = in.ConsumeRandomLengthString(300);
  size_t limit = in.ConsumeIntegralInRange<size_t>(0, 300);
  std::string cut = CutCp932(text, limit);
  FUZZ_CHECK(cut.size() <= limit && text.compare(0, cut.size(), cut) == 0);
  // A text that fits is kept whole, even one ending in a lone lead byte.
  FUZZ_CHECK(EndsOnCharacter(cut) || cut == text);
  std::string value = AlarmFnValue(text);
  FUZZ_CHECK(value.size() == kAlarmFnSize);
  FUZZ_CHECK(AlarmFileFromValue(AlarmFnValue(AlarmFileFromValue(text))) ==
             AlarmFileFromValue(text));

  std::wstring typed;
  while (in.remaining_bytes() >= 2 && typed.size() < 8) typed += in.ConsumeIntegral<uint16_t>();
  int number = ReadDialogNumber(typed);
  FUZZ_CHECK(number > -100 && number < 100);
  return 0;
}
