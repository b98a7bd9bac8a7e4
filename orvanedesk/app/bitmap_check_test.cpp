#include "app/bitmap_check.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Le(uint32_t v, int bytes) {
  std::string out;
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
  return out;
}

// A .bmp file as a painting program writes it: file header, 40-byte info header, palette for
// depths up to 8, then the rows.
std::string Bmp(int32_t width, int32_t height, int depth, uint32_t colours = 0) {
  uint32_t entries = colours ? colours : (depth <= 8 ? 1u << depth : 0);
  uint32_t stride = (static_cast<uint32_t>(width) * depth + 31) / 32 * 4;
  uint32_t rows = static_cast<uint32_t>(height < 0 ? -height : height);
  uint32_t offset = 14 + 40 + entries * 4;
  std::string pixels(stride * rows, '\x40');
  return "BM" + Le(offset + static_cast<uint32_t>(pixels.size()), 4) + Le(0, 4) + Le(offset, 4) +
         Le(40, 4) + Le(static_cast<uint32_t>(width), 4) + Le(static_cast<uint32_t>(height), 4) +
         Le(1, 2) + Le(depth, 2) + Le(0, 4) + Le(0, 4) + Le(0, 4) + Le(0, 4) + Le(colours, 4) +
         Le(0, 4) + std::string(entries * 4, '\0') + pixels;
}

bool Whole(const std::string& file) {
  return BitmapFileIsWhole(std::string_view(file).substr(0, kBitmapHeadBytes), file.size());
}

void Put(std::string& file, size_t at, uint32_t value, int bytes = 4) {
  file.replace(at, bytes, Le(value, bytes));
}

TEST(BitmapCheck, PicturesAsPaintingProgramsWriteThem) {
  EXPECT_TRUE(Whole(Bmp(182, 316, 24)));
  EXPECT_TRUE(Whole(Bmp(182, 316, 8)));
  EXPECT_TRUE(Whole(Bmp(5, 3, 1)));
  EXPECT_TRUE(Whole(Bmp(7, 2, 4, 3)));  // a short palette
  EXPECT_TRUE(Whole(Bmp(9, -4, 32)));   // rows top-down
  // Extra bytes after the pixels do no harm.
  EXPECT_TRUE(Whole(Bmp(4, 4, 24) + "trailer"));
  // The old 12-byte header: 16-bit sides, three-byte palette entries.
  std::string core = "BM" + Le(14 + 12 + 6 + 4, 4) + Le(0, 4) + Le(14 + 12 + 6, 4) + Le(12, 4) +
                     Le(2, 2) + Le(1, 2) + Le(1, 2) + Le(1, 2) + std::string(6, '\0') +
                     std::string(4, '\0');
  EXPECT_TRUE(Whole(core));
}

TEST(BitmapCheck, TruncatedEmptyOrForeignFilesAreRefused) {
  const std::string good = Bmp(4, 4, 24);
  EXPECT_FALSE(Whole(""));
  EXPECT_FALSE(Whole(good.substr(0, 30))) << "cut inside the info header";
  EXPECT_FALSE(Whole(good.substr(0, 60))) << "cut inside the pixels";
  EXPECT_FALSE(Whole(good.substr(0, good.size() - 1))) << "one byte short";
  std::string wrongMagic = good;
  wrongMagic[0] = 'X';
  EXPECT_FALSE(Whole(wrongMagic));
  EXPECT_FALSE(Whole("BM not really a picture"));
  std::string png = "\x89PNG\r\n\x1a\n" + std::string(100, '\0');
  EXPECT_FALSE(Whole(png));
  std::string unknownHeader = good;
  Put(unknownHeader, 14, 41);
  EXPECT_FALSE(Whole(unknownHeader));
  // A head longer than the file claims to be is no file we read.
  EXPECT_FALSE(BitmapFileIsWhole(good, 10));
}

TEST(BitmapCheck, DeclaredSizesBeyondTheFileAreRefused) {
  const std::string good = Bmp(4, 4, 24);
  auto with = [&](size_t at, uint32_t value, int bytes = 4) {
    std::string file = good;
    Put(file, at, value, bytes);
    return Whole(file);
  };
  EXPECT_FALSE(with(18, 100000)) << "huge width";
  EXPECT_FALSE(with(22, 100000)) << "huge height";
  EXPECT_FALSE(with(18, 0x7FFFFFFF));
  EXPECT_FALSE(with(22, 0x80000000)) << "the one height without a positive twin";
  EXPECT_FALSE(with(18, 0)) << "no width";
  EXPECT_FALSE(with(18, 0xFFFFFFFB)) << "negative width";
  EXPECT_FALSE(with(22, 0)) << "no height";
  EXPECT_FALSE(with(22, 5)) << "one row more than the file holds";
  // The pixel offset past the end: the case that crashed the loader.
  EXPECT_FALSE(with(10, 0xFFFFFFF0));
  EXPECT_FALSE(with(10, static_cast<uint32_t>(good.size())));
  EXPECT_FALSE(with(10, 20)) << "pixels inside the header";
  EXPECT_FALSE(with(26, 2, 2)) << "two planes";
  EXPECT_FALSE(with(28, 7, 2)) << "seven bits a pixel";
  EXPECT_FALSE(with(28, 0, 2));
  EXPECT_FALSE(with(30, 4)) << "an embedded JPEG";
  EXPECT_FALSE(with(30, 1)) << "run-length coding of another depth";

  std::string palette = Bmp(4, 4, 8);
  Put(palette, 46, 257);
  EXPECT_FALSE(Whole(palette)) << "more colours than eight bits hold";
  Put(palette, 46, 0xFFFFFFFF);
  EXPECT_FALSE(Whole(palette));

  // Run-length coded pixels are as long as the header says, and it must say.
  std::string rle = Bmp(4, 4, 8);
  Put(rle, 30, 1);
  EXPECT_FALSE(Whole(rle)) << "no image size";
  Put(rle, 34, 16);
  EXPECT_TRUE(Whole(rle));
  Put(rle, 34, 0x7FFFFFFF);
  EXPECT_FALSE(Whole(rle));
}

}  // namespace
