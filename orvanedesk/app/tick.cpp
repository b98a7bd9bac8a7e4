#include "tick.h"

#include <cstdlib>
#include <ctime>

TickState InitialTickState(const LocalTime& now) {
  TickState state;
  state.LastSecond = now.second;
  state.LastMinute = now.minute;
  state.LastHour = now.hour % 12;
  return state;
}

std::string FormatClockTime(const LocalTime& t, bool withSeconds) {
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_wday = t.weekday;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  char text[64];
  size_t n = std::strftime(text, sizeof text, withSeconds ? "%p %I:%M:%S" : "%p %I:%M", &tm);
  return std::string(text, n);
}

namespace {

bool RotationDue(const TickInputs& in) {
  if (in.fewIllusts || !in.updateIllust) return false;
  switch (in.updateTime) {
    case 0:
      return true;
    case 1:
      return in.now.minute == 0;
    case 2:
      return in.now.hour == 0;
    default:
      return false;
  }
}

}  // namespace

TickPlan PlanTick(TickState& state, const TickInputs& in) {
  TickPlan plan;
  const int s = in.now.second, m = in.now.minute, h = in.now.hour % 12;
  if (s == state.LastSecond && m == state.LastMinute && h == state.LastHour) return plan;

  if (in.secondHand || m != state.LastMinute || !state.firstTickDone) {
    plan.setTitle = true;
    plan.timeText = FormatClockTime(in.now, in.secondHand);
    std::string title = plan.timeText + " - Orvane";
    plan.title.assign(title.begin(), title.end());
  }
  // Minimized: only the title follows the clock; the rest waits for the first tick after restore.
  if (in.minimized) return plan;

  auto add = [&plan](TickStep::Kind kind, int value = 0, int value2 = 0) {
    plan.steps.push_back({kind, value, value2});
  };
  if (m != state.LastMinute) {
    plan.timeSignal = m == 0;
    if (RotationDue(in)) add(TickStep::RotateIllust);
    add(TickStep::DrawFace);
    add(TickStep::DrawHands, h, m);
    // The fresh face lost the old second hand; put it back so the erase below finds it.
    if (in.secondHand) add(TickStep::DrawSecondHand, state.LastSecond);
    state.LastMinute = m;
    state.LastHour = h;
    add(TickStep::UpdateTooltip);
  }
  if (s != state.LastSecond) {
    if (in.secondHand) {
      add(TickStep::DrawSecondHand, state.LastSecond);
      // During the first steps after start the hands are drawn again over the moving line.
      if (++state.secondHandSteps < 5) add(TickStep::DrawHands, h, m);
      add(TickStep::DrawSecondHand, s);
      add(TickStep::UpdateTooltip);
    }
    state.LastSecond = s;
  }
  if (!state.firstTickDone) {
    if (in.secondHand) add(TickStep::DrawHands, state.LastHour, state.LastMinute);
    add(TickStep::UpdateTooltip);
    state.firstTickDone = true;
  }
  return plan;
}
