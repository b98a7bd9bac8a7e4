#include "app/bitmap_check.h"

namespace {

uint32_t U32(std::string_view b, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 2])) << 16 |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 3])) << 24;
}
uint32_t U16(std::string_view b, size_t at) {
  return static_cast<uint32_t>(static_cast<unsigned char>(b[at])) |
         static_cast<uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}

constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
// Far beyond any illustration; keeps the row arithmetic small.
constexpr uint64_t kMaxSide = 32767;

}  // namespace

// The system's loader trusts these fields: under Wine a pixel offset past the end of the file
// crashes the program inside LoadImage. So every field that says where bytes are is checked
// against the file's real length before the file is handed over.
bool BitmapFileIsWhole(std::string_view head, uint64_t fileSize) {
  constexpr size_t kFileHeader = 14;
  if (head.size() > fileSize) return false;
  if (head.size() < kFileHeader + 4 || head[0] != 'B' || head[1] != 'M') return false;
  const uint64_t bitsOffset = U32(head, 10);
  const uint32_t infoSize = U32(head, 14);
  const bool core = infoSize == 12;
  if (!core && infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 64 &&
      infoSize != 108 && infoSize != 124)
    return false;
  if (head.size() < kFileHeader + infoSize) return false;

  uint64_t width = 0, height = 0;
  uint32_t planes = 0, depth = 0, compression = kRgb, imageSize = 0, colours = 0;
  if (core) {
    width = U16(head, 18);
    height = U16(head, 20);
    planes = U16(head, 22);
    depth = U16(head, 24);
  } else {
    const int32_t w = static_cast<int32_t>(U32(head, 18));
    const int32_t h = static_cast<int32_t>(U32(head, 22));
    if (w <= 0 || h == 0 || h == INT32_MIN) return false;
    width = static_cast<uint64_t>(w);
    height = static_cast<uint64_t>(h < 0 ? -static_cast<int64_t>(h) : h);
    planes = U16(head, 26);
    depth = U16(head, 28);
    compression = U32(head, 30);
    imageSize = U32(head, 34);
    colours = U32(head, 46);
  }
  if (width == 0 || height == 0 || width > kMaxSide || height > kMaxSide || planes != 1)
    return false;
  if (depth != 1 && depth != 4 && depth != 8 && depth != 16 && depth != 24 && depth != 32)
    return false;
  const bool encoded = compression == kRle8 || compression == kRle4;
  if (compression == kRle8 && depth != 8) return false;
  if (compression == kRle4 && depth != 4) return false;
  if (compression == kBitFields && depth != 16 && depth != 32) return false;
  if (compression > kBitFields) return false;

  // Palette (and the three masks an old-style header keeps after itself) between the header and
  // the pixels.
  const uint64_t maxColours = depth <= 8 ? (1u << depth) : 256;
  if (colours > maxColours) return false;
  const uint64_t entries = colours ? colours : (depth <= 8 ? maxColours : 0);
  uint64_t tableEnd = kFileHeader + infoSize + entries * (core ? 3 : 4);
  if (compression == kBitFields && infoSize == 40) tableEnd += 12;
  if (tableEnd > fileSize) return false;
  if (bitsOffset < kFileHeader + infoSize) return false;

  const uint64_t stride = (width * depth + 31) / 32 * 4;
  const uint64_t pixelBytes = encoded ? imageSize : stride * height;
  if (encoded && imageSize == 0) return false;
  return bitsOffset + pixelBytes <= fileSize;
}
