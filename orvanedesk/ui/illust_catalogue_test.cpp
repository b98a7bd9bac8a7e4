#include "ui/illust_catalogue.h"

#include <gtest/gtest.h>

#include <random>
#include <stdexcept>

#include "line_file.h"

namespace {

using Flags = std::vector<int>;

TEST(ShowIni, PaddedWithOneOrCutToTheNames) {
  EXPECT_EQ(ParseShowIni(SplitLines("0\r\n1\r\n1\r\n0\r\n1\r\n"), 3), (Flags{0, 1, 1}));
  EXPECT_EQ(ParseShowIni(SplitLines("1\r\n"), 3), (Flags{1, 1, 1}));
  EXPECT_EQ(ParseShowIni({}, 3), (Flags{1, 1, 1}));
  EXPECT_EQ(ParseShowIni(SplitLines("0\r\n0\r\n"), 0), Flags{});
}

TEST(ShowIni, LinesReadLikeAtoi) {
  EXPECT_EQ(ParseShowIni(SplitLines("abc\n2\n \t+1x\n-0\n\n007\n-12\n"), 7),
            (Flags{0, 2, 1, 0, 0, 7, -12}));
  // Far beyond the int range saturates instead of overflowing.
  EXPECT_EQ(AtoiLine("99999999999999999999"), 2147483647);
  EXPECT_EQ(AtoiLine("-99999999999999999999"), -2147483647 - 1);
  EXPECT_EQ(AtoiLine("-2147483648"), -2147483647 - 1);
}

TEST(ShowIni, SavedAsDecimalLinesWithCrLf) {
  EXPECT_EQ(JoinLines(ShowIniLines({0, 1, 1})), "0\r\n1\r\n1\r\n");
  EXPECT_EQ(JoinLines(ShowIniLines({2, -3})), "2\r\n-3\r\n");
  EXPECT_EQ(JoinLines(ShowIniLines({})), "");
}

TEST(IllustRotation, NeverPicksTheCurrentOrAnUnshown) {
  std::vector<int> draws = {1, 6, 3};  // the current, an unshown (6 % 4), then a good one
  size_t i = 0;
  auto rng = [&] { return draws[i++]; };
  EXPECT_EQ(PickNextIllust({1, 1, 0, 1}, 1, rng), 3);
  EXPECT_EQ(i, 3u);
  // Nothing else to show: no loop, the current one stays.
  EXPECT_EQ(PickNextIllust({0, 1, 0}, 1, rng), 1);
  EXPECT_EQ(PickNextIllust({}, 0, rng), 0);
}

TEST(IllustPicks, FirstPickDrawsUntilAShownOne) {
  // 4 % 3 = 1 and 9 % 3 = 0 are not shown; 5 % 3 = 2 is.
  std::vector<int> draws{4, 9, 5};
  size_t i = 0;
  auto rng = [&] { return draws[i++]; };
  EXPECT_EQ(PickFirstIllust({0, 0, 1}, rng), 2);
  EXPECT_EQ(i, 3u);
  i = 0;
  draws = {7};
  EXPECT_EQ(PickFirstIllust({1, 1, 1, 1}, rng), 3);
}

TEST(IllustPicks, ACatalogueBeyondTheGeneratorsRangeIsDrawnWhole) {
  // Only entries above 32767, which rand() alone never reaches under the Windows runtime.
  std::vector<int> shown(40000, 0);
  for (int i = 32768; i < 40000; i += 2) shown[i] = 1;
  std::mt19937 engine(7);
  std::uniform_int_distribution<int> values(0, RAND_MAX);
  int draws = 0;
  auto rng = [&] {
    if (++draws > 100000) throw std::runtime_error("the pick does not end");
    return values(engine);
  };
  for (int round = 0; round < 20; ++round) {
    int first = PickFirstIllust(shown, rng);
    ASSERT_TRUE(first >= 0 && shown[first] == 1) << first;
    int next = PickNextIllust(shown, first, rng);
    EXPECT_TRUE(next != first && shown[next] == 1) << next;
    EXPECT_EQ(shown[RecheckIllust(shown, 0, rng)], 1);
  }
}

TEST(IllustPicks, EmptyOrNoneShownCatalogueEndsWithoutAPicture) {
  auto never = []() -> int {
    ADD_FAILURE() << "no draw may be made";
    return 0;
  };
  EXPECT_EQ(PickFirstIllust({}, never), kNoIllust);
  EXPECT_EQ(PickFirstIllust({0, 2, -1}, never), kNoIllust);
  EXPECT_EQ(RecheckIllust({0, 0}, 1, never), kNoIllust);
  EXPECT_EQ(RecheckIllust({}, kNoIllust, never), kNoIllust);
  EXPECT_EQ(PickNextIllust({}, kNoIllust, never), kNoIllust);
  EXPECT_TRUE(HasFewIllusts({}));
  EXPECT_TRUE(HasFewIllusts({0, 0, 2}));
  EXPECT_TRUE(HasFewIllusts({0, 1, 2}));
  EXPECT_FALSE(HasFewIllusts({1, 0, 1}));
}

TEST(IllustPicks, RecheckKeepsAShownCurrentAndReplacesAnUnshownOne) {
  int draws = 0;
  auto rng = [&] { return draws++; };
  EXPECT_EQ(RecheckIllust({1, 1, 0}, 1, rng), 1);
  EXPECT_EQ(draws, 0);
  // Current 2 was unmarked: draws 0 % 3 = 0 is shown.
  EXPECT_EQ(RecheckIllust({1, 1, 0}, 2, rng), 0);
  // Nothing was on show before, now one is.
  draws = 0;
  EXPECT_EQ(RecheckIllust({0, 0, 1}, kNoIllust, rng), 2);
}

}  // namespace
