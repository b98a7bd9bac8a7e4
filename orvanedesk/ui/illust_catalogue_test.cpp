#include "ui/illust_catalogue.h"

#include <gtest/gtest.h>

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

}  // namespace
