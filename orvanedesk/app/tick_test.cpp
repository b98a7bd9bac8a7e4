#include "tick.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <stdexcept>

namespace {

using S = TickStep;

LocalTime At(int hour, int minute, int second) {
  LocalTime t{2026, 12, 31, 4, hour, minute, second};
  return t;
}

TickInputs Inputs(const LocalTime& now) {
  TickInputs in;
  in.now = now;
  return in;
}

TEST(TickTitle, FormatsLikeStrftime) {
  EXPECT_EQ(FormatClockTime(At(21, 59, 30), true), "PM 09:59:30");
  EXPECT_EQ(FormatClockTime(At(0, 5, 0), false), "AM 12:05");
  EXPECT_EQ(FormatClockTime(At(12, 0, 7), true), "PM 12:00:07");
}

TEST(Tick, UnchangedTimeDoesNothing) {
  TickState state = InitialTickState(At(9, 15, 20));
  TickPlan plan = PlanTick(state, Inputs(At(9, 15, 20)));
  EXPECT_FALSE(plan.setTitle);
  EXPECT_TRUE(plan.steps.empty());
  EXPECT_FALSE(state.firstTickDone);
}

TEST(Tick, FirstTickWithinTheMinute) {
  TickState state = InitialTickState(At(21, 59, 30));
  TickPlan plan = PlanTick(state, Inputs(At(21, 59, 31)));
  EXPECT_EQ(plan.title, L"PM 09:59:31 - Orvane");
  EXPECT_EQ(plan.timeText, "PM 09:59:31");
  std::vector<TickStep> expected = {{S::DrawSecondHand, 30}, {S::DrawHands, 9, 59},
                                    {S::DrawSecondHand, 31}, {S::UpdateTooltip},
                                    {S::DrawHands, 9, 59},   {S::UpdateTooltip}};
  EXPECT_EQ(plan.steps, expected);
  EXPECT_TRUE(state.firstTickDone);
  EXPECT_EQ(state.LastSecond, 31);
}

TEST(Tick, FirstTickWithoutSecondHandStillSetsTheTitle) {
  TickState state = InitialTickState(At(8, 10, 0));
  TickInputs in = Inputs(At(8, 10, 1));
  in.secondHand = false;
  TickPlan plan = PlanTick(state, in);
  EXPECT_EQ(plan.title, L"AM 08:10 - Orvane");
  EXPECT_EQ(plan.steps, (std::vector<TickStep>{{S::UpdateTooltip}}));
  // Later seconds of the same minute leave the title alone but keep following the clock.
  in.now = At(8, 10, 3);
  plan = PlanTick(state, in);
  EXPECT_FALSE(plan.setTitle);
  EXPECT_TRUE(plan.steps.empty());
  EXPECT_EQ(state.LastSecond, 3);
}

TEST(Tick, MinuteChangeRedrawsFaceAndKeepsSecondHandErasable) {
  TickState state = InitialTickState(At(21, 58, 0));
  state.firstTickDone = true;
  state.secondHandSteps = 10;
  state.LastSecond = 59;
  state.LastMinute = 58;
  TickPlan plan = PlanTick(state, Inputs(At(21, 59, 0)));
  std::vector<TickStep> expected = {
      {S::DrawFace},           {S::DrawHands, 9, 59},  {S::DrawSecondHand, 59}, {S::UpdateTooltip},
      {S::DrawSecondHand, 59}, {S::DrawSecondHand, 0}, {S::UpdateTooltip}};
  EXPECT_EQ(plan.steps, expected);
  EXPECT_EQ(state.LastMinute, 59);
  EXPECT_EQ(state.LastHour, 9);
}

TEST(Tick, FullHourPlaysSignalAndRotatesByInterval) {
  auto plan = [](int hour, int minute, int updateTime, bool few) {
    TickState state = InitialTickState(At(hour, minute, 0));
    state.firstTickDone = true;
    state.LastMinute = (minute + 59) % 60;
    TickInputs in = Inputs(At(hour, minute, 0));
    in.updateTime = updateTime;
    in.fewIllusts = few;
    return PlanTick(state, in).steps;
  };
  auto has = [](const std::vector<TickStep>& steps, S::Kind kind) {
    for (const auto& s : steps)
      if (s.kind == kind) return true;
    return false;
  };
  auto top = plan(22, 0, 1, false);
  EXPECT_EQ(top[0], (TickStep{S::RotateIllust}));
  EXPECT_TRUE(has(top, S::RotateIllust));
  EXPECT_FALSE(has(plan(22, 1, 1, false), S::RotateIllust));
  EXPECT_TRUE(has(plan(22, 1, 0, false), S::RotateIllust));
  EXPECT_TRUE(has(plan(0, 59, 2, false), S::RotateIllust));
  EXPECT_FALSE(has(plan(1, 0, 2, false), S::RotateIllust));
  EXPECT_FALSE(has(plan(22, 0, 0, true), S::RotateIllust));
}

TEST(Tick, MinimizedOnlyTitlesThenCatchesUpOnce) {
  TickState state = InitialTickState(At(21, 59, 58));
  state.firstTickDone = true;
  TickInputs in = Inputs(At(22, 0, 1));
  in.minimized = true;
  TickPlan plan = PlanTick(state, in);
  EXPECT_EQ(plan.title, L"PM 10:00:01 - Orvane");
  EXPECT_TRUE(plan.steps.empty());
  EXPECT_FALSE(plan.timeSignal);
  EXPECT_EQ(state.LastMinute, 59);
  // Restored: the face is redrawn and the time signal given for the new minute once. (The
  // alarms do not wait for this; they run while minimized too.)
  in.minimized = false;
  in.now = At(22, 0, 2);
  plan = PlanTick(state, in);
  EXPECT_EQ(plan.steps.front(), (TickStep{S::DrawFace}));
  EXPECT_TRUE(plan.timeSignal);
  in.now = At(22, 0, 3);
  plan = PlanTick(state, in);
  EXPECT_NE(plan.steps.front(), (TickStep{S::DrawFace}));
  EXPECT_FALSE(plan.timeSignal);
}

TEST(Tick, TimeSignalOnlyWhenANewMinuteIsZero) {
  TickState state = InitialTickState(At(9, 59, 50));
  auto signal = [&state](int hour, int minute, int second) {
    return PlanTick(state, Inputs(At(hour, minute, second))).timeSignal;
  };
  EXPECT_TRUE(signal(10, 0, 0));
  EXPECT_FALSE(signal(10, 0, 30));
  EXPECT_FALSE(signal(10, 1, 0));
  // A minute 0 the timer missed (held up, the computer asleep) is not signalled late.
  EXPECT_FALSE(signal(13, 20, 0));
  EXPECT_FALSE(signal(13, 21, 0));
  // A start at minute 0 is no new minute.
  TickState atZero = InitialTickState(At(11, 0, 5));
  EXPECT_FALSE(PlanTick(atZero, Inputs(At(11, 0, 6))).timeSignal);
}

TEST(Tick, SecondHandOffNeverDrawsIt) {
  TickState state = InitialTickState(At(10, 0, 0));
  TickInputs in = Inputs(At(10, 1, 5));
  in.secondHand = false;
  for (int i = 0; i < 3; ++i) {
    TickPlan plan = PlanTick(state, in);
    for (const auto& step : plan.steps) EXPECT_NE(step.kind, S::DrawSecondHand);
    in.now.second++;
  }
  EXPECT_EQ(state.LastSecond, 7);
  // Switched on: the next tick draws the hand at the new second after erasing the old place.
  in.secondHand = true;
  TickPlan plan = PlanTick(state, in);
  EXPECT_EQ(plan.steps[0], (TickStep{S::DrawSecondHand, 7}));
}

TEST(Tick, HandsRedrawnOnlyDuringTheFirstFourSteps) {
  TickState state = InitialTickState(At(10, 0, 0));
  state.firstTickDone = true;
  int redraws = 0;
  for (int s = 1; s <= 8; ++s) {
    for (const auto& step : PlanTick(state, Inputs(At(10, 0, s))).steps)
      redraws += step.kind == S::DrawHands;
  }
  EXPECT_EQ(redraws, 4);
}

}  // namespace
