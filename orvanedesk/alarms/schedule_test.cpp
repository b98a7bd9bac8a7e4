#include "alarms/schedule.h"

#include <gtest/gtest.h>

#include "alarms/alarm_tracker.h"

namespace {

CMessageRecord Sched(std::string dateUnit, std::string dateDetail, std::string timeUnit,
                     std::string timeDetail, std::string message = "m") {
  return {"t", "NULL", message, dateUnit, dateDetail, timeUnit, timeDetail};
}

LocalTime At(int month, int day, int weekday, int hour, int minute) {
  return LocalTime{2026, month, day, weekday, hour, minute, 0};
}

// What the minute tracker finds due among the hour's candidates in now's minute, started the
// minute before.
DueMessages DueAt(std::vector<CMessageRecord> hour, const LocalTime& now) {
  CAlarmTracker tracker(TimeOfMinute(MinuteNumber(now) - 1));
  tracker.Rebuilt(now);
  return tracker.Tick(now, {}, hour);
}

// Code page 932 words used in descriptions.
const std::string kTsuki = "\x8c\x8e", kNichi = "\x93\xfa", kJi = "\x8e\x9e", kFun = "\x95\xaa";
const std::string kSaturday = std::string(kWeekly) + "\x93\x79\x97\x6a\x93\xfa";

TEST(Schedule, GettersReadLikeAtoiAtTheFirstSeparator) {
  CMessageSchedule s;
  auto r = Sched(kYearly, "12/25", kAtTime, "7:5");
  EXPECT_EQ(s.GetDateMonth(r), 12);
  EXPECT_EQ(s.GetDateDay(r), 25);
  EXPECT_EQ(s.GetTimeHour(r), 7);
  EXPECT_EQ(s.GetTimeMinute(r), 5);
  // No separator: the part before is empty (0), the part after is the whole text.
  r = Sched(kMonthly, "31", kHourly, "45");
  EXPECT_EQ(s.GetDateMonth(r), 0);
  EXPECT_EQ(s.GetDateDay(r), 31);
  EXPECT_EQ(s.GetTimeHour(r), 0);
  EXPECT_EQ(s.GetTimeMinute(r), 45);
  EXPECT_EQ(s.GetMonthDay(r), 31);
  EXPECT_EQ(s.GetHourlyMinute(r), 45);
  // Only the first separator splits; blanks, signs, trailing text and NULL as atoi has them.
  r = Sched(kYearly, " +3/4/5", kAtTime, "-1:2:3");
  EXPECT_EQ(s.GetDateMonth(r), 3);
  EXPECT_EQ(s.GetDateDay(r), 4);
  EXPECT_EQ(s.GetTimeHour(r), -1);
  EXPECT_EQ(s.GetTimeMinute(r), 2);
  r = Sched(kDaily, "NULL", kHourly, "12abc");
  EXPECT_EQ(s.GetWeekday(r), 0);
  EXPECT_EQ(s.GetHourlyMinute(r), 12);
  EXPECT_EQ(AtoiOf("99999999999999999999"), 2147483647);
  EXPECT_EQ(AtoiOf("\t\n 42x"), 42);
  EXPECT_EQ(AtoiOf("- 1"), 0);
}

TEST(Schedule, DescribesInOneAndTwoLines) {
  CMessageSchedule s;
  auto sat = Sched(kWeekly, "6", kAtTime, "18:30");
  EXPECT_EQ(s.Describe(sat, false), kSaturday + "18" + kJi + "30" + kFun);
  EXPECT_EQ(s.Describe(sat, true), kSaturday + "\n18" + kJi + "30" + kFun);
  EXPECT_EQ(s.Describe(Sched(kYearly, "12/25", kAtTime, "7:5"), false),
            "12" + kTsuki + "25" + kNichi + "7" + kJi + "5" + kFun);
  auto hourly = Sched(kDaily, "NULL", kHourly, "30");
  EXPECT_EQ(s.Describe(hourly, true), std::string(kHourly) + "30" + kFun);
  EXPECT_EQ(s.Describe(hourly, false), std::string(kHourly) + "30" + kFun);
  EXPECT_EQ(s.Describe(Sched(kMonthly, "3", kHourly, "0"), true),
            std::string(kMonthly) + "3" + kNichi + "\n" + kHourly + "0" + kFun);
  EXPECT_EQ(s.Describe(Sched(kDaily, "NULL", kAtTime, "9:0"), true),
            std::string(kDaily) + "\n9" + kJi + "0" + kFun);
  // Unknown words and weekdays outside 0 to 6 leave their part empty.
  EXPECT_EQ(s.Describe(Sched("weekly", "1", kAtTime, "1:2"), true), "\n1" + kJi + "2" + kFun);
  EXPECT_EQ(s.Describe(Sched(kWeekly, "7", "x", "1"), false), "");
}

TEST(Schedule, HourCandidatesFollowDateAndHour) {
  std::vector<CMessageRecord> list = {
      Sched(kYearly, "12/25", kAtTime, "7:5"),  // 0
      Sched(kMonthly, "25", kAtTime, "7:59"),   // 1
      Sched(kWeekly, "5", kAtTime, "7:0"),      // 2: Friday
      Sched(kDaily, "NULL", kHourly, "30"),     // 3
      Sched(kDaily, "NULL", kAtTime, "8:0"),    // 4: another hour
      Sched(kYearly, "12/24", kHourly, "1"),    // 5: another day
      Sched("daily", "NULL", kHourly, "1"),     // 6: unknown unit
      Sched(kDaily, "NULL", "hourly", "1"),     // 7: unknown unit
      Sched(kYearly, "13/25", kAtTime, "7:5"),  // 8: month 13 never comes
  };
  auto hour = BuildHourMessages(list, At(12, 25, 5, 7, 3));
  ASSERT_EQ(hour.size(), 4u);
  EXPECT_EQ(hour[0], list[0]);
  EXPECT_EQ(hour[1], list[1]);
  EXPECT_EQ(hour[2], list[2]);
  EXPECT_EQ(hour[3], list[3]);
  EXPECT_TRUE(BuildHourMessages(list, At(12, 26, 6, 7, 0)).size() == 1u);  // the daily hourly

  auto due = DueAt(hour, At(12, 25, 5, 7, 5));
  ASSERT_EQ(due.records.size(), 1u);
  EXPECT_EQ(due.records[0], list[0]);
  EXPECT_TRUE(DueAt(hour, At(12, 25, 5, 7, 6)).records.empty());
  EXPECT_EQ(DueAt(hour, At(12, 25, 5, 7, 30)).records.size(), 1u);
}

TEST(Schedule, SameMinuteItemsShareOneCheckAndItsSoundOnlyFlag) {
  std::vector<CMessageRecord> hour = {Sched(kDaily, "NULL", kAtTime, "9:15", "NULL"),
                                      Sched(kDaily, "NULL", kHourly, "15", "NULL")};
  auto due = DueAt(hour, At(12, 25, 5, 9, 15));
  EXPECT_EQ(due.records.size(), 2u);
  EXPECT_TRUE(due.soundOnly);
  hour.push_back(Sched(kDaily, "NULL", kHourly, "15", "text"));
  due = DueAt(hour, At(12, 25, 5, 9, 15));
  EXPECT_EQ(due.records.size(), 3u);
  EXPECT_FALSE(due.soundOnly);
}

TEST(SchedulePage, EncodesDescribesAndDecodes) {
  CMessageSchedule s;
  LocalTime now = At(4, 9, 4, 13, 41);
  ScheduleValues v;
  v.month = 1;
  v.day = 5;
  v.weekday = 6;
  v.hour = 9;
  v.minute = 0;
  const std::pair<std::string, std::string> dates[] = {
      {kYearly, "1/5"}, {kMonthly, "5"}, {kWeekly, "6"}, {kDaily, "NULL"}};
  const std::pair<std::string, std::string> times[] = {{kAtTime, "9:0"}, {kHourly, "0"}};
  for (int d = 0; d < 4; ++d) {
    for (int t = 0; t < 2; ++t) {
      v.dateUnit = d;
      v.timeUnit = t;
      CMessageRecord r = MakeRecord("title", "", "", v);
      EXPECT_EQ(r.alarm, "NULL");
      EXPECT_EQ(r.message, "NULL");
      EXPECT_EQ(r.dateUnit, dates[d].first);
      EXPECT_EQ(r.dateDetail, dates[d].second);
      EXPECT_EQ(r.timeUnit, times[t].first);
      EXPECT_EQ(r.timeDetail, times[t].second);
      EXPECT_EQ(GetScheduleText(v), s.Describe(r, false)) << d << t;
      // Decoding gives back the units and the numbers the record holds; the rest is now.
      ScheduleValues back = DecodeSchedule(r, now);
      EXPECT_EQ(back.dateUnit, d);
      EXPECT_EQ(back.timeUnit, t);
      EXPECT_EQ(back.month, d == 0 ? 1 : 4);
      EXPECT_EQ(back.day, d <= 1 ? 5 : 9);
      EXPECT_EQ(back.weekday, d == 2 ? 6 : 4);
      EXPECT_EQ(back.hour, t == 0 ? 9 : 13);
      EXPECT_EQ(back.minute, 0);
    }
  }
  // No selection describes nothing; a weekday outside the list describes no date.
  EXPECT_EQ(GetScheduleText(ScheduleValues{}), "");
  v.dateUnit = 2;
  v.weekday = 9;
  v.timeUnit = -1;
  EXPECT_EQ(GetScheduleText(v), "");
  // Typed values are stored as typed.
  v.dateUnit = 0;
  v.month = 13;
  v.timeUnit = 0;
  v.hour = 7;
  v.minute = 5;
  CMessageRecord r = MakeRecord("t", "a.wav", "m", v);
  EXPECT_EQ(r.dateDetail, "13/5");
  EXPECT_EQ(r.timeDetail, "7:5");
  EXPECT_EQ(r.alarm, "a.wav");
}

TEST(SchedulePage, UnitsAreFoundByPrefixAsTheDropDownDoes) {
  EXPECT_EQ(FindItemByPrefix(kWeekly, kDateUnitItems, 4), 2);
  EXPECT_EQ(FindItemByPrefix("\x96\x88", kDateUnitItems, 4), 0);  // 毎: the first it begins
  EXPECT_EQ(FindItemByPrefix("weekly", kDateUnitItems, 4), -1);
  const char* const ascii[] = {"Alpha", "beta"};
  EXPECT_EQ(FindItemByPrefix("BE", ascii, 2), 1);
  // An unknown unit keeps today and now for every value.
  ScheduleValues v = DecodeSchedule(Sched("?", "3/4", "?", "5:6"), At(4, 9, 4, 13, 41));
  EXPECT_EQ(v.dateUnit, -1);
  EXPECT_EQ(v.timeUnit, -1);
  EXPECT_EQ(v.month, 4);
  EXPECT_EQ(v.hour, 13);
  EXPECT_EQ(WeekdayName(0), std::string(kWeekly) + kNichi + "\x97\x6a" + kNichi);
  EXPECT_EQ(WeekdayName(-1), "");
}

}  // namespace
