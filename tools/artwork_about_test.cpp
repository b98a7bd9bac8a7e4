// Checks the about box's generated pictures against what its template and code assume.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "artwork_files.h"

namespace {

// A plain 24-bit bottom-up bitmap of the given size, whole to its last row.
void ExpectBitmap(const std::string& rel, int w, int h) {
  SCOPED_TRACE(rel);
  Bytes b = ReadFile(rel);
  ASSERT_GE(b.size(), 54u);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(U32(b, 14), 40u);
  EXPECT_EQ(static_cast<int>(U32(b, 18)), w);
  EXPECT_EQ(static_cast<int>(U32(b, 22)), h);
  EXPECT_EQ(U16(b, 28), 24u);
  EXPECT_EQ(U32(b, 30), 0u);
  size_t stride = (w * 3 + 3) & ~3u;
  EXPECT_EQ(b.size(), U32(b, 10) + stride * h);
}

TEST(AboutArtwork, BannerAndLinkPictures) {
  ExpectBitmap("orvanedesk/res/about_banner.bmp", 300, 80);
  for (const char* name : {"official", "kotone", "hiyori", "ao"})
    ExpectBitmap(std::string("orvanedesk/res/link_") + name + ".bmp", 88, 31);
}

TEST(AboutArtwork, HandCursorPointsWithItsFingertip) {
  Bytes c = ReadFile("orvanedesk/res/link_hand.cur");
  ASSERT_GE(c.size(), 6u + 16 + 40 + 32 * 32 * 4 + 32 * 4);
  EXPECT_EQ(U16(c, 0), 0u);
  EXPECT_EQ(U16(c, 2), 2u);  // a cursor, not an icon
  EXPECT_EQ(U16(c, 4), 1u);
  EXPECT_EQ(c[6], 32);
  EXPECT_EQ(c[7], 32);
  const int hx = U16(c, 10), hy = U16(c, 12);
  const size_t image = U32(c, 18);
  EXPECT_EQ(U32(c, 14), c.size() - image);
  EXPECT_EQ(U32(c, image + 4), 32u);
  EXPECT_EQ(U32(c, image + 8), 64u);  // colour and mask
  EXPECT_EQ(U16(c, image + 14), 32u);
  const size_t colour = image + 40, mask = colour + 32 * 32 * 4;
  auto alpha = [&](int x, int y) { return c[colour + ((31 - y) * 32 + x) * 4 + 3]; };
  auto masked = [&](int x, int y) { return (c[mask + (31 - y) * 4 + x / 8] >> (7 - x % 8)) & 1; };
  int solid = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      // Every pixel is clear or solid, and the mask says which.
      ASSERT_TRUE(alpha(x, y) == 0 || alpha(x, y) == 255) << x << "," << y;
      EXPECT_EQ(masked(x, y), alpha(x, y) == 0 ? 1 : 0) << x << "," << y;
      solid += alpha(x, y) == 255;
    }
  }
  EXPECT_GT(solid, 150);
  // The hotspot lies on the hand, at its top: nothing solid above it.
  EXPECT_EQ(alpha(hx, hy), 255);
  for (int y = 0; y < hy; ++y)
    for (int x = 0; x < 32; ++x) EXPECT_EQ(alpha(x, y), 0) << x << "," << y;
}

}  // namespace
