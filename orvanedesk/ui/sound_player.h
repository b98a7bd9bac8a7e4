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
  // Whether an MM_MCINOTIFY notice tells that the sound playing now has ended. Closing a device
  // aborts its playback with a notice of its own, which can arrive after a new device has been
  // given the same identifier.
  bool Ended(WPARAM code, LPARAM device) const {
    return (code == MCI_NOTIFY_SUCCESSFUL || code == MCI_NOTIFY_FAILURE) && device_ != 0 &&
           static_cast<MCIDEVICEID>(device) == device_;
  }

 private:
  MCIDEVICEID device_ = 0;
};
