// Checks the message popup's pictures and icon as the popup loads them.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "artwork_files.h"

namespace {

TEST(PopupArtwork, PicturesAre100By116In256Colours) {
  for (const char* name : {"popup146.bmp", "popup151.bmp", "popup152.bmp"}) {
    SCOPED_TRACE(name);
    Bytes b = ReadFile(std::string("orvanedesk/res/") + name);
    ASSERT_GT(b.size(), 54u);
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(U32(b, 2), b.size());
    EXPECT_EQ(U32(b, 14), 40u);
    EXPECT_EQ(U32(b, 18), 100u);
    EXPECT_EQ(U32(b, 22), 116u);  // positive: bottom-up
    EXPECT_EQ(U16(b, 28), 8u);
    EXPECT_EQ(U32(b, 30), 0u);  // uncompressed
    const uint32_t colours = U32(b, 46);
    EXPECT_EQ(colours, 256u);
    const uint32_t offset = U32(b, 10);
    EXPECT_EQ(offset, 14 + 40 + 4 * colours);
    ASSERT_EQ(b.size(), offset + 100u * 116u);  // rows of 100 bytes need no padding
    // A drawing, not a flat fill: many palette entries in use.
    std::set<uint8_t> used(b.begin() + offset, b.end());
    EXPECT_GT(used.size(), 40u);
  }
}

TEST(PopupArtwork, BellIconMasksMatchItsAlpha) {
  Bytes b = ReadFile("orvanedesk/res/icon150.ico");
  ASSERT_GT(b.size(), 6u);
  ASSERT_EQ(U16(b, 2), 1u);
  const uint32_t count = U16(b, 4);
  ASSERT_EQ(count, 2u);
  std::set<int> sizes;
  for (uint32_t i = 0; i < count; ++i) {
    const size_t entry = 6 + 16 * i;
    const int w = b[entry], h = b[entry + 1];
    sizes.insert(w);
    const size_t at = U32(b, entry + 12);
    ASSERT_LE(at + U32(b, entry + 8), b.size());
    EXPECT_EQ(U32(b, at + 4), static_cast<uint32_t>(w));
    EXPECT_EQ(U32(b, at + 8), static_cast<uint32_t>(2 * h));
    EXPECT_EQ(U16(b, at + 14), 32u);
    const size_t xor_ = at + 40, mask = xor_ + 4 * w * h, stride = (w + 31) / 32 * 4;
    int opaque = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        const uint8_t alpha = b[xor_ + 4 * (y * w + x) + 3];
        const bool masked = b[mask + y * stride + x / 8] & (0x80 >> (x % 8));
        EXPECT_EQ(masked, alpha == 0) << w << ": " << x << "," << y;
        opaque += alpha == 255;
      }
    }
    EXPECT_GT(opaque, w * h / 4);
    EXPECT_LT(opaque, w * h * 3 / 4);
  }
  EXPECT_EQ(sizes, (std::set<int>{16, 32}));
}

}  // namespace
