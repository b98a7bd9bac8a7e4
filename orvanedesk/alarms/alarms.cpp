#include "alarms/alarms.h"

#include "alarms/message_file.h"

void CAlarms::Read(const std::string& bytes) { Messages = ParseMessageFile(bytes); }

std::string CAlarms::Bytes() const { return FormatMessageFile(Messages); }

void CAlarms::RebuildHourMessages(const LocalTime& now) {
  HourMessages = BuildHourMessages(Messages, now);
  tracker_.Rebuilt(now);
}

DueMessages CAlarms::Tick(const LocalTime& now) {
  return tracker_.Tick(now, Messages, HourMessages);
}
