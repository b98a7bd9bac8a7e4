#include "settings/clock_settings.h"

#include <algorithm>

#include "framework/profile.h"

ClockSettings ReadClockSettings(const CProfile& profile) {
  const ClockSettings fresh;
  ClockSettings s;
  s.FullWindow = profile.GetInt(kSettingsSection, L"FullWindow", fresh.FullWindow);
  s.StayOnTop = profile.GetInt(kSettingsSection, L"StayOnTop", fresh.StayOnTop);
  s.StayDesktop = profile.GetInt(kSettingsSection, L"StayDesktop", fresh.StayDesktop);
  s.RunAwayMouse = profile.GetInt(kSettingsSection, L"RunAwayMouse", fresh.RunAwayMouse);
  s.SecondHand = profile.GetInt(kSettingsSection, L"SecondHand", fresh.SecondHand);
  s.TitleFace = profile.GetInt(kSettingsSection, L"TitleFace", fresh.TitleFace);
  s.UpdateIllust = profile.GetInt(kSettingsSection, L"UpdateIllust", fresh.UpdateIllust);
  s.UpdateTime = profile.GetInt(kSettingsSection, L"UpdateTime", fresh.UpdateTime);
  s.FontFace = profile.GetString(kSettingsSection, L"FontFace", fresh.FontFace);
  s.FontSize = std::clamp(profile.GetInt(kSettingsSection, L"FontSize", fresh.FontSize),
                          -kMaxFontSize, kMaxFontSize);
  return s;
}

bool WriteClockSettings(CProfile& profile, const ClockSettings& s) {
  bool ok = true;
  ok &= profile.WriteInt(kSettingsSection, L"FullWindow", s.FullWindow);
  ok &= profile.WriteInt(kSettingsSection, L"StayOnTop", s.StayOnTop);
  ok &= profile.WriteInt(kSettingsSection, L"StayDesktop", s.StayDesktop);
  ok &= profile.WriteInt(kSettingsSection, L"RunAwayMouse", s.RunAwayMouse);
  ok &= profile.WriteInt(kSettingsSection, L"SecondHand", s.SecondHand);
  ok &= profile.WriteInt(kSettingsSection, L"TitleFace", s.TitleFace);
  ok &= profile.WriteInt(kSettingsSection, L"UpdateIllust", s.UpdateIllust);
  ok &= profile.WriteInt(kSettingsSection, L"UpdateTime", s.UpdateTime);
  ok &= profile.WriteString(kSettingsSection, L"FontFace", s.FontFace);
  ok &= profile.WriteInt(kSettingsSection, L"FontSize", s.FontSize);
  return ok;
}
