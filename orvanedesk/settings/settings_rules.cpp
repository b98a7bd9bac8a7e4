#include "settings/settings_rules.h"

#include "cp932.h"

bool IsOfferedFontFamily(std::string_view face, unsigned fontType, int charSet) {
  // An at sign marks the vertical-writing twin of a family; symbol fonts have no numerals.
  return (fontType & kTrueTypeFontType) && (face.empty() || face[0] != '@') &&
         charSet != kSymbolCharset;
}

const std::vector<std::string>& FontSizeEntries() {
  static const std::vector<std::string> sizes{"3", "4",  "5",  "6",  "7",  "8",
                                              "9", "10", "12", "14", "16", "18"};
  return sizes;
}

namespace {

unsigned char Fold(unsigned char c) { return c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c; }

// Case-blind prefix test that steps over double-byte characters, whose trail byte may look
// like a letter.
bool BeginsWith(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (size_t i = 0; i < prefix.size(); ++i) {
    auto a = static_cast<unsigned char>(text[i]), b = static_cast<unsigned char>(prefix[i]);
    if (IsCp932LeadByte(a)) {
      if (a != b || i + 1 >= prefix.size() || text[i + 1] != prefix[i + 1]) {
        // A prefix ending inside a character cannot match it.
        return false;
      }
      ++i;
      continue;
    }
    if (Fold(a) != Fold(b)) return false;
  }
  return true;
}

}  // namespace

int FindPrefix(const std::vector<std::string>& entries, std::string_view prefix) {
  for (size_t i = 0; i < entries.size(); ++i)
    if (BeginsWith(entries[i], prefix)) return static_cast<int>(i);
  return -1;
}

int ItemToRetick(const std::vector<int>& checks, int selected) {
  for (int c : checks)
    if (c) return -1;
  return selected;
}

const std::string& SoundEventName(int event) {
  static const std::string names[kSoundEventCount] = {
      "Orvane\x82\xcc\x8b\x4e\x93\xae",               // Orvaneの起動
      "Orvane\x82\xcc\x8f\x49\x97\xb9",               // Orvaneの終了
      "\x8e\x9e\x95\xf1",                             // 時報
      "\x83\x7d\x83\x45\x83\x58\x82\xa9\x82\xe7\x93"  // マウスから逃げる
      "\xa6\x82\xb0\x82\xe9"};
  return names[event];
}

bool RemoveFirstEqual(std::vector<std::string>& list, std::string_view text) {
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (*it == text) {
      list.erase(it);
      return true;
    }
  }
  return false;
}

SoundButtons ButtonsForSelection(bool fileEntry, bool testing) {
  SoundButtons b;
  b.clear = fileEntry;
  b.keepTestButtons = testing;
  b.play = fileEntry;
  b.stop = false;
  return b;
}
