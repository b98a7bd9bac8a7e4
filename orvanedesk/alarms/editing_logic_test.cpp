#include "alarms/editing_logic.h"

#include <gtest/gtest.h>

#include "alarms/message_file.h"

namespace {

const std::string kMonthLabel = "\x8c\x8e", kDayLabel = "\x93\xfa", kHourLabel = "\x8e\x9e",
                  kMinuteLabel = "\x95\xaa";

ScheduleValues Values(int dateUnit, int timeUnit) {
  ScheduleValues v;
  v.dateUnit = dateUnit;
  v.timeUnit = timeUnit;
  v.month = 12;
  v.day = 25;
  v.weekday = 6;
  v.hour = 18;
  v.minute = 30;
  return v;
}

void ExpectBox(const NumberBoxView& box, bool shown, int low, int high, int value) {
  EXPECT_EQ(box.shown, shown);
  EXPECT_EQ(box.low, low);
  EXPECT_EQ(box.high, high);
  EXPECT_EQ(box.value, value);
}

TEST(SchedulePage, EachDateUnitShowsItsOwnControlsAndHiddenEditsKeepTheirNumbers) {
  UnitView yearly = DateUnitView(Values(0, 0));
  ExpectBox(yearly.first, true, 1, 12, 12);
  ExpectBox(yearly.second, true, 1, 31, 25);
  EXPECT_EQ(yearly.firstLabel, kMonthLabel);
  EXPECT_FALSE(yearly.weekdayShown);

  UnitView monthly = DateUnitView(Values(1, 0));
  ExpectBox(monthly.first, true, 1, 31, 25);
  ExpectBox(monthly.second, false, 1, 31, 25);
  EXPECT_EQ(monthly.firstLabel, kDayLabel);

  for (int unit : {2, 3, -1}) {
    UnitView view = DateUnitView(Values(unit, 0));
    EXPECT_FALSE(view.first.shown || view.second.shown) << unit;
    EXPECT_EQ(view.weekdayShown, unit == 2) << unit;
    // Never empty, so leaving the page is not refused for an edit the user cannot see.
    EXPECT_EQ(view.first.value, 12);
    EXPECT_EQ(view.second.value, 25);
  }
}

TEST(SchedulePage, EachTimeUnitShowsItsOwnControls) {
  UnitView atTime = TimeUnitView(Values(0, 0));
  ExpectBox(atTime.first, true, 0, 23, 18);
  ExpectBox(atTime.second, true, 0, 59, 30);
  EXPECT_EQ(atTime.firstLabel, kHourLabel);

  UnitView hourly = TimeUnitView(Values(0, 1));
  ExpectBox(hourly.first, true, 0, 59, 30);
  EXPECT_FALSE(hourly.second.shown);
  EXPECT_EQ(hourly.firstLabel, kMinuteLabel);

  UnitView none = TimeUnitView(Values(0, -1));
  EXPECT_FALSE(none.first.shown || none.second.shown);
}

TEST(SchedulePage, TypedNumbersSurviveUnitSwitches) {
  ScheduleValues v = Values(1, 1);
  StoreDateEdit(v, 0, 9);   // the monthly day
  StoreTimeEdit(v, 0, 45);  // the hourly minute
  EXPECT_EQ(v.month, 12);
  EXPECT_EQ(v.hour, 18);
  v.dateUnit = 0;
  v.timeUnit = 0;
  EXPECT_EQ(DateUnitView(v).second.value, 9);
  EXPECT_EQ(TimeUnitView(v).second.value, 45);
  StoreDateEdit(v, 0, 13);  // taken as typed, outside the spin range
  EXPECT_EQ(v.month, 13);
  // Weekly and daily have no first edit of their own: a write there stores nothing.
  v.dateUnit = 2;
  StoreDateEdit(v, 0, 4);
  EXPECT_EQ(v.month, 13);
  EXPECT_EQ(v.day, 9);
}

TEST(EditingRules, NextAndOkNeedATitleAndASoundOrAMessage) {
  EXPECT_EQ(TextPageButtons(false, false, false), 1);
  EXPECT_EQ(TextPageButtons(true, false, false), 1);
  EXPECT_EQ(TextPageButtons(false, true, true), 1);
  EXPECT_EQ(TextPageButtons(true, false, true), 3);
  EXPECT_EQ(TextPageButtons(true, true, false), 3);
  EXPECT_FALSE(ConfirmAllowed(false, true, true));
  EXPECT_TRUE(ConfirmAllowed(true, true, false));
}

CMessageRecord Weekly(const std::string& title, const std::string& time) {
  return {title, "C:\\a.wav", "hello", kWeekly, "6", kAtTime, time};
}

TEST(EditingRules, RowIconsFollowNull) {
  CMessageRecord r = Weekly("t", "18:30");
  EXPECT_EQ(RowImage(r), 3);
  r.message = kNone;
  EXPECT_EQ(RowImage(r), 1);
  r.alarm = kNone;
  EXPECT_EQ(RowImage(r), 2);
}

TEST(EditingRules, PropertiesKeepTheScheduleUnlessItsTabWasOpenedWithBothUnitsChosen) {
  CMessageRecord old = {"t", "NULL", "m", "x", "y", "z", "w"};
  ScheduleValues v = Values(2, 0);
  CMessageRecord kept = EditedRecord(old, "new", "", "text", false, v);
  EXPECT_EQ(kept, (CMessageRecord{"new", kNone, "text", "x", "y", "z", "w"}));
  v.dateUnit = -1;
  EXPECT_EQ(EditedRecord(old, "new", "", "text", true, v), kept);
  v = Values(0, -1);
  EXPECT_EQ(EditedRecord(old, "new", "", "text", true, v), kept);
  v = Values(2, 0);
  EXPECT_EQ(EditedRecord(old, "new", "s.wav", "", true, v),
            (CMessageRecord{"new", "s.wav", kNone, kWeekly, "6", kAtTime, "18:30"}));
}

TEST(EditingRules, AMessageLineOfOnlyAClosingBracketComesBackFromTheFile) {
  CMessageRecord typed = MakeRecord("t", "", "first\r\n]\r\nlast", Values(3, 1));
  EXPECT_TRUE(StoresUnchanged(typed));
  std::vector<CMessageRecord> back =
      ParseMessageFile(FormatMessageFile({typed, Weekly("b", "1:2")}));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0], typed);
  EXPECT_EQ(back[1], Weekly("b", "1:2"));
}

}  // namespace
