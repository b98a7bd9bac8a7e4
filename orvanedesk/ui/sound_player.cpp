#include "ui/sound_player.h"

#include "cp932.h"
#include "win/probe.h"

MCIERROR CSoundPlayer::Play(HWND notify, const std::string& path) {
  Close();
  std::wstring element = Cp932ToWide(path);
  MCI_OPEN_PARMSW open{};
  open.lpstrElementName = element.c_str();
  MCIERROR error =
      mciSendCommandW(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open));
  if (error) {
    // Some MCI drivers open the file through the system code page, which may lack the path's
    // characters; its short name, where the volume keeps one, reaches them on any code page.
    wchar_t shortName[MAX_PATH];
    DWORD length = GetShortPathNameW(element.c_str(), shortName, MAX_PATH);
    if (length == 0 || length >= MAX_PATH || element == shortName) return error;
    open = MCI_OPEN_PARMSW{};
    open.lpstrElementName = shortName;
    if (mciSendCommandW(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT,
                        reinterpret_cast<DWORD_PTR>(&open)) != 0) {
      return error;
    }
  }
  device_ = open.wDeviceID;
  MCI_PLAY_PARMS play{};
  play.dwCallback = reinterpret_cast<DWORD_PTR>(notify);
  error = mciSendCommandW(device_, MCI_PLAY, MCI_NOTIFY, reinterpret_cast<DWORD_PTR>(&play));
  if (error)
    Close();
  else
    ProbeAdd(ProbeKind::Sounds, 1);
  return error;
}

void CSoundPlayer::Close() {
  if (device_) {
    mciSendCommandW(device_, MCI_CLOSE, MCI_WAIT, 0);
    device_ = 0;
  }
}
