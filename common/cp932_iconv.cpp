#include "cp932.h"

#include <iconv.h>

#include <cerrno>

// Host builds convert with iconv so that tests see the same bytes the Windows build produces.
// Undecodable input becomes U+FFFD per byte, like the system conversion's replacement.
namespace {

template <typename Out>
Out Convert(const char* to, const char* from, const char* in, size_t size, size_t unit,
            Out replacement) {
  Out out;
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;
  char* src = const_cast<char*>(in);
  size_t left = size;
  char buffer[256];
  while (left > 0) {
    char* dst = buffer;
    size_t room = sizeof buffer;
    size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(reinterpret_cast<const typename Out::value_type*>(buffer),
               (dst - buffer) / sizeof(typename Out::value_type));
    if (r == static_cast<size_t>(-1) && errno != E2BIG) {
      out += replacement;
      size_t skip = left < unit ? left : unit;
      src += skip;
      left -= skip;
    }
  }
  iconv_close(cd);
  return out;
}

}  // namespace

std::wstring Cp932ToWide(std::string_view text) {
  return Convert<std::wstring>("WCHAR_T", "CP932", text.data(), text.size(), 1,
                               std::wstring(1, L'\xFFFD'));
}

std::string WideToCp932(std::wstring_view text) {
  return Convert<std::string>("CP932", "WCHAR_T", reinterpret_cast<const char*>(text.data()),
                              text.size() * sizeof(wchar_t), sizeof(wchar_t), std::string("?"));
}
