#include "alarm_check.h"

#include <gtest/gtest.h>

namespace {

Settings AlarmAt815() {
  Settings s;
  s.alarmActive = true;
  s.alarmHour = 8;
  s.alarmMinute = 15;
  return s;
}

TEST(Alarm, SoundsOnceInSecondZero) {
  Settings s = AlarmAt815();
  AlarmCheck check;
  EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 1, 4, 8, 14, 59}));
  EXPECT_TRUE(AlarmDue(check, s, {2026, 1, 1, 4, 8, 15, 0}));
  for (int i = 0; i < 20; ++i) EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 1, 4, 8, 15, 0}));
  EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 1, 4, 8, 15, 1}));
  EXPECT_FALSE(check.played);
  for (int second = 1; second < 60; ++second)
    EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 1, 4, 8, 15, second}));
  // the next day, again
  EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 2, 5, 8, 14, 58}));
  EXPECT_TRUE(AlarmDue(check, s, {2026, 1, 2, 5, 8, 15, 0}));
  s.alarmActive = false;
  EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 4, 0, 8, 15, 0}));
}

TEST(Alarm, ALateFirstCheckOfItsMinuteStillSoundsOnce) {
  Settings s = AlarmAt815();
  AlarmCheck check;
  EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 3, 6, 8, 14, 58}));
  // No paint came in second 0: the first one of the minute sounds, later ones do not.
  EXPECT_TRUE(AlarmDue(check, s, {2026, 1, 3, 6, 8, 15, 2}));
  for (int second = 2; second < 60; ++second)
    EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 3, 6, 8, 15, second}));
  EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 3, 6, 8, 16, 0}));

  // A clock started within its alarm minute, or an alarm set within it, waits for the next day.
  AlarmCheck fresh;
  EXPECT_FALSE(AlarmDue(fresh, s, {2026, 1, 3, 6, 8, 15, 1}));
  s.alarmActive = false;
  AlarmCheck edited;
  EXPECT_FALSE(AlarmDue(edited, s, {2026, 1, 3, 6, 8, 15, 10}));
  s.alarmActive = true;
  EXPECT_FALSE(AlarmDue(edited, s, {2026, 1, 3, 6, 8, 15, 11}));
}

}  // namespace
