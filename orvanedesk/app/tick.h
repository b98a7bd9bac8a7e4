#pragma once

#include <functional>
#include <string>
#include <vector>

#include "local_time.h"

// What the one-second tick has drawn so far; LastHour is the hour modulo 12.
struct TickState {
  int LastSecond = 0;
  int LastMinute = 0;
  int LastHour = 0;
  bool firstTickDone = false;
  int secondHandSteps = 0;
};
TickState InitialTickState(const LocalTime& now);

struct TickInputs {
  LocalTime now;
  bool secondHand = true;
  bool minimized = false;
  bool fewIllusts = true;
  bool updateIllust = true;
  int updateTime = 1;
};

// One thing the window must do, in order. Hands and second hands carry their time values.
struct TickStep {
  enum Kind {
    RotateIllust,
    DrawFace,
    DrawHands,       // value: hour modulo 12, value2: minute
    DrawSecondHand,  // value: second; drawing it where it already is erases it
    UpdateTooltip,
  };
  Kind kind;
  int value = 0;
  int value2 = 0;
  bool operator==(const TickStep& o) const {
    return kind == o.kind && value == o.value && value2 == o.value2;
  }
  bool operator!=(const TickStep& o) const { return !(*this == o); }
};

struct TickPlan {
  bool timeSignal = false;  // the hour's time signal: a new minute 0, not minimized
  bool setTitle = false;
  std::wstring title;    // window title
  std::string timeText;  // the time part, for the tooltip
  std::vector<TickStep> steps;
};

// Decides the tick and advances the state as the drawing will leave it.
TickPlan PlanTick(TickState& state, const TickInputs& in);

// strftime "%p %I:%M:%S" or "%p %I:%M" in the C locale.
std::string FormatClockTime(const LocalTime& t, bool withSeconds);
