#include "ui/sound_lists.h"

#include <gtest/gtest.h>

#include "line_file.h"

namespace {

using Lines = std::vector<std::string>;

SoundLists Parse(const std::string& bytes) { return ParseSoundIni(SplitLines(bytes)); }

TEST(SoundIni, EmptyFileGivesFourEmptyListsAndSavesFourHeaders) {
  SoundLists lists = Parse("");
  for (const SoundList& list : lists) EXPECT_TRUE(list.empty());
  EXPECT_EQ(JoinLines(SoundIniLines(lists[0], lists[1], lists[2], lists[3])),
            "[Boot]\r\n[Exit]\r\n[Time]\r\n[Away]\r\n");
}

TEST(SoundIni, OnlyTheNextHeaderInOrderEndsASection) {
  // "[Time]" cannot end [Boot]: it and B are boot entries, and the save keeps them there.
  SoundLists lists = Parse("[Boot]\r\nA\r\n[Time]\r\nB\r\n");
  EXPECT_EQ(lists[kBootSound], (Lines{"A", "[Time]", "B"}));
  EXPECT_TRUE(lists[kExitSound].empty() && lists[kTimeSound].empty() && lists[kAwaySound].empty());
  EXPECT_EQ(JoinLines(SoundIniLines(lists[0], lists[1], lists[2], lists[3])),
            "[Boot]\r\nA\r\n[Time]\r\nB\r\n[Exit]\r\n[Time]\r\n[Away]\r\n");

  // A repeated or lower-case header is an entry too; blank lines are entries.
  lists =
      Parse("[Boot]\r\n[Boot]\r\n[exit]\r\n\r\n[Exit]\r\nE\r\n[Time]\r\n[Away]\r\nW1\r\n[Boot]");
  EXPECT_EQ(lists[kBootSound], (Lines{"[Boot]", "[exit]", ""}));
  EXPECT_EQ(lists[kExitSound], (Lines{"E"}));
  EXPECT_TRUE(lists[kTimeSound].empty());
  EXPECT_EQ(lists[kAwaySound], (Lines{"W1", "[Boot]"}));
}

TEST(SoundIni, FileMayStartAtALaterHeader) {
  SoundLists lists = Parse("[Exit]\r\nC:\\bye.wav\r\n");
  EXPECT_TRUE(lists[kBootSound].empty());
  EXPECT_EQ(lists[kExitSound], (Lines{"C:\\bye.wav"}));
  EXPECT_TRUE(lists[kTimeSound].empty() && lists[kAwaySound].empty());

  lists = Parse("[Away]\nrun.wav\n[Exit]\n");
  EXPECT_EQ(lists[kAwaySound], (Lines{"run.wav", "[Exit]"}));
  // Lines before the first header belong nowhere.
  lists = Parse("junk\r\n[Boot]\r\nA\r\n");
  for (const SoundList& list : lists) EXPECT_TRUE(list.empty());
}

TEST(SoundIni, OnlyAFileThatStartsAtAHeaderIsSoundIni) {
  for (const char* bytes : {"", "[Boot]\r\n", "[Exit]\r\nC:\\bye.wav\r\n", "[Away]"})
    EXPECT_TRUE(IsSoundIni(SplitLines(bytes))) << bytes;
  // An editor's byte-order mark, a blank first line, lines before the first header.
  for (const char* bytes :
       {"\xEF\xBB\xBF[Boot]\r\n", "\r\n[Boot]\r\n", "junk\r\n[Boot]\r\n", "[boot]"})
    EXPECT_FALSE(IsSoundIni(SplitLines(bytes))) << bytes;
}

TEST(SoundIni, KanjiPathsRoundTripByteForByte) {
  // "\x83\x5c" is a kanji whose trail byte is a backslash; not valid CP932 "\x81\x20" stays too.
  const std::string bytes =
      "[Boot]\r\nC:\\\x83\x5c\\a.wav\r\n[Exit]\r\n[Time]\r\n\x81\x20\xff.wav\r\n[Away]\r\n";
  SoundLists lists = Parse(bytes);
  EXPECT_EQ(JoinLines(SoundIniLines(lists[0], lists[1], lists[2], lists[3])), bytes);
}

}  // namespace
