#pragma once

#include <string>
#include <vector>

#include "alarms/message_record.h"
#include "alarms/schedule.h"

// One number edit of the schedule page with its spin range and the value it shows.
struct NumberBoxView {
  bool shown = false;
  int low = 0, high = 0, value = 0;
};

// What one unit group of the schedule page shows. Hidden edits still get a value so that the
// integer exchange on leaving the page never meets an empty one.
struct UnitView {
  NumberBoxView first, second;
  std::string firstLabel;  // code page 932, the unit after the first edit
  bool weekdayShown = false;
};

UnitView DateUnitView(const ScheduleValues& v);
UnitView TimeUnitView(const ScheduleValues& v);

// A typed edit stores its value where the selected unit keeps it (box 0 is the first edit).
void StoreDateEdit(ScheduleValues& v, int box, int value);
void StoreTimeEdit(ScheduleValues& v, int box, int value);

// Wizard buttons of the text page (1 Back, 2 Next): Next needs a title and a sound or a message.
int TextPageButtons(bool hasTitle, bool hasWave, bool hasMessage);
// The properties sheet's OK under the same rule.
bool ConfirmAllowed(bool hasTitle, bool hasWave, bool hasMessage);

// Image of a list row in the main window's icon list: 2 message only, 1 sound only, 3 both.
int RowImage(const CMessageRecord& record);

// The item edited on the properties sheet: the texts as typed (an empty sound or message is
// "NULL") and the page's schedule when the schedule tab was opened and both units are chosen;
// otherwise the item keeps its own four schedule fields.
CMessageRecord EditedRecord(const CMessageRecord& record, const std::string& title,
                            const std::string& wave, const std::string& message,
                            bool scheduleOpened, const ScheduleValues& schedule);
