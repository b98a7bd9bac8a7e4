#include <vector>

#include "clock_shell.h"
#include "cp932.h"
#include "win/raii.h"

namespace {

std::optional<uint32_t> ReadDword(HKEY key, const wchar_t* name) {
  DWORD type = 0, value = 0, size = sizeof value;
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD || size != sizeof value)
    return std::nullopt;
  return value;
}

// The whole value, whatever its length, so nothing is read past a buffer; it is cut to size
// afterwards.
std::optional<std::string> ReadText(HKEY key, const wchar_t* name) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ))
    return std::nullopt;
  std::vector<wchar_t> text(size / sizeof(wchar_t) + 1, L'\0');
  DWORD got = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &got) !=
      ERROR_SUCCESS)
    return std::nullopt;
  // The text ends at its first zero: what follows may be an older writer's leftovers that do
  // not convert. Text with characters the code page lacks counts as missing.
  std::wstring_view value(text.data(), got / sizeof(wchar_t));
  return WideToCp932(value.substr(0, value.find(L'\0')));
}

}  // namespace

RegistryKeys::RegistryKeys(const char* subkey) : subkey_(Cp932ToWide(subkey)) {}

HKEY RegistryKeys::Root(KeyPlace place) {
  return place == KeyPlace::kShared ? HKEY_USERS : HKEY_CURRENT_USER;
}

std::wstring RegistryKeys::Path(KeyPlace place) const {
  std::wstring path = L"Software\\brindlewick\\" + subkey_;
  return place == KeyPlace::kShared ? L".DEFAULT\\" + path : path;
}

bool RegistryKeys::Exists(KeyPlace place) {
  HKEY key = nullptr;
  if (RegOpenKeyExW(Root(place), Path(place).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
    return false;
  RegCloseKey(key);
  return true;
}

bool RegistryKeys::Read(KeyPlace place, StoredValues& values) {
  HKEY opened = nullptr;
  // Reading needs no more than read access, which every user has to the shared key.
  if (RegOpenKeyExW(Root(place), Path(place).c_str(), 0, KEY_READ, &opened) != ERROR_SUCCESS)
    return false;
  RegKey key(opened);
  values.position = ReadDword(key.get(), L"Position");
  values.option = ReadDword(key.get(), L"Option");
  values.alarmFn = ReadText(key.get(), L"AlarmFn");
  return true;
}

bool RegistryKeys::Write(KeyPlace place, uint32_t position, uint32_t option,
                         const std::string& alarmFn) {
  HKEY created = nullptr;
  wchar_t noClass[] = L"";
  if (RegCreateKeyExW(Root(place), Path(place).c_str(), 0, noClass, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &created, nullptr) != ERROR_SUCCESS)
    return false;
  RegKey key(created);
  DWORD p = position, o = option;
  // The 256 bytes of the text buffer, zeros included, as the system's wide text.
  std::wstring text = Cp932ToWide(alarmFn);
  return RegSetValueExW(key.get(), L"Position", 0, REG_DWORD, reinterpret_cast<BYTE*>(&p),
                        sizeof p) == ERROR_SUCCESS &&
         RegSetValueExW(key.get(), L"Option", 0, REG_DWORD, reinterpret_cast<BYTE*>(&o),
                        sizeof o) == ERROR_SUCCESS &&
         RegSetValueExW(key.get(), L"AlarmFn", 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(text.data()),
                        static_cast<DWORD>(text.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

void LoadClockSettings() {
  RegistryKeys keys(g_clock.edition->subkey);
  g_clock.settings = LoadSettings(keys);
}

void SaveClockSettings() {
  RegistryKeys keys(g_clock.edition->subkey);
  SaveSettings(keys, g_clock.settings);
}
