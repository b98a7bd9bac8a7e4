#include "cp932.h"

#include <windows.h>

std::wstring Cp932ToWide(std::string_view text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(n, L'\0');
  MultiByteToWideChar(932, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
  return out;
}

std::string WideToCp932(std::wstring_view text) {
  if (text.empty()) return {};
  int n = WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                              nullptr, nullptr);
  std::string out(n, '\0');
  WideCharToMultiByte(932, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr,
                      nullptr);
  return out;
}
