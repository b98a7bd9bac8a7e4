// Checks the generated bitmaps, icons and picture name against what the
// clocks' drawing code assumes about them.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "artwork_files.h"

namespace {

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
  bool operator!=(const Rgb& o) const { return !(*this == o); }
  int Luma() const { return (r * 299 + g * 587 + b * 114) / 1000; }
};

void PrintTo(const Rgb& c, std::ostream* os) {
  *os << "rgb(" << c.r << "," << c.g << "," << c.b << ")";
}

// A bottom-up, uncompressed BMP of 4 or 24 bits per pixel, validated on load.
struct Bmp {
  Bytes data;
  int w = 0, h = 0, bpp = 0;
  size_t bits = 0, stride = 0;

  Rgb At(int x, int y) const {
    size_t row = bits + stride * (h - 1 - y);
    if (bpp == 24) {
      const uint8_t* p = &data[row + 3 * x];
      return {p[2], p[1], p[0]};
    }
    int index = (data[row + x / 2] >> (x % 2 ? 0 : 4)) & 15;
    const uint8_t* p = &data[14 + 40 + 4 * index];
    return {p[2], p[1], p[0]};
  }
};

Bmp LoadBmp(const std::string& rel, int w, int h, int bpp) {
  SCOPED_TRACE(rel);
  Bmp b;
  b.data = ReadFile(rel);
  const Bytes& d = b.data;
  bool ok = true;
  auto expect = [&](bool c, const char* what) {
    if (!c) ok = false, ADD_FAILURE() << what;
  };
  expect(d.size() >= 54, "shorter than its headers");
  if (!ok) return b;
  expect(d[0] == 'B' && d[1] == 'M', "no BM signature");
  expect(U32(d, 2) == d.size(), "file size field disagrees with the file");
  expect(U32(d, 14) == 40, "info header is not 40 bytes");
  expect(static_cast<int32_t>(U32(d, 18)) == w, "width");
  expect(static_cast<int32_t>(U32(d, 22)) == h, "height (or not bottom-up)");
  expect(U16(d, 26) == 1, "planes");
  expect(static_cast<int>(U16(d, 28)) == bpp, "bits per pixel");
  expect(U32(d, 30) == 0, "compressed");
  b.bits = U32(d, 10);
  b.stride = ((w * bpp + 31) / 32) * 4;
  size_t colours = bpp <= 8 ? (U32(d, 46) ? U32(d, 46) : 1u << bpp) : 0;
  expect(b.bits == 54 + 4 * colours, "pixel data does not follow the header and palette");
  expect(d.size() == b.bits + b.stride * h, "pixel data size");
  if (ok) b.w = w, b.h = h, b.bpp = bpp;  // callers stay off bad data
  return b;
}

bool Flat(const Bmp& b, Rgb c, int x0, int y0, int x1, int y1) {
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      if (b.At(x, y) != c) return false;
  return true;
}

const char* const kWeekdays[] = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};

TEST(DeskFace, BadgesAndDateSitSeamlesslyOnTheIllustration) {
  Bmp face = LoadBmp("orvanedesk/data/bitmap0.bmp", 176, 409, 24);
  ASSERT_EQ(face.w, 176);
  const Rgb top = face.At(65, 6), bottom = face.At(50, 368);
  EXPECT_TRUE(Flat(face, top, 55, 0, 120, 34));
  EXPECT_TRUE(Flat(face, bottom, 50, 368, 125, 398));
  EXPECT_NE(top, bottom);
  // the middle of the dial stays light so black hands read on it
  long luma = 0, n = 0;
  for (int y = 204 - 50; y <= 204 + 50; ++y)
    for (int x = 88 - 50; x <= 88 + 50; ++x)
      if ((x - 88) * (x - 88) + (y - 204) * (y - 204) <= 50 * 50) luma += face.At(x, y).Luma(), ++n;
  EXPECT_GT(luma / n, 220);

  for (const char* day : kWeekdays) {
    SCOPED_TRACE(day);
    Bmp b = LoadBmp(std::string("orvanedesk/res/week_") + day + ".bmp", 45, 24, 24);
    ASSERT_EQ(b.w, 45);
    EXPECT_TRUE(Flat(b, top, 0, 0, 6, 23));
    EXPECT_TRUE(Flat(b, top, 38, 0, 44, 23));
    // the round plate is centred: equal margins of background left and right
    int left = 0, right = 0;
    while (left < 45 && Flat(b, top, left, 0, left, 23)) ++left;
    while (right < 45 && Flat(b, top, 44 - right, 0, 44 - right, 23)) ++right;
    EXPECT_LE(std::abs(left - right), 1);
    EXPECT_NE(b.At(22, 12), top);
  }
  Rgb sun = LoadBmp("orvanedesk/res/week_sun.bmp", 45, 24, 24).At(13, 12);
  Rgb sat = LoadBmp("orvanedesk/res/week_sat.bmp", 45, 24, 24).At(13, 12);
  EXPECT_GT(sun.r, sun.b + 60);
  EXPECT_GT(sat.b, sat.r + 60);

  std::vector<Bytes> seen;
  for (int d = 0; d <= 9; ++d) {
    SCOPED_TRACE(d);
    Bmp b = LoadBmp("orvanedesk/res/digit" + std::to_string(d) + ".bmp", 11, 18, 24);
    ASSERT_EQ(b.w, 11);
    EXPECT_TRUE(Flat(b, bottom, 0, 0, 10, 0) && Flat(b, bottom, 0, 17, 10, 17));
    int dark = 0;
    for (int y = 0; y < 18; ++y)
      for (int x = 0; x < 11; ++x) dark += b.At(x, y).Luma() < 110;
    EXPECT_GE(dark, 10);
    for (const Bytes& other : seen) EXPECT_NE(other, b.data);
    seen.push_back(b.data);
  }
  Bmp slash = LoadBmp("orvanedesk/res/slash.bmp", 6, 16, 24);
  ASSERT_EQ(slash.w, 6);
  EXPECT_EQ(slash.At(0, 0), bottom);
  EXPECT_EQ(slash.At(5, 15), bottom);
  EXPECT_LT(slash.At(4, 2).Luma(), slash.At(0, 2).Luma() - 80);  // rises to the right
  EXPECT_LT(slash.At(1, 13).Luma(), slash.At(5, 13).Luma() - 80);
}

