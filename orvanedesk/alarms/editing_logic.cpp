#include "alarms/editing_logic.h"

namespace {
const char kMonthLabel[] = "\x8c\x8e";   // 月
const char kDayLabel[] = "\x93\xfa";     // 日
const char kHourLabel[] = "\x8e\x9e";    // 時
const char kMinuteLabel[] = "\x95\xaa";  // 分

NumberBoxView Box(bool shown, int low, int high, int value) { return {shown, low, high, value}; }
}  // namespace

UnitView DateUnitView(const ScheduleValues& v) {
  UnitView view;
  // Hidden edits keep month and day, so a later switch to yearly starts from them.
  view.first = Box(false, 1, 12, v.month);
  view.second = Box(false, 1, 31, v.day);
  switch (v.dateUnit) {
    case 0:
      view.first.shown = view.second.shown = true;
      view.firstLabel = kMonthLabel;
      break;
    case 1:
      view.first = Box(true, 1, 31, v.day);
      view.firstLabel = kDayLabel;
      break;
    case 2:
      view.weekdayShown = true;
      break;
  }
  return view;
}

UnitView TimeUnitView(const ScheduleValues& v) {
  UnitView view;
  view.first = Box(false, 0, 23, v.hour);
  view.second = Box(false, 0, 59, v.minute);
  switch (v.timeUnit) {
    case 0:
      view.first.shown = view.second.shown = true;
      view.firstLabel = kHourLabel;
      break;
    case 1:
      view.first = Box(true, 0, 59, v.minute);
      view.firstLabel = kMinuteLabel;
      break;
  }
  return view;
}

void StoreDateEdit(ScheduleValues& v, int box, int value) {
  if (box == 1)
    v.day = value;
  else if (v.dateUnit == 0)
    v.month = value;
  else if (v.dateUnit == 1)
    v.day = value;
}

void StoreTimeEdit(ScheduleValues& v, int box, int value) {
  if (box == 1)
    v.minute = value;
  else if (v.timeUnit == 0)
    v.hour = value;
  else if (v.timeUnit == 1)
    v.minute = value;
}

int TextPageButtons(bool hasTitle, bool hasWave, bool hasMessage) {
  return 1 | (ConfirmAllowed(hasTitle, hasWave, hasMessage) ? 2 : 0);
}

bool ConfirmAllowed(bool hasTitle, bool hasWave, bool hasMessage) {
  return hasTitle && (hasWave || hasMessage);
}

int RowImage(const CMessageRecord& record) {
  if (record.alarm == kNone) return 2;
  if (record.message == kNone) return 1;
  return 3;
}

CMessageRecord EditedRecord(const CMessageRecord& record, const std::string& title,
                            const std::string& wave, const std::string& message,
                            bool scheduleOpened, const ScheduleValues& schedule) {
  CMessageRecord edited = MakeRecord(title, wave, message, schedule);
  // A unit box without a selection (a damaged record) has no stored form: keep the old one.
  if (!scheduleOpened || schedule.dateUnit < 0 || schedule.timeUnit < 0) {
    edited.dateUnit = record.dateUnit;
    edited.dateDetail = record.dateDetail;
    edited.timeUnit = record.timeUnit;
    edited.timeDetail = record.timeDetail;
  }
  return edited;
}
