// The browser's registered command (a registry string of any bytes) and a page address: the
// command line is the command up to its placeholder, a blank and the address, and the cut
// never falls inside a double-byte character.
#include <fuzzer/FuzzedDataProvider.h>

#include "app/browser_command.h"
#include "check.h"
#include "cp932.h"

namespace {

// Whether `at` starts a character when the text is read from its start.
bool OnBoundary(std::string_view text, size_t at) {
  size_t i = 0;
  while (i < at) i += IsCp932LeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
  return i == at;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  std::string url = in.ConsumeRandomLengthString(300);
  std::string registered = in.ConsumeRemainingBytesAsString();

  size_t cut = FindPlaceholderCut(registered);
  std::string line = BrowserCommandLine(registered, url);
  if (cut == std::string_view::npos) {
    for (size_t at = registered.find("%1"); at != std::string::npos;
         at = registered.find("%1", at + 1)) {
      FUZZ_CHECK(!OnBoundary(registered, at));
    }
    FUZZ_CHECK(line == registered + " " + url);
  } else {
    FUZZ_CHECK(OnBoundary(registered, cut));
    FUZZ_CHECK(registered.compare(cut, 4, "\"%1\"") == 0 || registered.compare(cut, 2, "%1") == 0);
    FUZZ_CHECK(line == registered.substr(0, cut) + " " + url);
  }
  return 0;
}
