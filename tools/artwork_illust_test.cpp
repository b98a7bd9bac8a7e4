// Checks the seasonal illustrations and their catalogue against what the desk clock draws
// over them: the weekday badge and date digits on their flat bands, the hands on a light dial.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "artwork_files.h"

namespace {

// A 176 by 409, 24-bit, bottom-up BMP as the desk clock loads it; empty when it is not one.
struct Face {
  Bytes data;
  size_t bits = 0;
  uint32_t At(int x, int y) const {
    const uint8_t* p = &data[bits + 528 * (408 - y) + 3 * x];
    return p[2] << 16 | p[1] << 8 | p[0];
  }
  int Luma(int x, int y) const {
    uint32_t c = At(x, y);
    return ((c >> 16) * 299 + (c >> 8 & 255) * 587 + (c & 255) * 114) / 1000;
  }
};

Face LoadFace(int index) {
  Face f;
  Bytes d = ReadFile("orvanedesk/data/bitmap" + std::to_string(index) + ".bmp");
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M' || U32(d, 18) != 176 || U32(d, 22) != 409 ||
      (d[28] | d[29] << 8) != 24 || U32(d, 30) != 0 || d.size() != U32(d, 10) + 528u * 409) {
    ADD_FAILURE() << "bitmap" << index << ".bmp is not a 176x409 24-bit bitmap";
    return f;
  }
  f.bits = U32(d, 10);
  f.data = std::move(d);
  return f;
}

std::vector<std::string> CatalogueLines() {
  Bytes f = ReadFile("orvanedesk/data/Illust.ini");
  std::vector<std::string> lines;
  std::string line;
  for (size_t i = 0; i < f.size(); ++i) {
    if (f[i] == '\r' && i + 1 < f.size() && f[i + 1] == '\n') {
      lines.push_back(line);
      line.clear();
      ++i;
    } else {
      line += static_cast<char>(f[i]);
    }
  }
  EXPECT_TRUE(line.empty()) << "last line without CR LF";
  return lines;
}

TEST(SeasonalIllustrations, OnePicturePerNameAndEveryNameDistinct) {
  std::vector<std::string> names = CatalogueLines();
  ASSERT_GE(names.size(), 6u);
  std::set<std::string> distinct(names.begin(), names.end());
  EXPECT_EQ(distinct.size(), names.size());
  for (const std::string& name : names) {
    EXPECT_FALSE(name.empty());
    // Japanese names: double-byte Shift-JIS, no ASCII mixed in.
    for (size_t i = 0; i < name.size(); i += 2) {
      const uint8_t lead = name[i];
      ASSERT_TRUE((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC)) << name;
      ASSERT_LT(i + 1, name.size());
    }
  }
  std::ifstream beyond(std::string(ARTWORK_ROOT) + "/orvanedesk/data/bitmap" +
                       std::to_string(names.size()) + ".bmp");
  EXPECT_FALSE(beyond.good()) << "a picture without a name";
}

TEST(SeasonalIllustrations, BandsMatchTheFirstPictureAndTheDialStaysLight) {
  const size_t count = CatalogueLines().size();
  Face first = LoadFace(0);
  ASSERT_FALSE(first.data.empty());
  std::set<Bytes> seen{first.data};
  for (size_t i = 1; i < count; ++i) {
    SCOPED_TRACE("bitmap" + std::to_string(i));
    Face face = LoadFace(static_cast<int>(i));
    if (face.data.empty()) continue;
    EXPECT_TRUE(seen.insert(face.data).second) << "same picture twice";
    // The weekday badge and the date digits carry these colours as their background.
    int topOff = 0, plaqueOff = 0;
    for (int y = 0; y <= 34; ++y)
      for (int x = 0; x < 176; ++x) topOff += face.At(x, y) != first.At(x, y);
    for (int y = 364; y <= 400; ++y)
      for (int x = 44; x < 132; ++x) plaqueOff += face.At(x, y) != first.At(x, y);
    EXPECT_EQ(topOff, 0);
    EXPECT_EQ(plaqueOff, 0);
    // Black hands and the inverted second hand need a light dial.
    long luma = 0, n = 0, darkest = 255;
    for (int y = 204 - 60; y <= 204 + 60; ++y)
      for (int x = 88 - 60; x <= 88 + 60; ++x)
        if ((x - 88) * (x - 88) + (y - 204) * (y - 204) <= 60 * 60) {
          luma += face.Luma(x, y), ++n;
          darkest = std::min<long>(darkest, face.Luma(x, y));
        }
    EXPECT_GT(luma / n, 235);
    EXPECT_GT(darkest, 180);
    // The season shows in the window beside the dial: it differs from the first picture there.
    int differs = 0;
    for (int y = 50; y < 330; ++y)
      for (int x = 18; x < 158; ++x) differs += face.At(x, y) != first.At(x, y);
    EXPECT_GT(differs, 4000);
  }
}

}  // namespace
