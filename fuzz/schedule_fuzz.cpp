// The schedule fields of a stored record: the getters, the descriptions and the minute check
// take any text, and the schedule page's values survive being written into a record and read
// back, with the page's text equal to the record's description.
#include <fuzzer/FuzzedDataProvider.h>

#include "alarms/alarm_tracker.h"
#include "alarms/schedule.h"
#include "check.h"

namespace {

bool SameValues(const ScheduleValues& a, const ScheduleValues& b) {
  return a.dateUnit == b.dateUnit && a.timeUnit == b.timeUnit && a.month == b.month &&
         a.day == b.day && a.weekday == b.weekday && a.hour == b.hour && a.minute == b.minute;
}

void CheckValues(const ScheduleValues& v, const LocalTime& now) {
  if (v.dateUnit < 0 || v.dateUnit > 3 || v.timeUnit < 0 || v.timeUnit > 1) return;
  CMessageRecord r = MakeRecord("t", "", "", v);
  ScheduleValues back = DecodeSchedule(r, now);
  // Only the numbers the units use are stored; the rest come from now.
  ScheduleValues expected = v;
  if (v.dateUnit != 0) expected.month = now.month;
  if (v.dateUnit != 0 && v.dateUnit != 1) expected.day = now.day;
  if (v.dateUnit != 2) expected.weekday = now.weekday;
  if (v.timeUnit != 0) expected.hour = now.hour;
  FUZZ_CHECK(SameValues(back, expected));
  FUZZ_CHECK(GetScheduleText(v) == CMessageSchedule().Describe(r, false));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  LocalTime now;
  now.month = in.ConsumeIntegralInRange(1, 12);
  now.day = in.ConsumeIntegralInRange(1, 31);
  now.weekday = in.ConsumeIntegralInRange(0, 6);
  now.hour = in.ConsumeIntegralInRange(0, 23);
  now.minute = in.ConsumeIntegralInRange(0, 59);

  ScheduleValues v;
  v.dateUnit = in.ConsumeIntegralInRange(-1, 4);
  v.timeUnit = in.ConsumeIntegralInRange(-1, 2);
  v.month = in.ConsumeIntegral<int>();
  v.day = in.ConsumeIntegral<int>();
  v.weekday = in.ConsumeIntegral<int>();
  v.hour = in.ConsumeIntegral<int>();
  v.minute = in.ConsumeIntegral<int>();
  CheckValues(v, now);

  // A record read from a file: any texts in its four schedule fields, the units often right.
  CMessageRecord r;
  auto unit = [&](const char* const* items, int count) {
    int pick = in.ConsumeIntegralInRange(-1, count - 1);
    return pick < 0 ? in.ConsumeRandomLengthString(16) : std::string(items[pick]);
  };
  r.dateUnit = unit(kDateUnitItems, 4);
  r.dateDetail = in.ConsumeRandomLengthString(24);
  r.timeUnit = unit(kTimeUnitItems, 2);
  r.timeDetail = in.ConsumeRandomLengthString(24);
  r.message = in.ConsumeBool() ? kNone : "m";

  CMessageSchedule s;
  int numbers = s.GetDateMonth(r) ^ s.GetDateDay(r) ^ s.GetMonthDay(r) ^ s.GetWeekday(r) ^
                s.GetTimeHour(r) ^ s.GetTimeMinute(r) ^ s.GetHourlyMinute(r);
  (void)numbers;
  std::string one = s.Describe(r, false);
  std::string two = s.Describe(r, true);
  FUZZ_CHECK(two.size() == one.size() || two.size() == one.size() + 1);

  std::vector<CMessageRecord> list = {r, r};
  std::vector<CMessageRecord> hour = BuildHourMessages(list, now);
  FUZZ_CHECK(hour.size() == 0 || hour.size() == 2);
  // The minute tracker, started the minute before, walks these candidates in now's minute.
  CAlarmTracker tracker(TimeOfMinute(MinuteNumber(now) - 1));
  tracker.Rebuilt(now);
  DueMessages due = tracker.Tick(now, {}, hour);
  FUZZ_CHECK(due.records.size() <= hour.size());
  FUZZ_CHECK(due.soundOnly == (due.records.empty() || r.message == kNone));

  // The page opened on this record and confirmed unchanged keeps what it showed.
  ScheduleValues shown = DecodeSchedule(r, now);
  CheckValues(shown, now);
  return 0;
}
