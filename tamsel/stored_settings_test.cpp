#include "stored_settings.h"

#include <gtest/gtest.h>

#include "test_option.h"

namespace {

TEST(Option, BitLayout) {
  Settings s;
  ApplyOption(kOption730, s);
  EXPECT_EQ(s.alarmHour, 7);
  EXPECT_EQ(s.alarmMinute, 30);
  EXPECT_TRUE(s.alarmActive);
  EXPECT_TRUE(s.hour24);
  EXPECT_FALSE(s.pinned);
  EXPECT_FALSE(s.onTop);
  EXPECT_EQ(ComposeOption(s), kOption730);

  Settings all;
  all.pinned = all.onTop = all.hour24 = all.alarmActive = true;
  all.alarmHour = 23;
  all.alarmMinute = 59;
  EXPECT_EQ(ComposeOption(all), (23u * 64 + 59) << 21 | 15);
  Settings back;
  ApplyOption(ComposeOption(all), back);
  EXPECT_TRUE(back.pinned && back.onTop && back.hour24 && back.alarmActive);
  // bits 4 to 20 carry nothing
  Settings noise;
  ApplyOption(0x001FFFF0u, noise);
  EXPECT_EQ(ComposeOption(noise), 0u);
}

TEST(Position, SignedSixteenBitHalves) {
  EXPECT_EQ(PackPosition(100, -20), 0xFFEC0064u);
  Settings s;
  ApplyPosition(0xFFEC0064u, s);
  EXPECT_EQ(s.x, 100);
  EXPECT_EQ(s.y, -20);
  ApplyPosition(PackPosition(-32768, 32767), s);
  EXPECT_EQ(s.x, -32768);
  EXPECT_EQ(s.y, 32767);
}

TEST(AlarmFn, ReadSafelyWhateverItsLength) {
  EXPECT_EQ(AlarmFileFromValue(std::string("C:\\a.wav\0junk", 13)), "C:\\a.wav");
  EXPECT_EQ(AlarmFileFromValue(""), "");
  // no terminating zero and far longer than the buffer: cut to 255 bytes
  std::string longer(600, 'x');
  EXPECT_EQ(AlarmFileFromValue(longer), std::string(255, 'x'));
  // a double-byte character is never split at the cut
  std::string kanji = std::string(254, 'y') + "\x83\x5C" + "z";
  EXPECT_EQ(AlarmFileFromValue(kanji), std::string(254, 'y'));
  EXPECT_EQ(AlarmFnValue("C:\\a.wav").size(), 256u);
  EXPECT_EQ(AlarmFnValue("C:\\a.wav").substr(0, 9), std::string("C:\\a.wav\0", 9));
  EXPECT_EQ(AlarmFnValue(longer).size(), 256u);
  EXPECT_EQ(AlarmFnValue(longer)[255], '\0');
}

}  // namespace
