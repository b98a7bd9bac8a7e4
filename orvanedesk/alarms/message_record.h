#pragma once

#include <string>

// One alarm or message item. Every field is code page 932 text, numbers included, exactly as
// stored in Message.ini; the fields are in file order.
struct CMessageRecord {
  std::string title;
  std::string alarm;       // wave file path, or kNone
  std::string message;     // lines joined by CR LF, or kNone for a sound-only item
  std::string dateUnit;    // kYearly, kMonthly, kWeekly or kDaily
  std::string dateDetail;  // "month/day", "day", "weekday" (0 = Sunday) or kNone
  std::string timeUnit;    // kAtTime or kHourly
  std::string timeDetail;  // "hour:minute" or "minute"

  bool operator==(const CMessageRecord& o) const {
    return title == o.title && alarm == o.alarm && message == o.message && dateUnit == o.dateUnit &&
           dateDetail == o.dateDetail && timeUnit == o.timeUnit && timeDetail == o.timeDetail;
  }
  bool operator!=(const CMessageRecord& o) const { return !(*this == o); }
};

// The stored words, in code page 932.
inline constexpr char kNone[] = "NULL";
inline constexpr char kYearly[] = "\x96\x88\x94\x4e";                          // 毎年
inline constexpr char kMonthly[] = "\x96\x88\x8c\x8e";                         // 毎月
inline constexpr char kWeekly[] = "\x96\x88\x8f\x54";                          // 毎週
inline constexpr char kDaily[] = "\x96\x88\x93\xfa";                           // 毎日
inline constexpr char kAtTime[] = "\x8e\x77\x92\xe8\x82\xcc\x8e\x9e\x8d\x8f";  // 指定の時刻
inline constexpr char kHourly[] = "\x96\x88\x8e\x9e";                          // 毎時

// "NULL" in alarm or message means none.
inline bool HasSound(const CMessageRecord& r) { return !r.alarm.empty() && r.alarm != kNone; }
inline bool HasMessage(const CMessageRecord& r) { return r.message != kNone; }
