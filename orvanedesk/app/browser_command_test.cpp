#include "app/browser_command.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kUrl = "http://orvane.example.org/";

TEST(BrowserCommandLine, CutAtThePlaceholder) {
  // Path, blank, quoted placeholder: cut before the opening quote, then a blank and the URL.
  EXPECT_EQ(BrowserCommandLine("\"C:\\Program Files\\Web\\web.exe\" \"%1\"", kUrl),
            "\"C:\\Program Files\\Web\\web.exe\"  " + kUrl);
  EXPECT_EQ(BrowserCommandLine("C:\\web.exe -nohome %1", kUrl), "C:\\web.exe -nohome  " + kUrl);
  // The quoted form wins even when a bare one comes first.
  EXPECT_EQ(BrowserCommandLine("web.exe %1 \"%1\"", kUrl), "web.exe %1  " + kUrl);
  // Neither: the whole command, a blank and the URL.
  EXPECT_EQ(BrowserCommandLine("C:\\web.exe -nohome", kUrl), "C:\\web.exe -nohome " + kUrl);
  EXPECT_EQ(BrowserCommandLine("", kUrl), " " + kUrl);
  EXPECT_EQ(BrowserCommandLine("\"%1\"", kUrl), " " + kUrl);
}

TEST(BrowserCommandLine, StepsOverDoubleByteCharacters) {
  // 表 (0x95 0x5C) and ソ (0x83 0x5C) end in a backslash byte; the path stays whole.
  const std::string path = "\"C:\\\x95\x5C\\\x83\x5C\\web.exe\"";
  EXPECT_EQ(FindPlaceholderCut(path + " \"%1\""), path.size() + 1);
  EXPECT_EQ(BrowserCommandLine(path + " \"%1\"", kUrl), path + "  " + kUrl);
  // A lead byte takes the next byte with it, so a '%' there starts no placeholder.
  EXPECT_EQ(FindPlaceholderCut("web.exe \x81%1"), std::string::npos);
  EXPECT_EQ(FindPlaceholderCut("web.exe \x81\x40%1"), 10u);
  // A lead byte at the very end is no reason to read past it.
  EXPECT_EQ(FindPlaceholderCut("web.exe \x81"), std::string::npos);
}

TEST(BrowserCommandLine, NoLengthLimit) {
  // Far beyond any fixed buffer: the result is built to its length, nothing is lost.
  const std::string longPath = "\"C:\\" + std::string(2000, 'a') + "\\web.exe\"";
  const std::string longUrl = kUrl + std::string(3000, 'b');
  std::string line = BrowserCommandLine(longPath + " \"%1\"", longUrl);
  EXPECT_EQ(line, longPath + "  " + longUrl);
}

}  // namespace
