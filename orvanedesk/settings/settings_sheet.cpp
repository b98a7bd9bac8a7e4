#include "settings/settings_sheet.h"

#include <algorithm>
#include <cstdlib>

#include "app/mainwindow.h"
#include "res/resource.h"

CMyPropertySheet::CMyPropertySheet(CMainwindow& owner)
    : CPropertySheet(LoadResourceString(IDS_PROPERTIES), owner.hwnd()), owner_(owner) {
  AddPage(&m_Page1);
  AddPage(&m_Page4);
  AddPage(&m_Page2);
  AddPage(&m_Page3);
}

void CMyPropertySheet::CopyIn() {
  const ClockSettings& s = owner_.Settings;
  m_Page1.SecondHand = s.SecondHand;
  m_Page1.TitleFace = s.TitleFace;
  m_Page1.FontFace = s.FontFace;
  m_Page1.FontSize = s.FontSize;
  m_Page4.UpdateIllust = s.UpdateIllust;
  m_Page4.UpdateTime = s.UpdateTime;
  m_Page4.IllustNames = owner_.IllustNames;
  m_Page4.IllustShown = owner_.IllustShown;
  // Show now puts the picture on the clock at once, outside OK and Cancel.
  m_Page4.ShowNow = [this](int index, const std::string& name) {
    owner_.CurrentIllust = index;
    owner_.IllustName = name;
    RedrawWindow(owner_.hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  };
  m_Page2.Sounds[0] = owner_.BootSounds;
  m_Page2.Sounds[1] = owner_.ExitSounds;
  m_Page2.Sounds[2] = owner_.TimeSounds;
  m_Page2.Sounds[3] = owner_.AwaySounds;
  m_Page2.IconList = owner_.IconList();
  m_Page3.Records = owner_.Messages;
  m_Page3.IconList = owner_.IconList();
}

void CMyPropertySheet::CopyBack() { owner_.TakeSettings(*this); }

bool CMyPropertySheet::OnCommand(int id, int code, HWND control) {
  if (id != kIdApplyNow) return CPropertySheet::OnCommand(id, code, control);
  // The sheet's own Apply first: each shown page takes its controls into its members.
  Default(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
  m_Page1.SetModified(false);
  m_Page2.SetModified(false);
  m_Page3.SetModified(false);
  CopyBack();
  return true;
}

void CMainwindow::ShowProperties() {
  CMyPropertySheet sheet(*this);
  sheet.CopyIn();
  if (sheet.DoModal() == IDOK) sheet.CopyBack();
}

void CMainwindow::TakeSettings(const CMyPropertySheet& sheet) {
  Settings.SecondHand = sheet.m_Page1.SecondHand;
  Settings.TitleFace = sheet.m_Page1.TitleFace;
  Settings.FontFace = sheet.m_Page1.FontFace;
  Settings.FontSize = sheet.m_Page1.FontSize;
  Settings.UpdateIllust = sheet.m_Page4.UpdateIllust;
  Settings.UpdateTime = sheet.m_Page4.UpdateTime;
  IllustShown = sheet.m_Page4.IllustShown;
  // An illustration no longer shown gives way to a random shown one, and the face is redrawn.
  RecheckIllusts();
  BootSounds = sheet.m_Page2.Sounds[0];
  ExitSounds = sheet.m_Page2.Sounds[1];
  TimeSounds = sheet.m_Page2.Sounds[2];
  AwaySounds = sheet.m_Page2.Sounds[3];
  Messages = sheet.m_Page3.Records;
  RebuildHourMessages();
  SetTooltipText(TooltipText());
  // What the user confirmed goes to disk at once, so a crash later in the run cannot lose it.
  SaveSettings(true);
}
