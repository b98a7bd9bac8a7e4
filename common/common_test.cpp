#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "cp932.h"
#include "line_file.h"
#include "testing/immutable.h"

namespace {

TEST(Cp932, RoundTripsJapaneseAndSeesTrailBackslash) {
  // "表示" is 0x95 0x5C 0x8E 0xA6: the trail byte of the first kanji is a backslash.
  const std::string bytes = "\x95\x5C\x8E\xA6";
  EXPECT_EQ(Cp932ToWide(bytes), L"\u8868\u793A");
  EXPECT_EQ(WideToCp932(L"\u8868\u793A"), bytes);
  EXPECT_TRUE(IsCp932LeadByte(0x95));
  EXPECT_FALSE(IsCp932LeadByte(0x5C));
  EXPECT_FALSE(IsCp932LeadByte(0xA6));  // half-width katakana is single-byte
  EXPECT_EQ(Cp932ToWide("\xB1"), L"\uFF71");
  EXPECT_EQ(Cp932ToWide("PM 09:59"), L"PM 09:59");
  EXPECT_EQ(Cp932ToWide(""), L"");
  EXPECT_EQ(WideToCp932(L""), std::string());
}

// These run on both builds, so the host's iconv and the system conversion must agree.
TEST(Cp932, EachMalformedByteOrUnassignedPairIsOneReplacement) {
  EXPECT_EQ(Cp932ToWide("\x81\x20\xFF"), L"\xFFFD \xFFFD");
  EXPECT_EQ(Cp932ToWide("\x80\xA0\xFD\xFE"), L"\xFFFD\xFFFD\xFFFD\xFFFD");
  EXPECT_EQ(Cp932ToWide("ab\x81"), L"ab\xFFFD");  // a lead byte at the end
  // Row 0x85 is unassigned: one replacement for the pair, and the text around it stays.
  EXPECT_EQ(Cp932ToWide("\x95\x5C\x85\x40x"), L"\u8868\xFFFDx");
  EXPECT_EQ(Cp932ToWide("\x95\x5C\x81"), L"\u8868\xFFFD");
}

TEST(Cp932, RefusesCharactersWithoutAFormOfTheirOwn) {
  // A look-alike would store another text: "e" for "é", a backslash for "¥", "～" for "〜".
  EXPECT_EQ(WideToCp932(L"caf\u00E9"), std::nullopt);
  EXPECT_EQ(WideToCp932(L"C:\\\u00A5100.wav"), std::nullopt);
  EXPECT_EQ(WideToCp932(L"\u301C"), std::nullopt);
  EXPECT_EQ(WideToCp932(L"\U0001F600"), std::nullopt);
  EXPECT_EQ(WideToCp932(std::wstring(1, static_cast<wchar_t>(0xD800))), std::nullopt);
  // A question mark the user typed is text, not a sign of loss.
  EXPECT_EQ(WideToCp932(L"a?b"), std::string("a?b"));
  EXPECT_EQ(WideToCp932(L"\uFF5E\uFF71"), std::string("\x81\x60\xB1"));
  // Characters with two codes in the code page are still their own: they come back as sent.
  auto doubles = WideToCp932(L"\u2460\u2252\u2170");
  ASSERT_TRUE(doubles);
  EXPECT_EQ(Cp932ToWide(*doubles), L"\u2460\u2252\u2170");
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
    Remove();
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { Remove(); }
  void Remove() {
    // A test that ended half-way may have left a flag that would keep the folder.
    std::error_code ignored;
    if (std::filesystem::exists(folder_, ignored)) {
      for (const auto& entry : std::filesystem::directory_iterator(folder_, ignored))
        ClearImmutable(entry.path().native());
      ClearImmutable(folder_.native());
    }
    std::filesystem::remove_all(folder_, ignored);
  }
  FilePath In(const char* name) const { return (folder_ / name).native(); }
  size_t Entries() const {
    return static_cast<size_t>(std::distance(std::filesystem::directory_iterator(folder_),
                                             std::filesystem::directory_iterator()));
  }
  std::filesystem::path folder_;
};

TEST_F(TempFolder, SaveReplacesKeepsBytesAndMarksAndLeavesNothingElse) {
  FilePath path = In("Show.ini");
  SaveResult first = WriteLines(path, {"1", "0"});
  ASSERT_TRUE(first);
  EXPECT_EQ(first.path, path);
  ASSERT_TRUE(MarkFile(path));
  ASSERT_TRUE(WriteLines(path, {"\x95\x5C", "x"}));
  EXPECT_EQ(ReadFileBytes(path), std::optional<std::string>("\x95\x5C\r\nx\r\n"));
  EXPECT_TRUE(HasMark(path)) << "the old file's attributes or permissions were lost";
  // Bytes that are not valid code page 932 come back unchanged.
  ASSERT_TRUE(WriteFileBytes(path, std::string("\x81\r\n\xFF", 4)));
  EXPECT_EQ(ReadFileBytes(path), std::optional<std::string>(std::string("\x81\r\n\xFF", 4)));
  EXPECT_EQ(Entries(), 1u) << "a temporary file was left behind";
}

TEST_F(TempFolder, AFileWithATemporaryLookingNameIsNotTouched) {
  FilePath path = In("Sound.ini");
  ASSERT_TRUE(WriteFileBytes(In("Sound.ini.tmp"), "someone else's"));
  ASSERT_TRUE(WriteFileBytes(path, "[Boot]\r\n"));
  ASSERT_TRUE(WriteFileBytes(path, "[Exit]\r\n"));
  EXPECT_EQ(ReadFileBytes(In("Sound.ini.tmp")), std::optional<std::string>("someone else's"));
  EXPECT_EQ(ReadFileBytes(path), std::optional<std::string>("[Exit]\r\n"));
  EXPECT_EQ(Entries(), 2u);
}

TEST_F(TempFolder, FailuresNameTheFileAndTheReasonAndLeaveNothingBehind) {
  EXPECT_EQ(ReadLines(In("missing.ini")), std::nullopt);
  FilePath inMissingFolder = (folder_ / "no" / "such" / "file.ini").native();
  SaveResult missing = WriteLines(inMissingFolder, {"1"});
  EXPECT_FALSE(missing);
  EXPECT_EQ(missing.path, inMissingFolder);
  EXPECT_NE(missing.error, 0u);
  EXPECT_FALSE(missing.reason.empty());
  EXPECT_FALSE(std::filesystem::exists(inMissingFolder));
  // A folder in the way of the target: the save fails and the folder stays.
  std::filesystem::create_directories(folder_ / "blocked");
  SaveResult blocked = WriteLines(In("blocked"), {"1"});
  EXPECT_FALSE(blocked);
  EXPECT_FALSE(blocked.reason.empty());
  EXPECT_TRUE(std::filesystem::is_directory(folder_ / "blocked"));
  EXPECT_EQ(Entries(), 1u);
}

TEST_F(TempFolder, AFileThatRefusesChangeKeepsItsContent) {
  FilePath path = In("Message.ini");
  ASSERT_TRUE(WriteFileBytes(path, "old"));
  {
    ReadOnlyFile locked(path);
    ASSERT_TRUE(locked.active() || !ImmutableFlagExpected()) << "the file could not be locked";
    if (!locked.active()) GTEST_SKIP() << "no way to make a read-only file here";
    SaveResult result = WriteFileBytes(path, "new");
    EXPECT_FALSE(result);
    EXPECT_FALSE(result.reason.empty());
  }
  EXPECT_EQ(ReadFileBytes(path), std::optional<std::string>("old"));
  EXPECT_EQ(Entries(), 1u);
}

// Only a folder that refuses new files sends a save in place. Any other failure to make the
// temporary file (here a name one suffix too long; a full disk, no handles left) fails the save
// and leaves the file alone: in place it could stop half-way, mixing old and new bytes.
TEST_F(TempFolder, OtherFailuresToMakeTheTemporaryFileLeaveTheFileAlone) {
  FilePath path = In(std::string(250, 'n').c_str());
  std::ofstream(std::filesystem::path(path), std::ios::binary) << "old";
  ASSERT_EQ(ReadFileBytes(path), std::optional<std::string>("old"));
  SaveResult result = WriteFileBytes(path, "new");
  EXPECT_FALSE(result);
  EXPECT_EQ(result.path, path);
  EXPECT_FALSE(result.reason.empty());
  EXPECT_EQ(ReadFileBytes(path), std::optional<std::string>("old"));
  EXPECT_EQ(Entries(), 1u);
}

// A lock must leave the folder as it found it, or the tests that use it see a file too many.
TEST_F(TempFolder, LockingAFolderAddsNothingToIt) {
  for (int round = 0; round < 10; ++round) {
    {
      Immutable locked(folder_.native());
      ASSERT_TRUE(locked.active() || !ImmutableFlagExpected()) << "the folder could not be locked";
      if (!locked.active()) GTEST_SKIP() << "no immutable flag here (needs Linux and root)";
      ASSERT_EQ(Entries(), 0u) << "round " << round;
    }
    ASSERT_EQ(Entries(), 0u) << "round " << round;
  }
}

// The user may change the file but not create files in its folder: the save goes in place.
TEST_F(TempFolder, AFolderThatTakesNoNewFilesStillSavesAnExistingFile) {
  FilePath path = In("tickmoth.INI");
  ASSERT_TRUE(WriteFileBytes(path, "[Position]\r\nXpos=1000\r\nYpos=2000\r\n"));
  Immutable locked(folder_.native());
  ASSERT_TRUE(locked.active() || !ImmutableFlagExpected()) << "the folder could not be locked";
  if (!locked.active()) GTEST_SKIP() << "no immutable flag here (needs Linux and root)";

  ASSERT_TRUE(WriteFileBytes(path, "[Position]\r\nXpos=5\r\n"));
  EXPECT_EQ(ReadFileBytes(path), std::optional<std::string>("[Position]\r\nXpos=5\r\n"))
      << "the shorter content must not keep the old tail";
  // A new file cannot be made there: the failure names it and says why.
  SaveResult created = WriteFileBytes(In("new.ini"), "x");
  EXPECT_FALSE(created);
  EXPECT_EQ(created.path, In("new.ini"));
  EXPECT_FALSE(created.reason.empty());
  EXPECT_EQ(Entries(), 1u);
}

}  // namespace
