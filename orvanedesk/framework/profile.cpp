#include "framework/profile.h"

#include <windows.h>

#include "cp932.h"
#include "win/raii.h"

void CProfile::SetRegistryKey(std::wstring company, std::wstring application) {
  company_ = std::move(company);
  application_ = std::move(application);
}

std::wstring CProfile::KeyPath(const wchar_t* section) const {
  return L"Software\\" + company_ + L"\\" + application_ + L"\\" + section;
}

int CProfile::GetInt(const wchar_t* section, const wchar_t* entry, int defaultValue) const {
  RegKey key;
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, KEY_READ, &raw) != 0) {
    return defaultValue;
  }
  key.reset(raw);
  DWORD type = 0, value = 0, size = sizeof value;
  if (RegQueryValueExW(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          0 ||
      type != REG_DWORD || size != sizeof value) {
    return defaultValue;
  }
  return static_cast<int>(value);
}

std::string CProfile::GetString(const wchar_t* section, const wchar_t* entry,
                                std::string_view defaultValue) const {
  RegKey key;
  HKEY raw = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(section).c_str(), 0, KEY_READ, &raw) != 0) {
    return std::string(defaultValue);
  }
  key.reset(raw);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key.get(), entry, nullptr, &type, nullptr, &size) != 0 ||
      (type != REG_SZ && type != REG_EXPAND_SZ)) {
    return std::string(defaultValue);
  }
  std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key.get(), entry, nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                       &size) != 0) {
    return std::string(defaultValue);
  }
  text.resize(wcsnlen(text.c_str(), size / sizeof(wchar_t)));
  // A value with characters code page 932 cannot hold would come back as another text.
  return WideToCp932(text).value_or(std::string(defaultValue));
}

namespace {

bool WriteValue(const std::wstring& path, const wchar_t* entry, DWORD type, const void* data,
                DWORD size) {
  HKEY raw = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &raw,
                      nullptr) != 0) {
    return false;
  }
  RegKey key(raw);
  return RegSetValueExW(key.get(), entry, 0, type, static_cast<const BYTE*>(data), size) == 0;
}

}  // namespace

bool CProfile::WriteInt(const wchar_t* section, const wchar_t* entry, int value) {
  DWORD data = static_cast<DWORD>(value);
  return WriteValue(KeyPath(section), entry, REG_DWORD, &data, sizeof data);
}

bool CProfile::WriteString(const wchar_t* section, const wchar_t* entry, std::string_view value) {
  std::wstring text = Cp932ToWide(value);
  return WriteValue(KeyPath(section), entry, REG_SZ, text.c_str(),
                    static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}
