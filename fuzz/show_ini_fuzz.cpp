// Show.ini as found on disk: any lines give one flag per illustration name, and the flags save to
// lines that load back to the same flags; a number's text reads back as that number.
#include <fuzzer/FuzzedDataProvider.h>

#include "check.h"
#include "line_file.h"
#include "ui/illust_catalogue.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  size_t names = in.ConsumeIntegralInRange<size_t>(0, 64);
  int number = in.ConsumeIntegral<int>();
  FUZZ_CHECK(AtoiLine(std::to_string(number)) == number);

  std::string bytes = in.ConsumeRemainingBytesAsString();
  std::vector<std::string> lines = SplitLines(bytes);
  std::vector<int> shown = ParseShowIni(lines, names);
  FUZZ_CHECK(shown.size() == names);
  for (size_t i = lines.size(); i < names; ++i) FUZZ_CHECK(shown[i] == 1);
  FUZZ_CHECK(ParseShowIni(SplitLines(JoinLines(ShowIniLines(shown))), names) == shown);
  return 0;
}
