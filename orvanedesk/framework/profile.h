#pragma once

#include <string>
#include <string_view>

// The application's settings in the registry, under the current user's
// Software\<company>\<application>\<section> key. Strings are code page 932 bytes; a missing or
// mistyped value reads as the default.
class CProfile {
 public:
  void SetRegistryKey(std::wstring company, std::wstring application);
  int GetInt(const wchar_t* section, const wchar_t* entry, int defaultValue) const;
  std::string GetString(const wchar_t* section, const wchar_t* entry,
                        std::string_view defaultValue) const;
  bool WriteInt(const wchar_t* section, const wchar_t* entry, int value);
  bool WriteString(const wchar_t* section, const wchar_t* entry, std::string_view value);

 private:
  std::wstring KeyPath(const wchar_t* section) const;
  std::wstring company_;
  std::wstring application_;
};
