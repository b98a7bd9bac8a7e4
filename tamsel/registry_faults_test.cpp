// The character clock's registry values as another program (or a hand in the registry editor)
// may have left them: wrong types and sizes read as missing, the rest still count, and a save
// puts every value back in its own type.
#include <gtest/gtest.h>

#include "clock_shell.h"
#include "testing/program_files.h"

namespace {

constexpr char kSubkey[] = "faults_test";

class RegistryFaults : public ::testing::Test {
 protected:
  RegistryKeys keys_{kSubkey};
  RegistryKeyGuard shared_{RegistryKeys::Root(KeyPlace::kShared), keys_.Path(KeyPlace::kShared)};
  RegistryKeyGuard user_{RegistryKeys::Root(KeyPlace::kUser), keys_.Path(KeyPlace::kUser)};
  void Set(const wchar_t* name, DWORD type, const void* data, DWORD size) {
    ASSERT_EQ(RegSetKeyValueW(RegistryKeys::Root(KeyPlace::kShared),
                              keys_.Path(KeyPlace::kShared).c_str(), name, type, data, size),
              ERROR_SUCCESS);
  }
  void SetGood() {
    const DWORD position = 0x0020'0010;                 // x 16, y 32
    const DWORD option = 7u << 27 | 30u << 21 | 2 | 4;  // 7:30, active, 24-hour
    Set(L"Position", REG_DWORD, &position, 4);
    Set(L"Option", REG_DWORD, &option, 4);
    Set(L"AlarmFn", REG_SZ, L"C:\\bell.wav", 24);
  }
  DWORD TypeOf(const wchar_t* name, DWORD* size) {
    DWORD type = 0;
    *size = 0;
    RegGetValueW(RegistryKeys::Root(KeyPlace::kShared), keys_.Path(KeyPlace::kShared).c_str(), name,
                 RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, size);
    return type;
  }
};

TEST_F(RegistryFaults, MistypedOptionReadsAsMissingAndThePositionAndFileStillCount) {
  const BYTE bytes[8] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
  for (DWORD size : {0u, 1u, 3u, 8u}) {
    SetGood();
    Set(L"Option", REG_BINARY, bytes, size);
    Settings s = LoadSettings(keys_);
    EXPECT_EQ(s.alarmHour, 0) << size;
    EXPECT_EQ(s.alarmMinute, 0);
    EXPECT_FALSE(s.alarmActive || s.hour24 || s.pinned || s.onTop);
    EXPECT_EQ(s.x, 16);
    EXPECT_EQ(s.y, 32);
    EXPECT_EQ(s.alarmFile, "C:\\bell.wav");
  }
  SetGood();
  Set(L"Option", REG_SZ, L"123", 8);
  EXPECT_EQ(LoadSettings(keys_).alarmHour, 0);
  SetGood();
  const DWORD two = 2;
  Set(L"Option", REG_DWORD, &two, 2);  // a double word of two bytes
  EXPECT_EQ(LoadSettings(keys_).alarmHour, 0);
}

TEST_F(RegistryFaults, MistypedPositionAndFileReadAsMissing) {
  SetGood();
  Set(L"Position", REG_SZ, L"16", 6);
  Set(L"AlarmFn", REG_DWORD, "\1\0\0\0", 4);
  Settings s = LoadSettings(keys_);
  EXPECT_EQ(s.x, 0);
  EXPECT_EQ(s.y, 0);
  EXPECT_EQ(s.alarmFile, "");
  EXPECT_EQ(s.alarmHour, 7) << "the option still counts";
  EXPECT_TRUE(s.hour24);

  Set(L"Position", REG_BINARY, "\x10\0\x20\0\0\0\0\0", 8);
  Set(L"AlarmFn", REG_MULTI_SZ, L"C:\\a.wav\0C:\\b.wav\0", 38);
  s = LoadSettings(keys_);
  EXPECT_EQ(s.x, 0);
  EXPECT_EQ(s.alarmFile, "");

  // A text without its terminating zero, longer than the 256-byte buffer: cut safely.
  const std::wstring longName(400, L'w');
  Set(L"AlarmFn", REG_SZ, longName.data(), static_cast<DWORD>(longName.size() * 2));
  EXPECT_EQ(LoadSettings(keys_).alarmFile, std::string(kAlarmFileMax, 'w'));
  // An odd number of bytes: the half character is dropped.
  Set(L"AlarmFn", REG_SZ, L"C:\\x.wav", 11);
  EXPECT_EQ(LoadSettings(keys_).alarmFile, "C:\\x.");
  // What follows the first zero is an older writer's leftover: characters the code page lacks
  // there do not cost the path.
  Set(L"AlarmFn", REG_SZ, L"C:\\x.wav\0\u00e9\u00e9", 24);
  EXPECT_EQ(LoadSettings(keys_).alarmFile, "C:\\x.wav");
}

TEST_F(RegistryFaults, SaveStoresEveryValueInItsOwnType) {
  SetGood();
  Set(L"Position", REG_SZ, L"16", 6);
  Set(L"Option", REG_BINARY, "\1\2\3", 3);
  Set(L"AlarmFn", REG_MULTI_SZ, L"a\0\0", 6);
  Settings s = LoadSettings(keys_);
  s.x = 40;
  s.alarmFile = "C:\\ring.wav";
  ASSERT_TRUE(SaveSettings(keys_, s));
  DWORD size = 0;
  EXPECT_EQ(TypeOf(L"Position", &size), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(TypeOf(L"Option", &size), static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4u);
  EXPECT_EQ(TypeOf(L"AlarmFn", &size), static_cast<DWORD>(REG_SZ));
  Settings back = LoadSettings(keys_);
  EXPECT_EQ(back.x, 40);
  EXPECT_EQ(back.alarmFile, "C:\\ring.wav");
}

}  // namespace
