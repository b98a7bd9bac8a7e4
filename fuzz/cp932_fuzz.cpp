// Code page 932 at the screen and the line splitting every text file goes through: any bytes
// convert, a text that converted cleanly converts back to the same characters, and lines
// survive being joined and split again.
#include <cstddef>
#include <cstdint>

#include "check.h"
#include "cp932.h"
#include "line_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  std::wstring wide = Cp932ToWide(bytes);
  FUZZ_CHECK(wide.size() <= bytes.size());
  if (wide.find(L'\xFFFD') == std::wstring::npos) {
    std::optional<std::string> back = WideToCp932(wide);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(Cp932ToWide(*back) == wide);
  }

  // The same bytes read as UTF-16 units, as a text control hands them over.
  std::wstring typed;
  for (size_t i = 0; i + 1 < size; i += 2)
    typed += static_cast<wchar_t>(data[i] | data[i + 1] << 8);
  if (std::optional<std::string> stored = WideToCp932(typed)) {
    FUZZ_CHECK(Cp932ToWide(*stored) == typed);
  }

  std::vector<std::string> lines = SplitLines(bytes);
  std::string joined = JoinLines(lines);
  FUZZ_CHECK(SplitLines(joined) == lines);
  // A file saved with CR LF line ends reads back to its own bytes.
  if (bytes.size() >= 2 && bytes.substr(bytes.size() - 2) == "\r\n" &&
      bytes.find('\n') == bytes.find("\r\n") + 1) {
    bool allCrLf = true;
    for (size_t i = 0; i < bytes.size(); ++i) {
      if (bytes[i] == '\n' && bytes[i - 1] != '\r') allCrLf = false;
    }
    if (allCrLf) FUZZ_CHECK(joined == bytes);
  }
  return 0;
}
