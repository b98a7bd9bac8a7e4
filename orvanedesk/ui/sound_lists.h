#pragma once

#include <array>
#include <string>
#include <vector>

// The four sound events in their fixed order: start, exit, time signal, running away.
enum SoundEvent { kBootSound, kExitSound, kTimeSound, kAwaySound, kSoundEventCount };
extern const std::array<const char*, kSoundEventCount> kSoundHeaders;

using SoundList = std::vector<std::string>;
using SoundLists = std::array<SoundList, kSoundEventCount>;

// Sound.ini's lines to the four lists, and back. Only the header that follows in the fixed
// order ends a section; any other line, blank or header-like, is an entry.
SoundLists ParseSoundIni(const std::vector<std::string>& lines);
// Whether the lines can be Sound.ini: none, or the first one of the four headers. Other files
// (an editor's byte-order mark, a blank first line) read as no sounds at all.
bool IsSoundIni(const std::vector<std::string>& lines);
std::vector<std::string> SoundIniLines(const SoundList& boot, const SoundList& exit,
                                       const SoundList& time, const SoundList& away);
