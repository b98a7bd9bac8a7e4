#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::vector<uint8_t> Read(const std::string& rel) {
  std::ifstream in(std::string(ARTWORK_ROOT) + "/" + rel, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<uint32_t>(b[at + 3]) << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return b[at] | b[at + 1] << 8; }

TEST(SettingsArtwork, BannerIsA24BitPictureOfItsPlace) {
  auto b = Read("orvanedesk/res/banner143.bmp");
  ASSERT_GE(b.size(), 54u);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(U32(b, 18), 152u);
  EXPECT_EQ(U32(b, 22), 44u);
  EXPECT_EQ(U16(b, 28), 24);
  // Rows of 152 * 3 bytes are already 4-byte aligned.
  EXPECT_EQ(b.size(), U32(b, 10) + 152u * 3 * 44);
}

// Each icon is one 16 by 16 image whose AND mask is set exactly where the picture is clear.
TEST(SettingsArtwork, TestButtonIconsHaveMatchingMasks) {
  for (const char* name : {"orvanedesk/res/icon116.ico", "orvanedesk/res/icon117.ico"}) {
    SCOPED_TRACE(name);
    auto b = Read(name);
    ASSERT_GE(b.size(), 22u);
    ASSERT_EQ(U16(b, 4), 1);
    EXPECT_EQ(b[6], 16);
    EXPECT_EQ(b[7], 16);
    size_t info = U32(b, 18);
    ASSERT_EQ(U16(b, info + 14), 32);
    size_t pixels = info + 40, mask = pixels + 16 * 16 * 4;
    ASSERT_EQ(b.size(), mask + 16 * 4);
    int opaque = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        bool clear = b[pixels + (y * 16 + x) * 4 + 3] == 0;
        bool masked = b[mask + y * 4 + x / 8] & (0x80 >> (x % 8));
        EXPECT_EQ(clear, masked) << x << "," << y;
        opaque += !clear;
      }
    EXPECT_GT(opaque, 40);
  }
}

}  // namespace
