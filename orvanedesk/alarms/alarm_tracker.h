#pragma once

#include <cstdint>
#include <vector>

#include "alarms/message_record.h"
#include "alarms/schedule.h"
#include "local_time.h"

// The alarm work of the one-second tick, apart from any drawing, so it runs also while the
// window is minimized: keeping the hour's candidates for the current hour, and the minute check
// with its catch-up.
class CAlarmTracker {
 public:
  // The start minute counts as checked, so nothing fires in it.
  explicit CAlarmTracker(const LocalTime& start);

  // hourMessages was just rebuilt from the whole list for `now`'s hour.
  void Rebuilt(const LocalTime& now);

  // Runs once per tick. Walks only hourMessages unless the hour changed (or minutes of an
  // earlier hour are caught up); then it rebuilds from messages first.
  // What fell due, for one popup; empty when nothing did.
  DueMessages Tick(const LocalTime& now, const std::vector<CMessageRecord>& messages,
                   std::vector<CMessageRecord>& hourMessages);

  // How far back a tick catches up missed minutes, its own minute included.
  static constexpr long long kCatchUpMinutes = 60;

 private:
  bool Checked(long long minute) const;
  void MarkChecked(long long minute);

  long long lastTick_;        // minute of the last tick
  long long latest_;          // latest minute checked
  std::uint64_t recent_ = 1;  // bit i: minute latest_ - i was checked (the catch-up hour only)
  long long builtHour_ = -1;  // hour the candidates belong to
};

// Minutes since 1970-01-01 00:00 of a local time, and back (the weekday recomputed).
long long MinuteNumber(const LocalTime& t);
LocalTime TimeOfMinute(long long minuteNumber);
