#include "framework/profile.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ClocksTest");
    profile_.SetRegistryKey(L"ClocksTest", L"profile_test");
  }
  void TearDown() override { RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\ClocksTest"); }
  CProfile profile_;
};

TEST_F(ProfileTest, MissingValuesGiveDefaults) {
  EXPECT_EQ(profile_.GetInt(L"Version 1.0", L"SecondHand", 1), 1);
  EXPECT_EQ(profile_.GetString(L"Version 1.0", L"FontFace", "Times New Roman"), "Times New Roman");
}

TEST_F(ProfileTest, ValuesRoundTripUnderCompanyAndProgram) {
  ASSERT_TRUE(profile_.WriteInt(L"Version 1.0", L"x1", -50));
  // "ＭＳ 明朝" in code page 932.
  const std::string face = "\x82\x6C\x82\x72 \x96\xBE\x92\xA9";
  ASSERT_TRUE(profile_.WriteString(L"Version 1.0", L"FontFace", face));
  EXPECT_EQ(profile_.GetInt(L"Version 1.0", L"x1", -1), -50);
  EXPECT_EQ(profile_.GetString(L"Version 1.0", L"FontFace", ""), face);

  HKEY key = nullptr;
  ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\ClocksTest\\profile_test\\Version 1.0", 0,
                          KEY_READ, &key),
            ERROR_SUCCESS);
  DWORD type = 0;
  wchar_t text[32] = {};
  DWORD size = sizeof text;
  EXPECT_EQ(
      RegQueryValueExW(key, L"FontFace", nullptr, &type, reinterpret_cast<BYTE*>(text), &size),
      ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(type, static_cast<DWORD>(REG_SZ));
  EXPECT_STREQ(text, L"\uFF2D\uFF33 \u660E\u671D");
}

TEST_F(ProfileTest, MistypedValuesGiveDefaults) {
  ASSERT_TRUE(profile_.WriteString(L"Version 1.0", L"FontSize", "12"));
  ASSERT_TRUE(profile_.WriteInt(L"Version 1.0", L"FontFace", 3));
  EXPECT_EQ(profile_.GetInt(L"Version 1.0", L"FontSize", 7), 7);
  EXPECT_EQ(profile_.GetString(L"Version 1.0", L"FontFace", "Arial"), "Arial");
}

}  // namespace
