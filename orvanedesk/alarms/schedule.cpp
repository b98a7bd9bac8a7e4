#include "alarms/schedule.h"

#include <climits>
#include <cstdio>

namespace {

constexpr char kMonthSuffix[] = "\x8c\x8e";   // 月
constexpr char kDaySuffix[] = "\x93\xfa";     // 日
constexpr char kHourSuffix[] = "\x8e\x9e";    // 時
constexpr char kMinuteSuffix[] = "\x95\xaa";  // 分

// "/" and ":" can never be the trail byte of a double-byte character, so a plain search is safe.
std::string Before(const std::string& text, char separator) {
  size_t at = text.find(separator);
  return at == std::string::npos ? std::string() : text.substr(0, at);
}

std::string After(const std::string& text, char separator) {
  size_t at = text.find(separator);
  return at == std::string::npos ? text : text.substr(at + 1);
}

std::string Join(const std::string& datePart, const std::string& timePart, bool dailyHourly,
                 bool twoLines) {
  if (dailyHourly) return timePart;
  return twoLines ? datePart + "\n" + timePart : datePart + timePart;
}

std::string Number(int value) { return std::to_string(value); }

}  // namespace

const char* const kDateUnitItems[4] = {kYearly, kMonthly, kWeekly, kDaily};
const char* const kTimeUnitItems[2] = {kAtTime, kHourly};
const char* const kWeekdayItems[7] = {
    "\x93\xfa\x97\x6a\x93\xfa",  // 日曜日
    "\x8c\x8e\x97\x6a\x93\xfa",  // 月曜日
    "\x89\xce\x97\x6a\x93\xfa",  // 火曜日
    "\x90\x85\x97\x6a\x93\xfa",  // 水曜日
    "\x96\xd8\x97\x6a\x93\xfa",  // 木曜日
    "\x8b\xe0\x97\x6a\x93\xfa",  // 金曜日
    "\x93\x79\x97\x6a\x93\xfa",  // 土曜日
};

std::string WeekdayName(int weekday) {
  if (weekday < 0 || weekday > 6) return {};
  return std::string(kWeekly) + kWeekdayItems[weekday];
}

// atoi without its undefined overflow: values beyond int saturate.
int AtoiOf(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    if (value <= INT_MAX) value = value * 10 + (text[i] - '0');
  }
  if (negative) value = -value;
  if (value > INT_MAX) return INT_MAX;
  if (value < INT_MIN) return INT_MIN;
  return static_cast<int>(value);
}

int CMessageSchedule::GetDateMonth(const CMessageRecord& r) const {
  return AtoiOf(Before(r.dateDetail, '/'));
}
int CMessageSchedule::GetDateDay(const CMessageRecord& r) const {
  return AtoiOf(After(r.dateDetail, '/'));
}
int CMessageSchedule::GetMonthDay(const CMessageRecord& r) const { return AtoiOf(r.dateDetail); }
int CMessageSchedule::GetWeekday(const CMessageRecord& r) const { return AtoiOf(r.dateDetail); }
int CMessageSchedule::GetTimeHour(const CMessageRecord& r) const {
  return AtoiOf(Before(r.timeDetail, ':'));
}
int CMessageSchedule::GetTimeMinute(const CMessageRecord& r) const {
  return AtoiOf(After(r.timeDetail, ':'));
}
int CMessageSchedule::GetHourlyMinute(const CMessageRecord& r) const {
  return AtoiOf(r.timeDetail);
}

// The stored digits are shown as they are ("12/25" gives 12月25日), not re-formatted.
std::string CMessageSchedule::Describe(const CMessageRecord& r, bool twoLines) const {
  std::string datePart, timePart;
  if (r.dateUnit == kYearly) {
    datePart = Before(r.dateDetail, '/') + kMonthSuffix + After(r.dateDetail, '/') + kDaySuffix;
  } else if (r.dateUnit == kMonthly) {
    datePart = std::string(kMonthly) + r.dateDetail + kDaySuffix;
  } else if (r.dateUnit == kWeekly) {
    datePart = WeekdayName(GetWeekday(r));
  } else if (r.dateUnit == kDaily) {
    datePart = kDaily;
  }
  if (r.timeUnit == kAtTime) {
    timePart = Before(r.timeDetail, ':') + kHourSuffix + After(r.timeDetail, ':') + kMinuteSuffix;
  } else if (r.timeUnit == kHourly) {
    timePart = std::string(kHourly) + r.timeDetail + kMinuteSuffix;
  }
  return Join(datePart, timePart, r.dateUnit == kDaily && r.timeUnit == kHourly, twoLines);
}

bool FallsOnDate(const CMessageRecord& r, const LocalTime& now) {
  CMessageSchedule s;
  if (r.dateUnit == kYearly) return s.GetDateMonth(r) == now.month && s.GetDateDay(r) == now.day;
  if (r.dateUnit == kMonthly) return s.GetMonthDay(r) == now.day;
  if (r.dateUnit == kWeekly) return s.GetWeekday(r) == now.weekday;
  return r.dateUnit == kDaily;
}

