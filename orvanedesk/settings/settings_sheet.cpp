#include "settings/settings_sheet.h"

#include "res/resource.h"

CMyPropertySheet::CMyPropertySheet(HWND owner, HIMAGELIST icons,
                                   decltype(CMyPropertyPage4::ShowNow) showNow, Confirm confirm)
    : CPropertySheet(LoadResourceString(IDS_PROPERTIES), owner), confirm_(std::move(confirm)) {
  m_Page4.ShowNow = std::move(showNow);
  m_Page2.IconList = icons;
  m_Page3.IconList = icons;
  AddPage(&m_Page1);
  AddPage(&m_Page4);
  AddPage(&m_Page2);
  AddPage(&m_Page3);
}

void CMyPropertySheet::CopyIn(const SheetValues& values) {
  settings_ = values.Settings;
  m_Page1.SecondHand = values.Settings.SecondHand;
  m_Page1.TitleFace = values.Settings.TitleFace;
  m_Page1.FontFace = values.Settings.FontFace;
  m_Page1.FontSize = values.Settings.FontSize;
  m_Page4.UpdateIllust = values.Settings.UpdateIllust;
  m_Page4.UpdateTime = values.Settings.UpdateTime;
  m_Page4.IllustNames = values.IllustNames;
  m_Page4.IllustShown = values.IllustShown;
  for (int i = 0; i < kSoundEventCount; ++i) m_Page2.Sounds[i] = values.Sounds[i];
  m_Page3.Records = values.Messages;
}

SheetValues CMyPropertySheet::Confirmed() const {
  SheetValues values;
  values.Settings = settings_;
  values.Settings.SecondHand = m_Page1.SecondHand;
  values.Settings.TitleFace = m_Page1.TitleFace;
  values.Settings.FontFace = m_Page1.FontFace;
  values.Settings.FontSize = m_Page1.FontSize;
  values.Settings.UpdateIllust = m_Page4.UpdateIllust;
  values.Settings.UpdateTime = m_Page4.UpdateTime;
  values.IllustNames = m_Page4.IllustNames;
  values.IllustShown = m_Page4.IllustShown;
  for (int i = 0; i < kSoundEventCount; ++i) values.Sounds[i] = m_Page2.Sounds[i];
  values.Messages = m_Page3.Records;
  return values;
}

bool CMyPropertySheet::Run() {
  if (DoModal() != IDOK) return false;
  confirm_(Confirmed());
  return true;
}

bool CMyPropertySheet::OnCommand(int id, int code, HWND control) {
  if (id != kIdApplyNow) return CPropertySheet::OnCommand(id, code, control);
  // The sheet's own Apply first: each shown page takes its controls into its members.
  Default(WM_COMMAND, MAKEWPARAM(id, code), reinterpret_cast<LPARAM>(control));
  m_Page1.SetModified(false);
  m_Page2.SetModified(false);
  m_Page3.SetModified(false);
  confirm_(Confirmed());
  return true;
}
