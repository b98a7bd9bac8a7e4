#include <windows.h>

#include <stdexcept>

#include "cp932.h"
#include "cp932_system.h"

namespace {

constexpr UINT kCodePage = 932;

int CheckedSize(size_t size) {
  if (size > 0x7FFFFFFF) throw std::length_error("text too long to convert");
  return static_cast<int>(size);
}

}  // namespace

std::optional<std::wstring> SystemCp932ToWide(std::string_view text) {
  if (text.empty()) return std::wstring();
  int size = CheckedSize(text.size());
  int n = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, text.data(), size, nullptr, 0);
  if (n <= 0) return std::nullopt;
  std::wstring out(n, L'\0');
  if (MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, text.data(), size, out.data(), n) != n)
    return std::nullopt;
  return out;
}

std::optional<std::string> SystemWideToCp932(std::wstring_view text) {
  if (text.empty()) return std::string();
  int size = CheckedSize(text.size());
  // Without WC_NO_BEST_FIT_CHARS "é" would become "e" and "¥" a backslash, silently.
  BOOL usedDefault = FALSE;
  int n = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), size, nullptr, 0,
                              nullptr, &usedDefault);
  if (n <= 0 || usedDefault) return std::nullopt;
  std::string out(n, '\0');
  if (WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), size, out.data(), n,
                          nullptr, &usedDefault) != n ||
      usedDefault) {
    return std::nullopt;
  }
  return out;
}