TEST(RoundClock, IllustrationAndKeyedSprites) {
  Bmp ill = LoadBmp("tickmoth/res/illust.bmp", 150, 150, 24);
  ASSERT_EQ(ill.w, 150);
  long luma = 0;
  for (int y = 30; y <= 50; ++y)
    for (int x = 40; x <= 110; ++x) luma += ill.At(x, y).Luma();
  EXPECT_LT(luma / (21 * 71), 140) << "white time text needs a darker backdrop";

  const Rgb black{0, 0, 0};
  std::vector<Bytes> seen;
  for (const char* name : {"hour", "minute", "second"}) {
    SCOPED_TRACE(name);
    Bmp b = LoadBmp(std::string("tickmoth/res/") + name + ".bmp", 16, 16, 4);
    ASSERT_EQ(b.w, 16);
    EXPECT_EQ(b.At(0, 15), black);
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        double dx = x - 7.5, dy = y - 7.5;
        if (dx * dx + dy * dy <= 25) {
          EXPECT_NE(b.At(x, y), black) << x << "," << y;
        }
      }
    for (const Bytes& other : seen) EXPECT_NE(other, b.data);
    seen.push_back(b.data);
  }
}

// Every image of an icon is a 32-bpp DIB whose AND mask is set exactly where
// the alpha channel is fully transparent.
void CheckIcon(const std::string& rel, const std::vector<int>& sizes) {
  SCOPED_TRACE(rel);
  Bytes f = ReadFile(rel);
  ASSERT_GE(f.size(), 6u);
  EXPECT_EQ(U16(f, 0), 0u);
  EXPECT_EQ(U16(f, 2), 1u);
  ASSERT_EQ(U16(f, 4), sizes.size());
  for (size_t i = 0; i < sizes.size(); ++i) {
    const size_t e = 6 + 16 * i;
    ASSERT_GE(f.size(), e + 16);
    const int n = sizes[i];
    EXPECT_EQ(f[e], n);
    EXPECT_EQ(f[e + 1], n);
    EXPECT_EQ(U16(f, e + 6), 32u);
    const size_t len = U32(f, e + 8), at = U32(f, e + 12);
    const size_t mstride = ((n + 31) / 32) * 4;
    ASSERT_EQ(len, 40 + 4u * n * n + mstride * n);
    ASSERT_LE(at + len, f.size());
    EXPECT_EQ(U32(f, at), 40u);
    EXPECT_EQ(static_cast<int>(U32(f, at + 4)), n);
    EXPECT_EQ(static_cast<int>(U32(f, at + 8)), 2 * n);
    EXPECT_EQ(U16(f, at + 14), 32u);
    EXPECT_EQ(U32(f, at + 16), 0u);
    int opaque = 0, mismatches = 0;
    for (int row = 0; row < n; ++row)
      for (int x = 0; x < n; ++x) {
        uint8_t alpha = f[at + 40 + 4 * (row * n + x) + 3];
        bool bit = f[at + 40 + 4 * n * n + row * mstride + x / 8] & (0x80 >> (x % 8));
        mismatches += bit != (alpha == 0);
        opaque += alpha == 255;
      }
    EXPECT_EQ(mismatches, 0) << "size " << n;
    EXPECT_GT(opaque, n * n / 5) << "size " << n;
    EXPECT_LT(opaque, n * n) << "size " << n;
  }
}

TEST(Icons, DirectoriesAndMasks) {
  CheckIcon("orvanedesk/res/orvanedesk.ico", {16, 32, 48});
  for (const char* id : {"120", "121", "122", "124"})
    CheckIcon(std::string("orvanedesk/res/icon") + id + ".ico", {16});
  CheckIcon("tickmoth/res/tickmoth.ico", {16, 32, 48});
}

TEST(PictureName, ShiftJisLineEndingInCrLf) {
  Bytes f = ReadFile("orvanedesk/data/Illust.ini");
  ASSERT_GT(f.size(), 2u);
  ASSERT_EQ(f[f.size() - 2], '\r');
  ASSERT_EQ(f[f.size() - 1], '\n');
  for (size_t i = 0; i + 2 < f.size(); ++i) {
    const uint8_t c = f[i];
    if ((c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC)) {
      ASSERT_LT(i + 3, f.size()) << "lead byte without its trail at " << i;
      const uint8_t t = f[++i];
      EXPECT_TRUE(t >= 0x40 && t <= 0xFC && t != 0x7F) << "bad trail byte at " << i;
    } else if (c == '\r') {
      EXPECT_EQ(f[++i], '\n') << "CR without LF at " << i;  // one name a line
    } else {
      EXPECT_TRUE((c >= 0x20 && c < 0x7F) || (c >= 0xA1 && c <= 0xDF)) << "bad byte at " << i;
    }
  }
}

}  // namespace
