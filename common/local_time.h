#pragma once

// A moment of local time as the clocks see it; the logic never reads the clock itself.
struct LocalTime {
  int year = 2000;
  int month = 1;    // 1-12
  int day = 1;      // 1-31
  int weekday = 6;  // 0 = Sunday
  int hour = 0;     // 0-23
  int minute = 0;
  int second = 0;
};
