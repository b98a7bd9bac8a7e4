#include "alarms/alarm_tracker.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <sstream>

namespace {

CMessageRecord Item(std::string title, std::string timeUnit, std::string timeDetail,
                    std::string dateUnit = kDaily, std::string dateDetail = "NULL") {
  return {title, "NULL", "m", dateUnit, dateDetail, timeUnit, timeDetail};
}

// 2026-12-09 is a Wednesday.
LocalTime At(int day, int hour, int minute, int second = 0) {
  LocalTime t{2026, 12, day, (day - 9 + 3 + 70) % 7, hour, minute, second};
  return t;
}

std::vector<std::string> Titles(const DueMessages& due) {
  std::vector<std::string> titles;
  for (const auto& r : due.records) titles.push_back(r.title);
  return titles;
}

// A candidate that never falls due and that only a rebuild of the hour's candidates drops.
const CMessageRecord kMarker = Item("marker", "never", "0");

struct Clock {
  explicit Clock(LocalTime start, std::vector<CMessageRecord> list)
      : messages(std::move(list)), tracker(start) {
    hour = BuildHourMessages(messages, start);
    tracker.Rebuilt(start);
  }
  // One tick; `rebuilt` tells whether it rebuilt the hour's candidates from the list.
  DueMessages Tick(LocalTime now) {
    hour.push_back(kMarker);
    DueMessages due = tracker.Tick(now, messages, hour);
    rebuilt = hour.empty() || !(hour.back() == kMarker);
    if (!rebuilt) hour.pop_back();
    return due;
  }
  std::vector<CMessageRecord> messages, hour;
  CAlarmTracker tracker;
  bool rebuilt = false;
};

TEST(MinuteNumbers, RoundTripThroughCalendarAndWeekday) {
  LocalTime t = At(9, 23, 59);
  EXPECT_EQ(TimeOfMinute(MinuteNumber(t)).weekday, 3);
  LocalTime next = TimeOfMinute(MinuteNumber(LocalTime{2024, 12, 31, 2, 23, 59, 0}) + 1);
  EXPECT_EQ(next.year, 2025);
  EXPECT_EQ(next.month, 1);
  EXPECT_EQ(next.day, 1);
  EXPECT_EQ(next.weekday, 3);
  EXPECT_EQ(next.hour, 0);
  LocalTime leap = TimeOfMinute(MinuteNumber(LocalTime{2024, 2, 28, 3, 12, 0, 0}) + 1440);
  EXPECT_EQ(leap.month, 2);
  EXPECT_EQ(leap.day, 29);
  EXPECT_EQ(TimeOfMinute(-1).year, 1969);
  EXPECT_EQ(TimeOfMinute(-1).weekday, 3);
}

TEST(AlarmTracker, StartMinuteNeverFiresAndEachMinuteFiresOnce) {
  Clock c(At(9, 7, 30, 40), {Item("start", kAtTime, "7:30"), Item("a", kAtTime, "7:31"),
                             Item("b", kHourly, "31"), Item("c", kAtTime, "7:32")});
  // Within the minute the tick does nothing: no check, no rebuild.
  EXPECT_TRUE(c.Tick(At(9, 7, 30, 41)).records.empty());
  EXPECT_FALSE(c.rebuilt);
  auto r = c.Tick(At(9, 7, 31, 0));
  EXPECT_FALSE(c.rebuilt);
  EXPECT_EQ(Titles(r), (std::vector<std::string>{"a", "b"}));
  EXPECT_FALSE(r.soundOnly);
  EXPECT_TRUE(c.Tick(At(9, 7, 31, 1)).records.empty());
}

TEST(AlarmTracker, HourChangeRebuildsBeforeTheCheck) {
  Clock c(At(9, 7, 58), {Item("seven-thirty", kAtTime, "7:30"), Item("eight", kAtTime, "8:30"),
                         Item("hourly", kHourly, "0")});
  auto r = c.Tick(At(9, 8, 0));
  EXPECT_TRUE(c.rebuilt);
  EXPECT_EQ(Titles(r), (std::vector<std::string>{"hourly"}));
  // Ticks missed from 8:01 to 8:29: no rebuild needed, no 7:30 item at 8:30.
  r = c.Tick(At(9, 8, 30));
  EXPECT_FALSE(c.rebuilt);
  EXPECT_EQ(Titles(r), (std::vector<std::string>{"eight"}));
}

TEST(AlarmTracker, MissedMinutesAreCaughtUpOnceOldestFirst) {
  Clock c(At(9, 7, 50), {Item("8:10", kAtTime, "8:10"), Item("7:55", kAtTime, "7:55"),
                         Item("hourly-5", kHourly, "5"), Item("now", kAtTime, "8:20"),
                         Item("too-old", kAtTime, "7:20"), Item("next", kAtTime, "8:21")});
  // Asleep from 7:50 to 8:20: 7:51 to 8:20 are checked, in time order, each item once.
  auto r = c.Tick(At(9, 8, 20));
  EXPECT_TRUE(c.rebuilt);
  EXPECT_EQ(Titles(r), (std::vector<std::string>{"7:55", "hourly-5", "8:10", "now"}));
  EXPECT_TRUE(c.Tick(At(9, 8, 20, 1)).records.empty());
  EXPECT_EQ(Titles(c.Tick(At(9, 8, 21))), (std::vector<std::string>{"next"}));
}

TEST(AlarmTracker, CatchUpHourIncludesTheWakingMinute) {
  // Woken at 8:00, the hour caught up is 7:01 to 8:00: 7:00 lies just outside it.
  Clock c(At(9, 6, 50), {Item("7:00", kAtTime, "7:0"), Item("7:01", kAtTime, "7:1")});
  EXPECT_EQ(Titles(c.Tick(At(9, 8, 0))), (std::vector<std::string>{"7:01"}));
}

TEST(AlarmTracker, CatchUpReachesBackAnHourAtMost) {
  Clock c(At(9, 6, 0), {Item("6:30", kAtTime, "6:30"), Item("7:40", kAtTime, "7:40"),
                        Item("hourly-45", kHourly, "45")});
  // Three hours asleep: only 7:01 to 8:00 count; the hourly item fires once, at 7:45.
  auto r = c.Tick(At(9, 8, 0));
  EXPECT_EQ(Titles(r), (std::vector<std::string>{"7:40", "hourly-45"}));
  // Over midnight: yesterday's weekday item counts for yesterday's date.
  Clock night(At(9, 23, 50), {Item("wed", kAtTime, "23:55", kWeekly, "3"),
                              Item("thu", kAtTime, "0:5", kWeekly, "4"),
                              Item("wed-late", kAtTime, "0:5", kWeekly, "3")});
  EXPECT_EQ(Titles(night.Tick(At(10, 0, 10))), (std::vector<std::string>{"wed", "thu"}));
}

TEST(AlarmTracker, ClockSetBackFiresNothingTwice) {
  Clock c(At(9, 2, 50), {Item("2:55", kAtTime, "2:55"), Item("3:05", kAtTime, "3:5")});
  EXPECT_EQ(Titles(c.Tick(At(9, 2, 55))), (std::vector<std::string>{"2:55"}));
  EXPECT_EQ(Titles(c.Tick(At(9, 3, 5))), (std::vector<std::string>{"3:05"}));
  // Back an hour (end of summer time): 2:55 and 3:05 come again but do not fire again.
  // A new minute, of another hour: the candidates are rebuilt.
  c.Tick(At(9, 2, 6));
  EXPECT_TRUE(c.rebuilt);
  for (int m = 7; m < 60; ++m) EXPECT_TRUE(c.Tick(At(9, 2, m)).records.empty()) << m;
  for (int m = 0; m <= 5; ++m) EXPECT_TRUE(c.Tick(At(9, 3, m)).records.empty()) << m;
  // Past the furthest minute checked, items fire again as usual.
  EXPECT_EQ(c.hour.size(), 1u);
  c.messages.push_back(Item("3:06", kAtTime, "3:6"));
  c.hour = BuildHourMessages(c.messages, At(9, 3, 5));
  EXPECT_EQ(Titles(c.Tick(At(9, 3, 6))), (std::vector<std::string>{"3:06"}));

  // Set a day ahead and corrected: the day's items fire as the clock reaches them again.
  Clock ahead(At(9, 7, 0), {Item("7:05", kAtTime, "7:5")});
  EXPECT_TRUE(ahead.Tick(At(10, 7, 2)).records.empty());
  EXPECT_TRUE(ahead.Tick(At(9, 7, 3)).records.empty());
  EXPECT_EQ(Titles(ahead.Tick(At(9, 7, 5))), (std::vector<std::string>{"7:05"}));
}

// The minute check said plainly: the minutes checked as a set, forgotten when the clock is set
// back an hour or more behind the latest minute seen. A tick checks the minutes since the last
// tick (an hour at most) or, with the clock set back, its own minute; each minute at most once.
class ReferenceTracker {
 public:
  explicit ReferenceTracker(long long start) : last_(start), latest_(start) {
    checked_.insert(start);
  }
  std::vector<std::string> Tick(long long minute, const std::vector<CMessageRecord>& messages) {
    std::vector<std::string> fired;
    if (minute == last_) return fired;
    if (minute <= latest_ - 60) {
      checked_.clear();
      latest_ = minute;
    }
    const long long from = minute > last_ ? std::max(last_ + 1, minute - 59) : minute;
    for (long long m = from; m <= minute; ++m) {
      if (!checked_.insert(m).second) continue;
      for (const CMessageRecord& r : messages) {
        if (FiresAt(r, TimeOfMinute(m))) fired.push_back(r.title);
      }
    }
    last_ = minute;
    latest_ = std::max(latest_, minute);
    return fired;
  }

