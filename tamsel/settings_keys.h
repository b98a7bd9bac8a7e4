#pragma once

#include <cstdint>
#include <string>

#include "stored_settings.h"

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
