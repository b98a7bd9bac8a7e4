// The picture clock's ini: any existing file reads, and writing a position into it gives a file
// that reads back as that position, keeps its other lines, and is not changed by writing the
// same position again.
#include <fuzzer/FuzzedDataProvider.h>

#include "check.h"
#include "line_file.h"
#include "position_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  WindowPosition position{in.ConsumeIntegral<int>(), in.ConsumeIntegral<int>()};
  std::string existing = in.ConsumeRemainingBytesAsString();

  WindowPosition old = ReadPosition(existing);
  std::string written = WritePosition(existing, position);
  FUZZ_CHECK(ReadPosition(written) == position);
  FUZZ_CHECK(WritePosition(written, position) == written);
  // At most a section header and the two keys are added.
  size_t before = SplitLines(existing).size(), after = SplitLines(written).size();
  FUZZ_CHECK(after >= before && after <= before + 3);
  FUZZ_CHECK(ReadPosition(WritePosition(existing, old)) == old);
  return 0;
}