std::vector<CMessageRecord> BuildHourMessages(const std::vector<CMessageRecord>& messages,
                                              const LocalTime& now) {
  CMessageSchedule s;
  std::vector<CMessageRecord> hour;
  for (const CMessageRecord& r : messages) {
    if (!FallsOnDate(r, now)) continue;
    if ((r.timeUnit == kAtTime && s.GetTimeHour(r) == now.hour) || r.timeUnit == kHourly) {
      hour.push_back(r);
    }
  }
  return hour;
}

bool DueInMinute(const CMessageRecord& r, int minute) {
  CMessageSchedule s;
  if (r.timeUnit == kAtTime) return s.GetTimeMinute(r) == minute;
  if (r.timeUnit == kHourly) return s.GetHourlyMinute(r) == minute;
  return false;
}

void AddDue(DueMessages& due, const CMessageRecord& r) {
  due.records.push_back(r);
  if (HasMessage(r)) due.soundOnly = false;
}

std::string GetScheduleText(const ScheduleValues& v) {
  std::string datePart, timePart;
  switch (v.dateUnit) {
    case 0:
      datePart = Number(v.month) + kMonthSuffix + Number(v.day) + kDaySuffix;
      break;
    case 1:
      datePart = std::string(kMonthly) + Number(v.day) + kDaySuffix;
      break;
    case 2:
      datePart = WeekdayName(v.weekday);
      break;
    case 3:
      datePart = kDaily;
      break;
  }
  switch (v.timeUnit) {
    case 0:
      timePart = Number(v.hour) + kHourSuffix + Number(v.minute) + kMinuteSuffix;
      break;
    case 1:
      timePart = std::string(kHourly) + Number(v.minute) + kMinuteSuffix;
      break;
  }
  return Join(datePart, timePart, v.dateUnit == 3 && v.timeUnit == 1, false);
}

void EncodeSchedule(const ScheduleValues& v, CMessageRecord& r) {
  r.dateUnit = v.dateUnit >= 0 && v.dateUnit < 4 ? kDateUnitItems[v.dateUnit] : "";
  switch (v.dateUnit) {
    case 0:
      r.dateDetail = Number(v.month) + "/" + Number(v.day);
      break;
    case 1:
      r.dateDetail = Number(v.day);
      break;
    case 2:
      r.dateDetail = Number(v.weekday);
      break;
    case 3:
      r.dateDetail = kNone;
      break;
    default:
      r.dateDetail.clear();
  }
  r.timeUnit = v.timeUnit >= 0 && v.timeUnit < 2 ? kTimeUnitItems[v.timeUnit] : "";
  switch (v.timeUnit) {
    case 0:
      r.timeDetail = Number(v.hour) + ":" + Number(v.minute);
      break;
    case 1:
      r.timeDetail = Number(v.minute);
      break;
    default:
      r.timeDetail.clear();
  }
}

CMessageRecord MakeRecord(const std::string& title, const std::string& alarm,
                          const std::string& message, const ScheduleValues& v) {
  CMessageRecord r;
  r.title = title;
  r.alarm = alarm.empty() ? kNone : alarm;
  r.message = message.empty() ? kNone : message;
  EncodeSchedule(v, r);
  return r;
}

int FindItemByPrefix(const std::string& text, const char* const* items, int count) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  for (int i = 0; i < count; ++i) {
    std::string item = items[i];
    if (item.size() < text.size()) continue;
    bool match = true;
    for (size_t k = 0; match && k < text.size(); ++k) match = lower(item[k]) == lower(text[k]);
    if (match) return i;
  }
  return -1;
}

ScheduleValues DecodeSchedule(const CMessageRecord& r, const LocalTime& now) {
  CMessageSchedule s;
  ScheduleValues v;
  v.month = now.month;
  v.day = now.day;
  v.weekday = now.weekday;
  v.hour = now.hour;
  v.minute = now.minute;
  v.dateUnit = FindItemByPrefix(r.dateUnit, kDateUnitItems, 4);
  switch (v.dateUnit) {
    case 0:
      v.month = s.GetDateMonth(r);
      v.day = s.GetDateDay(r);
      break;
    case 1:
      v.day = s.GetMonthDay(r);
      break;
    case 2:
      v.weekday = s.GetWeekday(r);
      break;
  }
  v.timeUnit = FindItemByPrefix(r.timeUnit, kTimeUnitItems, 2);
  switch (v.timeUnit) {
    case 0:
      v.hour = s.GetTimeHour(r);
      v.minute = s.GetTimeMinute(r);
      break;
    case 1:
      v.minute = s.GetHourlyMinute(r);
      break;
  }
  return v;
}
