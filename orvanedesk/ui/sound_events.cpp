#include "ui/sound_events.h"

#include <cstdlib>

#include "line_file.h"
#include "ui/sound_lists.h"

bool CSoundEvents::Read(const std::string& bytes) {
  std::vector<std::string> lines = SplitLines(bytes);
  // Read as no sounds, such a file would be replaced by bare headers at the next close.
  if (!IsSoundIni(lines)) return false;
  SoundLists lists = ParseSoundIni(lines);
  BootSounds = std::move(lists[kBootSound]);
  ExitSounds = std::move(lists[kExitSound]);
  TimeSounds = std::move(lists[kTimeSound]);
  AwaySounds = std::move(lists[kAwaySound]);
  return true;
}

std::string CSoundEvents::Bytes() const {
  return JoinLines(SoundIniLines(BootSounds, ExitSounds, TimeSounds, AwaySounds));
}

void CSoundEvents::PlayRandom(HWND notify, const std::vector<std::string>& sounds) {
  if (playing_ || sounds.empty()) return;
  const std::string& file = sounds[std::rand() % sounds.size()];
  if (player_.Play(notify, file) == 0) playing_ = true;
}

bool CSoundEvents::Ended(WPARAM code, LPARAM device) {
  if (!player_.Ended(code, device)) return false;
  player_.Close();
  playing_ = false;
  return true;
}
