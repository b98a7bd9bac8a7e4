#pragma once

#include <string>
#include <vector>

#include "alarms/message_record.h"
#include "local_time.h"

// Reads and describes a record's four schedule fields. Stateless; numbers are read the way
// atoi reads them (leading blanks and a sign allowed, stops at the first non-digit, 0 without
// digits).
class CMessageSchedule {
 public:
  int GetDateMonth(const CMessageRecord& r) const;     // dateDetail before the first "/"
  int GetDateDay(const CMessageRecord& r) const;       // after the first "/", or all of it
  int GetMonthDay(const CMessageRecord& r) const;      // dateDetail
  int GetWeekday(const CMessageRecord& r) const;       // dateDetail
  int GetTimeHour(const CMessageRecord& r) const;      // timeDetail before the first ":"
  int GetTimeMinute(const CMessageRecord& r) const;    // after the first ":", or all of it
  int GetHourlyMinute(const CMessageRecord& r) const;  // timeDetail
  // "12月25日7時5分"; with twoLines the date and time parts are split by "\n". A daily hourly
  // item is the time part alone ("毎時30分"). Code page 932.
  std::string Describe(const CMessageRecord& r, bool twoLines) const;
};

int AtoiOf(const std::string& text);

// The record falls on the date of `now` (month, day, weekday), whatever its time.
bool FallsOnDate(const CMessageRecord& r, const LocalTime& now);
// The hour's candidates: records that fall on now's date and run at now's hour or hourly, in
// list order.
std::vector<CMessageRecord> BuildHourMessages(const std::vector<CMessageRecord>& messages,
                                              const LocalTime& now);
// A candidate falls due in `minute` of its hour.
bool DueInMinute(const CMessageRecord& r, int minute);

// What the minute check hands to one message popup.
struct DueMessages {
  std::vector<CMessageRecord> records;
  bool soundOnly = true;  // no record has a message
};
void AddDue(DueMessages& due, const CMessageRecord& r);

// The schedule page's values: the two unit selections (-1 for none) and its five numbers.
struct ScheduleValues {
  int dateUnit = -1;  // 0 yearly, 1 monthly, 2 weekly, 3 daily
  int timeUnit = -1;  // 0 at a given time, 1 hourly
  int month = 1;
  int day = 1;
  int weekday = 0;  // 0 = Sunday
  int hour = 0;
  int minute = 0;
};

// The items of the page's drop-down lists, in index order (code page 932).
extern const char* const kDateUnitItems[4];  // 毎年 毎月 毎週 毎日
extern const char* const kTimeUnitItems[2];  // 指定の時刻 毎時
extern const char* const kWeekdayItems[7];   // 日曜日 to 土曜日
// "毎週日曜日" to "毎週土曜日"; empty outside 0 to 6.
std::string WeekdayName(int weekday);

// The page's description of its values; equals the one-line Describe of the encoded record.
std::string GetScheduleText(const ScheduleValues& v);
// Writes the four schedule fields of the values (an index out of range writes an empty field).
void EncodeSchedule(const ScheduleValues& v, CMessageRecord& r);
// A record built from the dialogs' texts: an empty alarm or message becomes kNone.
CMessageRecord MakeRecord(const std::string& title, const std::string& alarm,
                          const std::string& message, const ScheduleValues& v);
// The page's values for a record: the units as the drop-down lists select them by prefix, the
// numbers the record gives, and now's date and time for the rest.
ScheduleValues DecodeSchedule(const CMessageRecord& r, const LocalTime& now);
// The first item that begins with text, ignoring ASCII case, as a drop-down list selects it; -1
// when none does.
int FindItemByPrefix(const std::string& text, const char* const* items, int count);
