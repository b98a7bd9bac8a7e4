#pragma once

#include <string>
#include <vector>

#include "alarms/alarm_tracker.h"
#include "alarms/message_record.h"
#include "alarms/schedule.h"
#include "local_time.h"

// The alarm records (Message.ini), the current hour's candidates and the minute check.
class CAlarms {
 public:
  // The start minute counts as checked, so nothing fires in it.
  explicit CAlarms(const LocalTime& start) : tracker_(start) {}

  std::vector<CMessageRecord> Messages;      // every record, in file order
  std::vector<CMessageRecord> HourMessages;  // the current hour's candidates

  void Read(const std::string& bytes);
  std::string Bytes() const;

  // After Messages changed.
  void RebuildHourMessages(const LocalTime& now);
  // Runs on every tick; what fell due, for one popup.
  DueMessages Tick(const LocalTime& now);

 private:
  CAlarmTracker tracker_;
};
