#include "position_file.h"

#include <gtest/gtest.h>

namespace {

TEST(PositionFileName, ReplacesTheExtensionOfAnyCase) {
  EXPECT_EQ(PositionFileName(L"C:\\Clocks\\tickmoth.exe"), L"C:\\Clocks\\tickmoth.INI");
  EXPECT_EQ(PositionFileName(L"C:\\Clocks\\TICKMOTH.EXE"), L"C:\\Clocks\\TICKMOTH.INI");
  EXPECT_EQ(PositionFileName(L"C:\\Clocks\\tick.moth.Exe"), L"C:\\Clocks\\tick.moth.INI");
  EXPECT_EQ(PositionFileName(L"D:/clock.bin"), L"D:/clock.INI");
}

TEST(PositionFileName, NameWithoutExtensionKeepsItsWholeName) {
  EXPECT_EQ(PositionFileName(L"C:\\Clocks\\tickmoth"), L"C:\\Clocks\\tickmoth.INI");
  // Dots in a folder name or a leading dot are not the file's extension.
  EXPECT_EQ(PositionFileName(L"C:\\my.clocks\\moth"), L"C:\\my.clocks\\moth.INI");
  EXPECT_EQ(PositionFileName(L"C:\\Clocks\\.moth"), L"C:\\Clocks\\.moth.INI");
  EXPECT_EQ(PositionFileName(L"C:\\Clocks\\moth."), L"C:\\Clocks\\moth.INI");
  EXPECT_EQ(PositionFileName(L"moth"), L"moth.INI");
}

TEST(ReadPosition, ReadsTheSectionsKeys) {
  EXPECT_EQ(ReadPosition("[Position]\r\nXpos=426\r\nYpos=136\r\n"), (WindowPosition{426, 136}));
  // Other sections, spaces, another case, LF-only lines and negative values (a left monitor).
  EXPECT_EQ(ReadPosition("[Other]\nXpos=5\n[position]\n  ypos = -40 \nXPOS=\t+12\n"),
            (WindowPosition{12, -40}));
  // The first of duplicate keys and of duplicate sections counts.
  EXPECT_EQ(ReadPosition("[Position]\r\nXpos=1\r\nXpos=2\r\n[Position]\r\nYpos=9\r\n"),
            (WindowPosition{1, 0}));
}

TEST(ReadPosition, MissingOrNonsenseReadsAsZero) {
  EXPECT_EQ(ReadPosition(""), (WindowPosition{0, 0}));
  EXPECT_EQ(ReadPosition("Xpos=100\r\nYpos=100\r\n"), (WindowPosition{0, 0}));  // no section
  EXPECT_EQ(ReadPosition("[Position]\r\nXpos=300\r\n"), (WindowPosition{300, 0}));
  EXPECT_EQ(ReadPosition("[Position]\r\nXpos=12abc\r\nYpos=\r\n"), (WindowPosition{0, 0}));
  EXPECT_EQ(ReadPosition("[Position]\r\nXpos=99999999999\r\nYpos=0x20\r\n"),
            (WindowPosition{0, 0}));
  EXPECT_EQ(ReadPosition("[Position\r\nXpos=7\r\n"), (WindowPosition{0, 0}));
  EXPECT_EQ(ReadPosition(std::string("\0\xff\xfe[Position]\0\0\0", 14)), (WindowPosition{0, 0}));
}

TEST(ReadPosition, KanjiWithBracketTrailByteIsNoSectionHeader) {
  // 0x83 0x5D is one character, so "[" + it is not a header and Xpos stays in the section.
  EXPECT_EQ(ReadPosition("[Position]\r\n[\x83]\r\nXpos=5\r\n"), (WindowPosition{5, 0}));
}

TEST(WritePosition, NewFileHoldsTheSectionInCrLfLines) {
  EXPECT_EQ(WritePosition("", {200, -5}), "[Position]\r\nXpos=200\r\nYpos=-5\r\n");
  EXPECT_EQ(ReadPosition(WritePosition("garbage\xff", {7, 8})), (WindowPosition{7, 8}));
}

TEST(WritePosition, KeepsEveryOtherLineOfAnExistingFile) {
  std::string before =
      "; \x95\x5c\x8e\xa6\r\n[Position]\r\nYpos=1\r\nNote=\x83]\r\n\r\n[Other]\r\nXpos=3\r\n";
  EXPECT_EQ(WritePosition(before, {10, 20}),
            "; \x95\x5c\x8e\xa6\r\n[Position]\r\nYpos=20\r\nNote=\x83]\r\nXpos=10\r\n\r\n"
            "[Other]\r\nXpos=3\r\n");
  EXPECT_EQ(WritePosition("[Other]\r\nA=1\r\n", {1, 2}),
            "[Other]\r\nA=1\r\n[Position]\r\nXpos=1\r\nYpos=2\r\n");
  // Saving what was read changes nothing.
  std::string saved = "[Position]\r\nXpos=426\r\nYpos=136\r\n";
  EXPECT_EQ(WritePosition(saved, ReadPosition(saved)), saved);
}

TEST(IsReachable, NeedsTheMiddleOfTheCircleOnAMonitor) {
  const std::vector<ScreenRect> one{{0, 0, 1024, 768}};
  EXPECT_TRUE(IsReachable({0, 0}, one));
  // The bounding square overlaps the screen, yet nothing of the circle shows.
  EXPECT_FALSE(IsReachable({-140, -140}, one));
  // The central square spans 59..90 of the window: it may touch the edges, not cross them.
  EXPECT_TRUE(IsReachable({-59, -59}, one));
  EXPECT_FALSE(IsReachable({-60, -59}, one));
  EXPECT_FALSE(IsReachable({-59, -60}, one));
  EXPECT_TRUE(IsReachable({1024 - 91, 768 - 91}, one));
  EXPECT_FALSE(IsReachable({1024 - 90, 768 - 91}, one));
  EXPECT_FALSE(IsReachable({0, 0}, {}));
}

TEST(IsReachable, CountsSeveralMonitorsTogether) {
  // A left monitor below the main one's top: the middle may straddle the two, not the gap.
  const std::vector<ScreenRect> two{{0, 0, 1024, 768}, {-1280, 200, 0, 1224}};
  EXPECT_TRUE(IsReachable({-1000, 500}, two));
  EXPECT_TRUE(IsReachable({-75, 300}, two));   // half on each
  EXPECT_FALSE(IsReachable({-75, 100}, two));  // partly over the corner no monitor covers
  EXPECT_TRUE(IsReachable({500, 800 - 91 - 32}, two));
}

}  // namespace
