// Sound.ini as found on disk: any bytes load into the four lists, and the lists save to lines
// that load back to the same lists. An entry equal to the next event's header cannot be held
// (it ends its list when read back); every other list round-trips exactly.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

#include "check.h"
#include "line_file.h"
#include "ui/sound_lists.h"

namespace {

std::vector<std::string> Save(const SoundLists& lists) {
  return SoundIniLines(lists[kBootSound], lists[kExitSound], lists[kTimeSound], lists[kAwaySound]);
}

bool Holdable(const SoundLists& lists) {
  for (int event = 0; event + 1 < kSoundEventCount; ++event) {
    const SoundList& list = lists[event];
    if (std::find(list.begin(), list.end(), kSoundHeaders[event + 1]) != list.end()) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  if (in.ConsumeBool()) {
    // Lists as the sound page makes them: entries of any bytes but line breaks.
    SoundLists lists;
    for (SoundList& list : lists) {
      list.resize(in.ConsumeIntegralInRange<size_t>(0, 3));
      for (std::string& entry : list) {
        entry = in.ConsumeRandomLengthString(24);
        entry.erase(std::remove(entry.begin(), entry.end(), '\n'), entry.end());
        if (!entry.empty() && entry.back() == '\r') entry.pop_back();
        if (in.ConsumeBool()) entry = kSoundHeaders[in.ConsumeIntegralInRange(0, 3)];
      }
    }
    SoundLists back = ParseSoundIni(SplitLines(JoinLines(Save(lists))));
    if (Holdable(lists)) FUZZ_CHECK(back == lists);
    return 0;
  }
  std::string bytes = in.ConsumeRemainingBytesAsString();
  SoundLists loaded = ParseSoundIni(SplitLines(bytes));
  size_t entries = 0;
  for (const SoundList& list : loaded) entries += list.size();
  FUZZ_CHECK(entries <= SplitLines(bytes).size());
  // What loaded saves and loads back unchanged.
  FUZZ_CHECK(ParseSoundIni(SplitLines(JoinLines(Save(loaded)))) == loaded);
  return 0;
}
