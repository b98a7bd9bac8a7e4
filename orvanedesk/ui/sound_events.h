#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "ui/sound_player.h"

// The sound events' lists (Sound.ini) and the one sound the clock plays at a time.
class CSoundEvents {
 public:
  std::vector<std::string> BootSounds, ExitSounds, TimeSounds, AwaySounds;

  // Sound.ini's bytes; false when they are not a sound list (the lists stay empty).
  bool Read(const std::string& bytes);
  std::string Bytes() const;

  // A random one of the list, unless a sound plays already; its end is told to `notify`.
  void PlayRandom(HWND notify, const std::vector<std::string>& sounds);
  bool Playing() const { return playing_; }
  // Whether an MM_MCINOTIFY notice ends the sound playing now; the player is then closed.
  bool Ended(WPARAM code, LPARAM device);

 private:
  CSoundPlayer player_;
  bool playing_ = false;
};
