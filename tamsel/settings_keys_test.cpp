#include "settings_keys.h"

#include <gtest/gtest.h>

#include <map>

#include "test_option.h"

namespace {

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

}  // namespace
