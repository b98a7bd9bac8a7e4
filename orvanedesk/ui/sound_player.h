#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <string>

// Plays one sound file through MCI; the end of playback arrives as MM_MCINOTIFY at the window
// given to Play.
class CSoundPlayer {
 public:
  CSoundPlayer() = default;
  CSoundPlayer(const CSoundPlayer&) = delete;
  CSoundPlayer& operator=(const CSoundPlayer&) = delete;
  ~CSoundPlayer() { Close(); }

  // path: code page 932. Returns 0 when playback started, else the MCI error (device closed).
  MCIERROR Play(HWND notify, const std::string& path);
  void Close();
  // Whether a completion notice (its lParam) belongs to the device playing now.
  bool Holds(MCIDEVICEID device) const { return device != 0 && device == device_; }

 private:
  MCIDEVICEID device_ = 0;
};
