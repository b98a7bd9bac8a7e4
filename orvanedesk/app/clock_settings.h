#pragma once

#include <string>

// The desk clock's options; the member initialisers are the values of a fresh user.
struct ClockSettings {
  int FullWindow = 0;
  int StayOnTop = 0;
  int StayDesktop = 0;
  int RunAwayMouse = 0;
  int SecondHand = 1;
  int TitleFace = 0;
  int UpdateIllust = 1;
  int UpdateTime = 1;  // 0 every minute, 1 every hour, 2 every day
  std::string FontFace = "Times New Roman";
  int FontSize = 7;
};
