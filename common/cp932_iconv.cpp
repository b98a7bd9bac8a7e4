#include <iconv.h>

#include <cerrno>

#include "cp932.h"
#include "cp932_system.h"

// Host builds convert with iconv; the checks around these calls make them refuse exactly what
// the Windows build refuses.
namespace {

template <typename Out>
std::optional<Out> Convert(const char* to, const char* from, const char* in, size_t size) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
  Out out;
  char* src = const_cast<char*>(in);
  size_t left = size;
  bool ok = true;
  char buffer[256];
  while (ok && left > 0) {
    char* dst = buffer;
    size_t room = sizeof buffer;
    size_t r = iconv(cd, &src, &left, &dst, &room);
    out.append(reinterpret_cast<const typename Out::value_type*>(buffer),
               static_cast<size_t>(dst - buffer) / sizeof(typename Out::value_type));
    ok = r != static_cast<size_t>(-1) || errno == E2BIG;
  }
  iconv_close(cd);
  if (!ok) return std::nullopt;
  return out;
}

}  // namespace

std::optional<std::wstring> SystemCp932ToWide(std::string_view text) {
  return Convert<std::wstring>("WCHAR_T", "CP932", text.data(), text.size());
}

std::optional<std::string> SystemWideToCp932(std::wstring_view text) {
  return Convert<std::string>("CP932", "WCHAR_T", reinterpret_cast<const char*>(text.data()),
                              text.size() * sizeof(wchar_t));
}
