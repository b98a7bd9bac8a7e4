#include "ui/sound_lists.h"

const std::array<const char*, kSoundEventCount> kSoundHeaders = {"[Boot]", "[Exit]", "[Time]",
                                                                 "[Away]"};

SoundLists ParseSoundIni(const std::vector<std::string>& lines) {
  SoundLists lists;
  size_t i = 0;
  for (int event = 0; event < kSoundEventCount; ++event) {
    if (i >= lines.size() || lines[i] != kSoundHeaders[event]) continue;
    ++i;
    const bool last = event + 1 == kSoundEventCount;
    while (i < lines.size() && (last || lines[i] != kSoundHeaders[event + 1])) {
      lists[event].push_back(lines[i++]);
    }
  }
  return lists;
}

bool IsSoundIni(const std::vector<std::string>& lines) {
  if (lines.empty()) return true;
  for (const char* header : kSoundHeaders)
    if (lines[0] == header) return true;
  return false;
}

std::vector<std::string> SoundIniLines(const SoundList& boot, const SoundList& exit,
                                       const SoundList& time, const SoundList& away) {
  std::vector<std::string> lines;
  const SoundList* lists[] = {&boot, &exit, &time, &away};
  for (int event = 0; event < kSoundEventCount; ++event) {
    lines.push_back(kSoundHeaders[event]);
    lines.insert(lines.end(), lists[event]->begin(), lists[event]->end());
  }
  return lines;
}
