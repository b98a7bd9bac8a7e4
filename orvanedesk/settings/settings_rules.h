#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "ui/sound_lists.h"

// Decisions of the settings sheet's pages, apart from their windows. Texts are code page 932.

// Font type bit of a TrueType family and the symbol character set, as the system reports them.
constexpr unsigned kTrueTypeFontType = 4;
constexpr int kSymbolCharset = 2;

// Whether the general page offers a family for the numerals.
bool IsOfferedFontFamily(std::string_view face, unsigned fontType, int charSet);

// The sizes the general page offers, in their order.
const std::vector<std::string>& FontSizeEntries();

// Index of the first entry that begins with `prefix`, compared as a list box does (letters
// without regard to case); -1 when none does.
int FindPrefix(const std::vector<std::string>& entries, std::string_view prefix);

// After a click in the illustration list: the item to tick again when none is left ticked, else
// -1. `checks` holds the items' states after the click.
int ItemToRetick(const std::vector<int>& checks, int selected);

// The names the sound page shows for the sound events.
const std::string& SoundEventName(int event);
// Removes the first entry equal to `text`; false when there is none.
bool RemoveFirstEqual(std::vector<std::string>& list, std::string_view text);

// The sound page's buttons after the tree's selection changed. While a test plays, play and
// stop keep their states (`keepTestButtons`).
struct SoundButtons {
  bool clear = false;
  bool play = false;
  bool stop = false;
  bool keepTestButtons = false;
};
SoundButtons ButtonsForSelection(bool fileEntry, bool testing);
