#include "settings/settings_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(FontFilter, OffersHorizontalTrueTypeTextFamiliesOnly) {
  EXPECT_TRUE(IsOfferedFontFamily("Times New Roman", 4, 0));
  EXPECT_TRUE(IsOfferedFontFamily("\x82\x6c\x82\x72 \x96\xbe\x92\xa9", 4 | 2, 128));
  EXPECT_FALSE(IsOfferedFontFamily("System", 1, 0));  // raster
  EXPECT_FALSE(IsOfferedFontFamily("Helv", 2, 0));    // device
  EXPECT_FALSE(IsOfferedFontFamily("@\x82\x6c\x82\x72 \x96\xbe\x92\xa9", 4, 128));
  EXPECT_FALSE(IsOfferedFontFamily("Symbol", 4, 2));
  // Only the first character marks a vertical face.
  EXPECT_TRUE(IsOfferedFontFamily("A@B", 4, 0));
}

TEST(PrefixSelection, FirstEntryBeginningWithTheTextWithoutRegardToCase) {
  const auto& sizes = FontSizeEntries();
  ASSERT_EQ(sizes.size(), 12u);
  EXPECT_EQ(FindPrefix(sizes, "7"), 4);
  EXPECT_EQ(FindPrefix(sizes, "1"), 7);  // "10", the first that begins with "1"
  EXPECT_EQ(FindPrefix(sizes, "11"), -1);
  EXPECT_EQ(FindPrefix(sizes, "18"), 11);
  EXPECT_EQ(FindPrefix(sizes, "-1"), -1);

  std::vector<std::string> fonts{"Arial", "Times New Roman", "times", "Verdana"};
  EXPECT_EQ(FindPrefix(fonts, "TIMES"), 1);
  EXPECT_EQ(FindPrefix(fonts, "times new roman"), 1);
  EXPECT_EQ(FindPrefix(fonts, "Times New Roman Bold"), -1);
  EXPECT_EQ(FindPrefix(fonts, "Courier"), -1);
  EXPECT_EQ(FindPrefix({}, "A"), -1);
}

TEST(PrefixSelection, DoubleByteCharactersAreComparedWhole) {
  // The trail bytes of ＭＳ (0x6C, 0x72) look like letters; folding them would confuse characters.
  std::vector<std::string> fonts{"\x82\x6c\x82\x72 Gothic", "\x82\x6c\x82\x52"};
  EXPECT_EQ(FindPrefix(fonts, "\x82\x6c\x82\x72"), 0);
  EXPECT_EQ(FindPrefix(fonts, "\x82\x4c"), -1);  // would match 0x6C folded to 'L'
  EXPECT_EQ(FindPrefix(fonts, "\x82\x6c\x82\x52"), 1);
  // A prefix that stops inside a character matches nothing.
  EXPECT_EQ(FindPrefix(fonts, "\x82"), -1);
}

TEST(IllustrationChecks, TheLastUntickedItemIsTickedAgain) {
  EXPECT_EQ(ItemToRetick({0, 0, 0}, 2), 2);
  EXPECT_EQ(ItemToRetick({0, 1, 0}, 2), -1);
  EXPECT_EQ(ItemToRetick({1}, 0), -1);
  EXPECT_EQ(ItemToRetick({0}, 0), 0);
}

TEST(SoundTree, EventsInTheirFixedOrder) {
  // The tree tells events by their nodes, not by these names, which a file may also bear.
  EXPECT_EQ(SoundEventName(0), "Orvane\x82\xcc\x8b\x4e\x93\xae");  // Orvaneの起動
  EXPECT_EQ(SoundEventName(1), "Orvane\x82\xcc\x8f\x49\x97\xb9");  // Orvaneの終了
  EXPECT_EQ(SoundEventName(2), "\x8e\x9e\x95\xf1");                // 時報
  EXPECT_EQ(SoundEventName(3), "\x83\x7d\x83\x45\x83\x58\x82\xa9\x82\xe7\x93\xa6\x82\xb0\x82\xe9");
}

TEST(SoundTree, ClearRemovesTheFirstEqualEntryOnly) {
  std::vector<std::string> list{"a.wav", "b.wav", "a.wav"};
  EXPECT_TRUE(RemoveFirstEqual(list, "a.wav"));
  EXPECT_EQ(list, (std::vector<std::string>{"b.wav", "a.wav"}));
  EXPECT_FALSE(RemoveFirstEqual(list, "A.wav"));
  EXPECT_TRUE(RemoveFirstEqual(list, "a.wav"));
  EXPECT_EQ(list, (std::vector<std::string>{"b.wav"}));
}

TEST(SoundTree, ButtonsFollowTheSelectionUnlessATestPlays) {
  SoundButtons event = ButtonsForSelection(false, false);
  EXPECT_FALSE(event.clear);
  EXPECT_FALSE(event.play);
  EXPECT_FALSE(event.stop);
  EXPECT_FALSE(event.keepTestButtons);
  SoundButtons file = ButtonsForSelection(true, false);
  EXPECT_TRUE(file.clear);
  EXPECT_TRUE(file.play);
  EXPECT_FALSE(file.stop);
  EXPECT_TRUE(ButtonsForSelection(false, true).keepTestButtons);
  EXPECT_FALSE(ButtonsForSelection(false, true).clear);
}

}  // namespace
