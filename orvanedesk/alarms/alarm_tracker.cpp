#include "alarms/alarm_tracker.h"

#include <algorithm>

namespace {

// Days since 1970-01-01 of a proleptic Gregorian date (Howard Hinnant's civil calendar).
long long DaysFromCivil(long long y, int m, int d) {
  y -= m <= 2;
  const long long era = (y >= 0 ? y : y - 399) / 400;
  const long long yoe = y - era * 400;
  const long long doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const long long doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + doe - 719468;
}

long long FloorDiv(long long a, long long b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

}  // namespace

long long MinuteNumber(const LocalTime& t) {
  return DaysFromCivil(t.year, t.month, t.day) * 1440 + t.hour * 60 + t.minute;
}

LocalTime TimeOfMinute(long long minuteNumber) {
  long long days = FloorDiv(minuteNumber, 1440);
  int inDay = static_cast<int>(minuteNumber - days * 1440);
  long long z = days + 719468;
  const long long era = (z >= 0 ? z : z - 146096) / 146097;
  const long long doe = z - era * 146097;
  const long long yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const long long doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const long long mp = (5 * doy + 2) / 153;
  LocalTime t;
  t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
  t.weekday = static_cast<int>(days + 4 - FloorDiv(days + 4, 7) * 7);  // 1970-01-01: Thursday
  t.hour = inDay / 60;
  t.minute = inDay % 60;
  return t;
}

CAlarmTracker::CAlarmTracker(const LocalTime& start)
    : lastTick_(MinuteNumber(start)), latest_(MinuteNumber(start)) {}

void CAlarmTracker::Rebuilt(const LocalTime& now) { builtHour_ = FloorDiv(MinuteNumber(now), 60); }

bool CAlarmTracker::Checked(long long minute) const {
  const long long back = latest_ - minute;
  return back >= 0 && back < kCatchUpMinutes && ((recent_ >> back) & 1) != 0;
}

void CAlarmTracker::MarkChecked(long long minute) {
  if (minute > latest_) {
    const long long ahead = minute - latest_;
    recent_ = ahead < 64 ? recent_ << ahead : 0;
    latest_ = minute;
  }
  recent_ |= std::uint64_t{1} << (latest_ - minute);
}

// Minutes missed since the last tick (the timer held up, the computer asleep) are caught up here,
// oldest first, each item once. Only the minutes of the last hour that were really checked are
// remembered: a clock set back within that hour (the hour repeated at the end of summer time)
// fires nothing twice, and one set back further starts afresh instead of waiting for the wall
// clock to pass a minute it once showed.
DueMessages CAlarmTracker::Tick(const LocalTime& now, const std::vector<CMessageRecord>& messages,
                                std::vector<CMessageRecord>& hourMessages) {
  DueMessages due;
  const long long minute = MinuteNumber(now);
  if (minute == lastTick_) return due;
  const long long first =
      minute > lastTick_ ? std::max(lastTick_ + 1, minute - kCatchUpMinutes + 1) : minute;
  lastTick_ = minute;

  const long long hour = FloorDiv(minute, 60);
  if (hour != builtHour_) {
    hourMessages = BuildHourMessages(messages, now);
    builtHour_ = hour;
  }
  if (minute <= latest_ - kCatchUpMinutes) {
    recent_ = 0;
    latest_ = minute;
  }

  std::vector<CMessageRecord> earlierHour;
  long long earlierHourNumber = -1;
  for (long long m = first; m <= minute; ++m) {
    if (Checked(m)) continue;
    MarkChecked(m);
    const long long mHour = FloorDiv(m, 60);
    const std::vector<CMessageRecord>* candidates = &hourMessages;
    if (mHour != hour) {
      if (mHour != earlierHourNumber) {
        earlierHour = BuildHourMessages(messages, TimeOfMinute(m));
        earlierHourNumber = mHour;
      }
      candidates = &earlierHour;
    }
    const int minuteOfHour = static_cast<int>(m - mHour * 60);
    for (const CMessageRecord& r : *candidates) {
      if (DueInMinute(r, minuteOfHour)) AddDue(due, r);
    }
  }
  return due;
}
