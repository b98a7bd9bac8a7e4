#include "alarms/message_file.h"

#include <gtest/gtest.h>

namespace {

CMessageRecord Record(std::string title, std::string alarm, std::string message,
                      std::string dateUnit, std::string dateDetail, std::string timeUnit,
                      std::string timeDetail) {
  return {title, alarm, message, dateUnit, dateDetail, timeUnit, timeDetail};
}

const std::string kWake = "\x8b\x4e\x8f\xb0";                 // 起床, a title in code page 932
const std::string kTrailByte5C = "\x83\x5c\x83\x74\x83\x67";  // ソフト: trail bytes of 0x5C

TEST(MessageFile, SavesTheExactBytes) {
  std::vector<CMessageRecord> list = {
      Record(kWake, "NULL", "first line\r\nsecond line", kDaily, "NULL", kAtTime, "7:5"),
      Record(kTrailByte5C, "C:\\sounds\\bell.wav", "ends in a break\r\n", kYearly, "1/5", kHourly,
             "0"),
      Record("quiet", "C:\\a.wav", "NULL", kWeekly, "6", kAtTime, "9:0"),
  };
  const std::string expected = kWake + "\r\nNULL\r\n[\r\nfirst line\r\nsecond line\r\n]\r\n" +
                               kDaily + "\r\nNULL\r\n" + kAtTime + "\r\n7:5\r\n" + kTrailByte5C +
                               "\r\nC:\\sounds\\bell.wav\r\n[\r\nends in a break\r\n\r\n]\r\n" +
                               kYearly + "\r\n1/5\r\n" + kHourly + "\r\n0\r\n" +
                               "quiet\r\nC:\\a.wav\r\n[\r\nNULL\r\n]\r\n" + kWeekly + "\r\n6\r\n" +
                               kAtTime + "\r\n9:0\r\n";
  EXPECT_EQ(FormatMessageFile(list), expected);
  EXPECT_EQ(ParseMessageFile(expected), list);
}

TEST(MessageFile, EmptyListIsAnEmptyFile) {
  EXPECT_EQ(FormatMessageFile({}), "");
  EXPECT_TRUE(ParseMessageFile("").empty());
}

TEST(MessageFile, EmptyMessagesKeepTheirShape) {
  auto r = Record("t", "NULL", "", kDaily, "NULL", kHourly, "30");
  std::string bytes = FormatMessageFile({r});
  EXPECT_EQ(bytes, "t\r\nNULL\r\n[\r\n\r\n]\r\n" + std::string(kDaily) + "\r\nNULL\r\n" + kHourly +
                       "\r\n30\r\n");
  // An empty block reads as an empty message too.
  auto parsed = ParseMessageFile("t\r\nNULL\r\n[\r\n]\r\na\r\nb\r\nc\r\nd\r\n");
  ASSERT_EQ(parsed.size(), 1u);
  EXPECT_EQ(parsed[0].message, "");
  EXPECT_EQ(parsed[0].timeDetail, "d");
}

TEST(MessageFile, ClosingBracketLinesNeverShiftLaterRecords) {
  std::vector<CMessageRecord> list = {
      Record("a", "NULL", "]", kDaily, "NULL", kHourly, "1"),
      Record("b", "NULL", "x\r\n]\r\n]]\r\ny]", kDaily, "NULL", kHourly, "2"),
      Record("c", "NULL", "tail\r\n]\r\n", kDaily, "NULL", kHourly, "3"),
  };
  std::string bytes = FormatMessageFile(list);
  EXPECT_NE(bytes.find("[\r\n]]\r\n]\r\n"), std::string::npos);
  EXPECT_NE(bytes.find("x\r\n]]\r\n]]]\r\ny]\r\n]\r\n"), std::string::npos);
  EXPECT_EQ(ParseMessageFile(bytes), list);
  // A "]" hidden behind a lone CR must not slip through either.
  auto r = Record("d", "NULL", "]\r", kDaily, "NULL", kHourly, "4");
  auto back = ParseMessageFile(FormatMessageFile({r, list[0]}));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].message, "]");
  EXPECT_EQ(back[1], list[0]);
}

