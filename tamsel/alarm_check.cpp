#include "alarm_check.h"

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
