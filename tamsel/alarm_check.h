#pragma once

#include "local_time.h"
#include "stored_settings.h"

// What the alarm check keeps between paints.
struct AlarmCheck {
  bool played = false;  // sounded in this second 0 (or in this late first check)
  int lastMinute = -1;  // minute of the day of the previous check; -1 before the first
};
// Whether the alarm sounds in this check: in second 0 of its minute, or at the first check of
// that minute when a busy machine let second 0 pass unchecked; at most once a minute.
bool AlarmDue(AlarmCheck& check, const Settings& settings, const LocalTime& now);
