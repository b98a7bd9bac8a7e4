#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cp932.h"
#include "line_file.h"

namespace {

TEST(Cp932, RoundTripsJapaneseAndSeesTrailBackslash) {
  // "表示" is 0x95 0x5C 0x8E 0xA6: the trail byte of the first kanji is a backslash.
  const std::string bytes = "\x95\x5C\x8E\xA6";
  EXPECT_EQ(Cp932ToWide(bytes), L"\u8868\u793A");
  EXPECT_EQ(WideToCp932(L"\u8868\u793A"), bytes);
  EXPECT_TRUE(IsCp932LeadByte(0x95));
  EXPECT_FALSE(IsCp932LeadByte(0x5C));
  EXPECT_FALSE(IsCp932LeadByte(0xA6));  // half-width katakana is single-byte
  EXPECT_EQ(Cp932ToWide("PM 09:59"), L"PM 09:59");
  EXPECT_EQ(Cp932ToWide(""), L"");
}

TEST(LineFile, SplitsCrLfBareLfAndUnterminatedLastLine) {
  EXPECT_EQ(SplitLines("a\r\nb\nc"), (std::vector<std::string>{"a", "b", "c"}));
  EXPECT_EQ(SplitLines("a\r\n\r\n"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(SplitLines(""), std::vector<std::string>{});
  // A lone CR inside a line is data, not a line end.
  EXPECT_EQ(SplitLines("x\ry\r\n"), (std::vector<std::string>{"x\ry"}));
  EXPECT_EQ(JoinLines({"a", ""}), "a\r\n\r\n");
}

class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("clocks_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path folder_;
};

TEST_F(TempFolder, AtomicWriteReplacesAndKeepsBytes) {
  FilePath path = (folder_ / "Show.ini").native();
  ASSERT_TRUE(WriteLines(path, {"1", "0"}));
  ASSERT_TRUE(WriteLines(path, {"\x95\x5C", "x"}));
  EXPECT_EQ(ReadFileBytes(path), std::optional<std::string>("\x95\x5C\r\nx\r\n"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "Show.ini.tmp"));
  // Bytes that are not valid code page 932 come back unchanged.
  ASSERT_TRUE(WriteFileAtomic(path, std::string("\x81\r\n\xFF", 4)));
  EXPECT_EQ(ReadFileBytes(path), std::optional<std::string>(std::string("\x81\r\n\xFF", 4)));
}

TEST_F(TempFolder, FailuresLeaveNothingBehind) {
  EXPECT_EQ(ReadLines((folder_ / "missing.ini").native()), std::nullopt);
  auto inMissingFolder = folder_ / "no" / "such" / "file.ini";
  EXPECT_FALSE(WriteLines(inMissingFolder.native(), {"1"}));
  EXPECT_FALSE(std::filesystem::exists(inMissingFolder));
  // A folder in the way of the target: the swap fails and the old content stays.
  std::filesystem::create_directories(folder_ / "blocked");
  EXPECT_FALSE(WriteLines((folder_ / "blocked").native(), {"1"}));
  EXPECT_TRUE(std::filesystem::is_directory(folder_ / "blocked"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "blocked.tmp"));
}

}  // namespace