 private:
  static bool FiresAt(const CMessageRecord& r, const LocalTime& t) {
    CMessageSchedule s;
    if (!FallsOnDate(r, t)) return false;
    if (r.timeUnit == kAtTime) return s.GetTimeHour(r) == t.hour && s.GetTimeMinute(r) == t.minute;
    return r.timeUnit == kHourly && s.GetHourlyMinute(r) == t.minute;
  }
  long long last_, latest_;
  std::set<long long> checked_;
};

// Random clock histories: ticks within and across minutes, sleeps, the clock set ahead and back
// by minutes or a day, restarts. Every tick must fire exactly what the reference fires.
TEST(AlarmTracker, MatchesTheReferenceOverRandomClockHistories) {
  constexpr int kHistories = 2000;
  std::mt19937 rng(20261209);
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const long long base = MinuteNumber(At(7, 0, 0));
  const int edgeMinutes[] = {0, 1, 2, 29, 30, 58, 59};
  long long firings = 0;
  for (int h = 0; h < kHistories && !HasFailure(); ++h) {
    long long minute = base + pick(0, 5 * 1440);
    std::vector<CMessageRecord> items;
    for (int i = 0, n = pick(1, 6); i < n; ++i) {
      const int m = pick(0, 2) ? edgeMinutes[pick(0, 6)] : pick(0, 59);
      const int hour = (TimeOfMinute(minute).hour + pick(-2, 3) + 24) % 24;
      std::string date = kDaily, detail = kNone;
      if (pick(0, 3) == 0) {
        date = kWeekly;
        detail = std::to_string(pick(0, 6));
      }
      const bool hourly = pick(0, 2) == 0;
      items.push_back(
          Item(std::to_string(i), hourly ? kHourly : kAtTime,
               hourly ? std::to_string(m) : std::to_string(hour) + ":" + std::to_string(m), date,
               detail));
    }
    auto at = [&](long long m) {
      LocalTime t = TimeOfMinute(m);
      t.second = pick(0, 59);
      return t;
    };
    std::ostringstream history;
    history << "start " << minute;
    auto clock = std::make_unique<Clock>(at(minute), items);
    ReferenceTracker reference(minute);
    for (int step = 0; step < 60; ++step) {
      const int kind = pick(0, 99);
      if (kind < 30) {
      } else if (kind < 65) {
        minute += 1;
      } else if (kind < 75) {
        minute += pick(2, 150);
      } else if (kind < 80) {
        minute += 1440 + pick(-90, 90);
      } else if (kind < 90) {
        minute -= pick(1, 130);
      } else if (kind < 95) {
        minute -= 1440 + pick(-90, 90);
      } else {
        history << ", restart";
        clock = std::make_unique<Clock>(at(minute), items);
        reference = ReferenceTracker(minute);
        continue;
      }
      history << ", " << minute;
      const std::vector<std::string> expected = reference.Tick(minute, items);
      ASSERT_EQ(Titles(clock->Tick(at(minute))), expected)
          << "history " << h << " (minutes): " << history.str();
      firings += static_cast<long long>(expected.size());
    }
  }
  // Histories that fire nothing would prove nothing.
  EXPECT_GT(firings, kHistories);
}

}  // namespace
