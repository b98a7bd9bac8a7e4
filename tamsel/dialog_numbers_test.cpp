#include "dialog_numbers.h"

#include <gtest/gtest.h>

namespace {

TEST(DialogNumber, FirstTwoCharactersAsADecimal) {
  EXPECT_EQ(ReadDialogNumber(L"123"), 12);
  EXPECT_EQ(ReadDialogNumber(L"7"), 7);
  EXPECT_EQ(ReadDialogNumber(L"07"), 7);
  EXPECT_EQ(ReadDialogNumber(L"ab"), 0);
  EXPECT_EQ(ReadDialogNumber(L""), 0);
  EXPECT_EQ(ReadDialogNumber(L" 5"), 5);
  EXPECT_EQ(ReadDialogNumber(L"-1"), -1);
  EXPECT_EQ(ReadDialogNumber(L"3x"), 3);
  EXPECT_EQ(ReadDialogNumber(L"24"), 24);
}

}  // namespace