TEST(MessageFile, LineBreaksInSingleLineFieldsBecomeSpaces) {
  auto r = Record("two\r\nlines", "a\nb", "m", kDaily, "NULL", kHourly, "5");
  EXPECT_FALSE(StoresUnchanged(r));
  auto back = ParseMessageFile(FormatMessageFile({r, r}));
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[1].title, "two  lines");
  EXPECT_EQ(back[1].alarm, "a b");
  EXPECT_EQ(back[1].timeDetail, "5");

  EXPECT_TRUE(StoresUnchanged(Record("t", "NULL", "a\r\n\r\nb\r\n", "", "", "", "")));
  EXPECT_FALSE(StoresUnchanged(Record("t", "NULL", "a\nb", "", "", "", "")));
  EXPECT_FALSE(StoresUnchanged(Record("t", "NULL", "a\rb", "", "", "", "")));
  EXPECT_EQ(
      ParseMessageFile(FormatMessageFile({Record("t", "", "a\nb\rc", "", "", "", "")}))[0].message,
      "a\r\nbc");
}

TEST(MessageFile, DamagedFilesKeepWhatWasRead) {
  // Cut after the title, after the alarm, before "]", inside the schedule.
  auto cut = ParseMessageFile("only title");
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0], Record("only title", "", "", "", "", "", ""));

  cut = ParseMessageFile("t\r\nNULL\r\n");
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].alarm, "NULL");

  cut = ParseMessageFile("t\r\nNULL\r\n[\r\nline 1\r\nline 2\r\n");
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].message, "line 1\r\nline 2");
  EXPECT_EQ(cut[0].dateUnit, "");

  cut = ParseMessageFile("t\r\nNULL\r\n[\r\nm\r\n]\r\n" + std::string(kDaily) + "\r\nNULL");
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].dateDetail, "NULL");
  EXPECT_EQ(cut[0].timeUnit, "");

  // No "[": that line is dropped and the next four are the schedule.
  cut = ParseMessageFile("t\r\nNULL\r\nmessage\r\nu\r\nd\r\nU\r\nD\r\nnext\r\n");
  ASSERT_EQ(cut.size(), 2u);
  EXPECT_EQ(cut[0], Record("t", "NULL", "", "u", "d", "U", "D"));
  EXPECT_EQ(cut[1].title, "next");

  // LF-only lines, a last line without a break, stray bytes: read, never a crash.
  cut = ParseMessageFile("t\nNULL\n[\nm\n]\nu\nd\nU\nD");
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0], Record("t", "NULL", "m", "u", "d", "U", "D"));
  for (std::string junk : {std::string("\r\n"), std::string("\0\0\0", 3), std::string("\n\n\n"),
                           std::string("[\r\n[\r\n[\r\n"), std::string("\x81"),
                           std::string("]\r\n]\r\n]\r\n]\r\n]\r\n]\r\n]\r\n]\r\n]\r\n")}) {
    auto records = ParseMessageFile(junk);
    EXPECT_FALSE(records.empty());
    EXPECT_EQ(ParseMessageFile(FormatMessageFile(records)), records);
  }
}

TEST(MessageFile, CanonicalFilesComeBackByteForByte) {
  std::string file = "a\r\nNULL\r\n[\r\n\r\nx\r\n\r\n]\r\n" + std::string(kMonthly) + "\r\n31\r\n" +
                     kAtTime + "\r\n23:59\r\nb\r\nNULL\r\n[\r\n]]\r\n]\r\n" + kDaily +
                     "\r\nNULL\r\n" + kHourly + "\r\n0\r\n";
  EXPECT_EQ(FormatMessageFile(ParseMessageFile(file)), file);
}

}  // namespace
