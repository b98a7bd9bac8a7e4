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

// The largest FontSize, either sign, taken from the registry: a numeral of 200 points is already
// taller than the face, and a larger hand-made value would overflow the font height's arithmetic.
constexpr int kMaxFontSize = 200;

class CProfile;

// The registry section of the options and of the window's placement.
constexpr wchar_t kSettingsSection[] = L"Version 1.0";

// The options in the registry; a missing or mistyped value reads as a fresh user's.
ClockSettings ReadClockSettings(const CProfile& profile);
// false when the registry refused any value.
bool WriteClockSettings(CProfile& profile, const ClockSettings& settings);
