#include "settings_keys.h"

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
