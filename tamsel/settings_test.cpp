#include "settings.h"

#include <gtest/gtest.h>

#include <map>

namespace {

constexpr uint32_t kOption730 = (7u * 64 + 30) << 21 | 2 | 4;

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

// Two keys in memory; either may refuse to be written.
class FakeKeys : public SettingsKeys {
 public:
  struct Key {
    bool exists = false, writable = true;
    StoredValues values;
  };
  std::map<KeyPlace, Key> keys{{KeyPlace::kShared, {}}, {KeyPlace::kUser, {}}};
  int writes = 0;

  bool Exists(KeyPlace place) override { return keys[place].exists; }
  bool Read(KeyPlace place, StoredValues& values) override {
    if (!keys[place].exists) return false;
    values = keys[place].values;
    return true;
  }
  bool Write(KeyPlace place, uint32_t position, uint32_t option,
             const std::string& alarmFn) override {
    Key& k = keys[place];
    if (!k.writable) return false;
    ++writes;
    k.exists = true;
    k.values = {position, option, alarmFn};
    return true;
  }
};

TEST(Store, DefaultsWithoutAKeyAndWithMissingValues) {
  FakeKeys keys;
  Settings s = LoadSettings(keys);
  EXPECT_EQ(s.alarmHour, 12);
  EXPECT_EQ(s.alarmMinute, 0);
  EXPECT_FALSE(s.alarmActive || s.hour24 || s.pinned || s.onTop);
  EXPECT_EQ(s.x, 0);
  EXPECT_EQ(s.y, 0);
  EXPECT_EQ(s.alarmFile, "");

  keys.keys[KeyPlace::kShared].exists = true;  // a key without values
  s = LoadSettings(keys);
  EXPECT_EQ(s.alarmHour, 0);
  EXPECT_EQ(s.alarmMinute, 0);
}

TEST(Store, RoundTripThroughTheSharedKey) {
  FakeKeys keys;
  Settings s;
  ApplyOption(kOption730, s);
  s.x = 30;
  s.y = -5;
  s.alarmFile = "C:\\\x83\x5C.wav";
  EXPECT_TRUE(SaveSettings(keys, s));
  EXPECT_FALSE(keys.keys[KeyPlace::kUser].exists) << "no copy while the shared key works";
  EXPECT_EQ(*keys.keys[KeyPlace::kShared].values.option, kOption730);
  EXPECT_EQ(keys.keys[KeyPlace::kShared].values.alarmFn->size(), 256u);
  Settings back = LoadSettings(keys);
  EXPECT_EQ(ComposeOption(back), kOption730);
  EXPECT_EQ(back.y, -5);
  EXPECT_EQ(back.alarmFile, s.alarmFile);
}

TEST(Store, UserCopyWhenTheSharedKeyCannotBeWritten) {
  FakeKeys keys;
  keys.keys[KeyPlace::kShared].exists = true;
  keys.keys[KeyPlace::kShared].values.option = 0;
  keys.keys[KeyPlace::kShared].writable = false;
  Settings s;
  s.hour24 = true;
  EXPECT_TRUE(SaveSettings(keys, s));
  EXPECT_TRUE(keys.keys[KeyPlace::kUser].exists);
  EXPECT_TRUE(LoadSettings(keys).hour24) << "the copy is the one loaded";

  // the shared key becomes writable again: both are written, the copy never goes stale
  keys.keys[KeyPlace::kShared].writable = true;
  s.hour24 = false;
  s.pinned = true;
  EXPECT_TRUE(SaveSettings(keys, s));
  EXPECT_EQ(*keys.keys[KeyPlace::kShared].values.option, 12u << 27 | 1);
  EXPECT_EQ(*keys.keys[KeyPlace::kUser].values.option, 12u << 27 | 1);
  Settings back = LoadSettings(keys);
  EXPECT_TRUE(back.pinned);
  EXPECT_FALSE(back.hour24);

  FakeKeys none;
  none.keys[KeyPlace::kShared].writable = false;
  none.keys[KeyPlace::kUser].writable = false;
  EXPECT_FALSE(SaveSettings(none, s));
}

TEST(Alarm, SoundsOnceInSecondZero) {
  Settings s;
  s.alarmActive = true;
  s.alarmHour = 8;
  s.alarmMinute = 15;
  AlarmCheck check;
  EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 1, 4, 8, 14, 59}));
  EXPECT_TRUE(AlarmDue(check, s, {2026, 1, 1, 4, 8, 15, 0}));
  for (int i = 0; i < 20; ++i) EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 1, 4, 8, 15, 0}));
  EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 1, 4, 8, 15, 1}));
  EXPECT_FALSE(check.played);
  for (int second = 1; second < 60; ++second)
    EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 1, 4, 8, 15, second}));
  // the next day, again
  EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 2, 5, 8, 14, 58}));
  EXPECT_TRUE(AlarmDue(check, s, {2026, 1, 2, 5, 8, 15, 0}));
  s.alarmActive = false;
  EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 4, 0, 8, 15, 0}));
}

TEST(Alarm, ALateFirstCheckOfItsMinuteStillSoundsOnce) {
  Settings s;
  s.alarmActive = true;
  s.alarmHour = 8;
  s.alarmMinute = 15;
  AlarmCheck check;
  EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 3, 6, 8, 14, 58}));
  // No paint came in second 0: the first one of the minute sounds, later ones do not.
  EXPECT_TRUE(AlarmDue(check, s, {2026, 1, 3, 6, 8, 15, 2}));
  for (int second = 2; second < 60; ++second)
    EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 3, 6, 8, 15, second}));
  EXPECT_FALSE(AlarmDue(check, s, {2026, 1, 3, 6, 8, 16, 0}));

  // A clock started within its alarm minute, or an alarm set within it, waits for the next day.
  AlarmCheck fresh;
  EXPECT_FALSE(AlarmDue(fresh, s, {2026, 1, 3, 6, 8, 15, 1}));
  s.alarmActive = false;
  AlarmCheck edited;
  EXPECT_FALSE(AlarmDue(edited, s, {2026, 1, 3, 6, 8, 15, 10}));
  s.alarmActive = true;
  EXPECT_FALSE(AlarmDue(edited, s, {2026, 1, 3, 6, 8, 15, 11}));
}

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
