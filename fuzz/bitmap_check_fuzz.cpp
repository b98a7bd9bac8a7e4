// A picture file's header, as found beside the desk clock: a file judged whole has its palette
// and pixels inside its bytes, whatever its header says, and judging never reads past the head.
#include <fuzzer/FuzzedDataProvider.h>

#include <string>

#include "app/bitmap_check.h"
#include "check.h"

namespace {

uint32_t U32(const std::string& b, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  // Sometimes a length the file claims beyond what the head shows.
  uint64_t extra = in.ConsumeBool() ? in.ConsumeIntegralInRange<uint64_t>(0, 1u << 20) : 0;
  std::string file = in.ConsumeRemainingBytesAsString();
  const uint64_t fileSize = file.size() + extra;
  // Only the head is given, in a buffer of its own size, so ASan sees any read past it.
  std::string head = file.substr(0, kBitmapHeadBytes);
  if (!BitmapFileIsWhole(head, fileSize)) return 0;
  FUZZ_CHECK(head.size() >= 26 && head[0] == 'B' && head[1] == 'M');
  const uint32_t infoSize = U32(head, 14);
  FUZZ_CHECK(head.size() >= 14 + infoSize);
  if (infoSize >= 40 && U32(head, 30) == 0) {
    const uint64_t width = U32(head, 18);
    const int32_t h = static_cast<int32_t>(U32(head, 22));
    const uint64_t height = h < 0 ? -static_cast<int64_t>(h) : h;
    const uint64_t depth = U32(head, 28) & 0xFFFF;
    const uint64_t stride = (width * depth + 31) / 32 * 4;
    FUZZ_CHECK(U32(head, 10) + stride * height <= fileSize);
  }
  return 0;
}
