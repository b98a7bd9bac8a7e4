// Checks the character clock's pictures against what its drawing code and window shape assume.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "artwork_files.h"

namespace {

constexpr uint32_t kKey = 0xFF00FF, kBlack = 0, kWhite = 0xFFFFFF;

// An uncompressed, bottom-up BMP of 8 bits a pixel, as 0xRRGGBB values.
struct Picture {
  int w = 0, h = 0;
  std::vector<uint32_t> px;
  uint32_t At(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
  bool Key(int x, int y) const { return At(x, y) == kKey; }
};

Picture Load8(const std::string& rel, int w, int h) {
  SCOPED_TRACE(rel);
  Picture p;
  Bytes d = ReadFile(rel);
  if (d.size() < 54 || d[0] != 'B' || d[1] != 'M') {
    ADD_FAILURE() << "not a bitmap";
    return p;
  }
  EXPECT_EQ(U32(d, 2), d.size());
  EXPECT_EQ(U32(d, 14), 40u);
  EXPECT_EQ(static_cast<int32_t>(U32(d, 18)), w);
  EXPECT_EQ(static_cast<int32_t>(U32(d, 22)), h) << "height (or not bottom-up)";
  EXPECT_EQ(U16(d, 28), 8u) << "bits per pixel";
  EXPECT_EQ(U32(d, 30), 0u) << "compressed";
  size_t colours = U32(d, 46) ? U32(d, 46) : 256;
  size_t bits = U32(d, 10), stride = (w + 3) & ~3;
  if (::testing::Test::HasFailure() || colours > 256 || bits != 54 + 4 * colours ||
      d.size() != bits + stride * h) {
    ADD_FAILURE() << "layout of headers, palette and pixels";
    return p;
  }
  p.w = w;
  p.h = h;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint8_t index = d[bits + stride * (h - 1 - y) + x];
      EXPECT_LT(index, colours);
      const uint8_t* c = &d[54 + 4 * index];
      p.px.push_back(c[2] << 16 | c[1] << 8 | c[0]);
    }
  return p;
}

struct Layout {
  const char* letter;
  int w, h, window;  // picture 104 and the window's width
  int framesW, framesH, faceW, faceH, faceX, faceY;
  int time, ampm, alarm, date;
};
const Layout kLayouts[] = {
    {"a", 272, 200, 272, 288, 112, 96, 112, 160, 0, 56, 64, 78, 95},
    {"b", 280, 196, 276, 192, 72, 64, 40, 184, 56, 48, 56, 70, 88},
    {"c", 272, 228, 272, 216, 56, 72, 56, 160, 40, 80, 88, 102, 120},
};

void PrintTo(const Layout& l, std::ostream* os) { *os << "edition " << l.letter; }

std::string Res(const Layout& l, const char* file) {
  return std::string("tamsel/res/") + l.letter + "/" + file;
}

// Pixels reachable from the border through key pixels; the rest is the window's shape.
std::vector<bool> Outside(const Picture& p) {
  std::vector<bool> seen(p.px.size());
  std::vector<int> stack;
  for (int x = 0; x < p.w; ++x) stack.insert(stack.end(), {x, x + (p.h - 1) * p.w});
  for (int y = 0; y < p.h; ++y) stack.insert(stack.end(), {y * p.w, y * p.w + p.w - 1});
  while (!stack.empty()) {
    int i = stack.back();
    stack.pop_back();
    if (seen[i] || p.px[i] != kKey) continue;
    seen[i] = true;
    int x = i % p.w, y = i / p.w;
    if (x > 0) stack.push_back(i - 1);
    if (x + 1 < p.w) stack.push_back(i + 1);
    if (y > 0) stack.push_back(i - p.w);
    if (y + 1 < p.h) stack.push_back(i + p.w);
  }
  return seen;
}

int Distance(uint32_t a, uint32_t b) {
  int d = 0;
  for (int shift : {0, 8, 16}) d += std::abs(int(a >> shift & 255) - int(b >> shift & 255));
  return d;
}

class Edition : public ::testing::TestWithParam<Layout> {};

TEST_P(Edition, ShapeIsOnePieceWithTheKeyOnlyOutside) {
  const Layout& l = GetParam();
  Picture p = Load8(Res(l, "picture104.bmp"), l.w, l.h);
  ASSERT_EQ(p.w, l.w);
  std::vector<bool> outside = Outside(p);
  int holes = 0, nearKey = 0, inside = 0;
  for (size_t i = 0; i < p.px.size(); ++i) {
    holes += p.px[i] == kKey && !outside[i];
    if (p.px[i] != kKey) ++inside, nearKey += Distance(p.px[i], kKey) < 120;
  }
  EXPECT_EQ(holes, 0) << "key pixels enclosed by the shape";
  EXPECT_EQ(nearKey, 0) << "pinkish fringe that the shape would keep";
  EXPECT_GT(inside, l.w * l.h / 3);
  EXPECT_LT(inside, l.w * l.h * 9 / 10) << "the shape should be cut out";
  // the shape is one piece: every non-key pixel reachable from the first
  std::vector<bool> seen(p.px.size());
  std::vector<int> stack;
  for (size_t i = 0; i < p.px.size() && stack.empty(); ++i)
    if (p.px[i] != kKey) stack.push_back(static_cast<int>(i));
  int reached = 0;
  while (!stack.empty()) {
    int i = stack.back();
    stack.pop_back();
    if (seen[i] || p.px[i] == kKey) continue;
    seen[i] = true;
    ++reached;
    int x = i % p.w, y = i / p.w;
    if (x > 0) stack.push_back(i - 1);
    if (x + 1 < p.w) stack.push_back(i + 1);
    if (y > 0) stack.push_back(i - p.w);
    if (y + 1 < p.h) stack.push_back(i + p.w);
  }
  EXPECT_EQ(reached, inside);
  // the columns beyond the window are never shown; the rest of the shape fits the window
  for (int y = 0; y < l.h; ++y)
    for (int x = l.window; x < l.w; ++x) EXPECT_TRUE(p.Key(x, y)) << x << "," << y;
}

TEST_P(Edition, PanelForTheTimeIsFreeAndInside) {
  const Layout& l = GetParam();
  Picture p = Load8(Res(l, "picture104.bmp"), l.w, l.h);
  ASSERT_EQ(p.w, l.w);
  // every glyph lands between x 9 and 144, from the time row to the bottom of the date row
  const uint32_t panel = p.At(9, l.time);
  EXPECT_NE(panel, kKey);
  int other = 0;
  for (int y = l.time; y < l.date + 12; ++y)
    for (int x = 9; x < 144; ++x) other += p.At(x, y) != panel;
  EXPECT_EQ(other, 0);
  // light enough for the dark digits
  int luma = ((panel >> 16) * 299 + (panel >> 8 & 255) * 587 + (panel & 255) * 114) / 1000;
  EXPECT_GT(luma, 200);
}

// A tile drawn opaque at (dx, dy): no key colour where the shape shows it, the key where the
// shape hides it, and its border equal to the background so no seam shows.
void CheckTile(const Picture& frames, int sx, int sy, int w, int h, const Picture& back, int dx,
               int dy, bool* differs) {
  int keyShown = 0, seams = 0, changed = 0;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t t = frames.At(sx + x, sy + y), b = back.At(dx + x, dy + y);
      keyShown += (t == kKey) != (b == kKey);
      bool border = x == 0 || y == 0 || x == w - 1 || y == h - 1;
      seams += border && t != b && dy + y > 0 && dx + x > 0;
      changed += t != b;
    }
  EXPECT_EQ(keyShown, 0) << "tile at " << sx << "," << sy;
  EXPECT_EQ(seams, 0) << "tile at " << sx << "," << sy;
  *differs = changed > 4;
}

TEST_P(Edition, FramesMatchTheBackgroundAndAnimateIt) {
  const Layout& l = GetParam();
  Picture back = Load8(Res(l, "picture104.bmp"), l.w, l.h);
  Picture frames = Load8(Res(l, "picture148.bmp"), l.framesW, l.framesH);
  ASSERT_EQ(back.w, l.w);
  ASSERT_EQ(frames.w, l.framesW);
  for (int n = 0; n < 3; ++n) {
    SCOPED_TRACE(n + 1);
    bool differs = false;
    CheckTile(frames, n * l.faceW, 0, l.faceW, l.faceH, back, l.faceX, l.faceY, &differs);
    EXPECT_TRUE(differs) << "a face frame the same as the background";
  }
  if (std::string(l.letter) != "b") return;
  for (int n = 0; n < 3; ++n) {
    SCOPED_TRACE(n);
    bool big = false, small = false;
    CheckTile(frames, 96 + 32 * n, 40, 32, 32, back, 152, 152, &big);
    CheckTile(frames, 48 + 16 * n, 40, 16, 16, back, 96, 128, &small);
    // the first tiles are the creatures as the background shows them; the others blink
    EXPECT_EQ(big, n > 0);
    EXPECT_EQ(small, n > 0);
  }
}

bool Inked(const Picture& strip, int x, int y) { return strip.At(x, y) != kBlack; }

// Columns of a cell that hold any ink.
std::vector<bool> InkColumns(const Picture& strip, int x0, int y0, int w, int h) {
  std::vector<bool> cols(w);
  for (int x = 0; x < w; ++x)
    for (int y = 0; y < h; ++y) cols[x] = cols[x] || Inked(strip, x0 + x, y0 + y);
  return cols;
}

TEST_P(Edition, GlyphStripMasksMatchTheirGlyphs) {
  const Layout& l = GetParam();
  Picture s = Load8(Res(l, "glyphs115.bmp"), 284, 96);
  ASSERT_EQ(s.w, 284);
  int bad = 0;
  for (int y = 0; y < 48; ++y)
    for (int x = 0; x < 284; ++x) {
      uint32_t mask = s.At(x, y + 48);
      bool ok = (mask == kBlack && Inked(s, x, y)) || (mask == kWhite && !Inked(s, x, y));
      bad += !ok;
    }
  EXPECT_EQ(bad, 0) << "mask pixels that are not black exactly under the glyph, white elsewhere";

  struct Cell {
    int x, y, w, h;
  };
  std::vector<Cell> cells;
  for (int d = 0; d < 7; ++d) cells.push_back({d * 28, 0, 28, 12});
  for (int d = 0; d < 10; ++d) cells.push_back({196 + d * 8, 0, 8, 12});
  cells.push_back({276, 0, 8, 12});
  for (int d = 0; d < 10; ++d) cells.push_back({d * 24, 12, 24, 36});
  cells.push_back({240, 12, 16, 36});
  cells.push_back({256, 12, 20, 12});
  cells.push_back({256, 24, 20, 12});
  cells.push_back({256, 36, 24, 12});
  std::vector<std::vector<uint32_t>> seen;
  for (const Cell& c : cells) {
    std::vector<uint32_t> pixels;
    int ink = 0;
    for (int y = c.y; y < c.y + c.h; ++y)
      for (int x = c.x; x < c.x + c.w; ++x) pixels.push_back(s.At(x, y)), ink += Inked(s, x, y);
    EXPECT_GT(ink, 6) << "empty cell at " << c.x << "," << c.y;
    for (const auto& other : seen) EXPECT_NE(other, pixels) << "cell at " << c.x << "," << c.y;
    seen.push_back(pixels);
  }
  // nothing inked where no glyph is laid out
  for (int y = 12; y < 48; ++y)
    for (int x = 276; x < 284; ++x)
      if (y < 36 || x >= 280) {
        EXPECT_FALSE(Inked(s, x, y)) << x << "," << y;
      }

  // Glyphs whose places on the clock overlap must not ink the same columns there: the colon
  // (86) and the minute tens (96); the date's separators (102, 122) and their neighbours.
  auto colon = InkColumns(s, 240, 12, 16, 36);
  for (int d = 0; d < 10; ++d) {
    auto digit = InkColumns(s, d * 24, 12, 24, 36);
    for (int x = 10; x < 16; ++x) EXPECT_FALSE(colon[x] && digit[x - 10]) << d << " col " << x;
    auto small = InkColumns(s, 196 + d * 8, 0, 8, 12);
    auto dot = InkColumns(s, 276, 0, 8, 12);
    for (int x = 0; x < 2; ++x) {
      EXPECT_FALSE(small[6 + x] && dot[x]) << d;  // a digit left of a separator
      EXPECT_FALSE(dot[6 + x] && small[x]) << d;  // a digit right of a separator
    }
  }
}

// Icons: BMP-format images with an AND mask set exactly where they are transparent.
void CheckIcon(const std::string& rel, const std::vector<int>& sizes) {
  SCOPED_TRACE(rel);
  Bytes f = ReadFile(rel);
  ASSERT_GE(f.size(), 6u);
  ASSERT_EQ(U16(f, 2), 1u);
  ASSERT_EQ(U16(f, 4), sizes.size());
  for (size_t i = 0; i < sizes.size(); ++i) {
    const size_t e = 6 + 16 * i;
    const int n = sizes[i];
    ASSERT_GE(f.size(), e + 16);
    EXPECT_EQ(f[e], n);
    const size_t at = U32(f, e + 12), mstride = ((n + 31) / 32) * 4;
    ASSERT_EQ(U32(f, e + 8), 40 + 4u * n * n + mstride * n);
    ASSERT_LE(at + U32(f, e + 8), f.size());
    int opaque = 0, mismatches = 0;
    for (int row = 0; row < n; ++row)
      for (int x = 0; x < n; ++x) {
        uint8_t alpha = f[at + 40 + 4 * (row * n + x) + 3];
        bool bit = f[at + 40 + 4 * n * n + row * mstride + x / 8] & (0x80 >> (x % 8));
        mismatches += bit != (alpha == 0);
        opaque += alpha != 0;
      }
    EXPECT_EQ(mismatches, 0);
    EXPECT_GT(opaque, n * n / 3);
  }
}

TEST_P(Edition, Icons) {
  const Layout& l = GetParam();
  CheckIcon(Res(l, "icon132.ico"), {32, 16, 48});
  CheckIcon(Res(l, "icon141.ico"), {16});
}

INSTANTIATE_TEST_SUITE_P(Tamsel, Edition, ::testing::ValuesIn(kLayouts),
                         [](const auto& info) { return std::string(info.param.letter); });

}  // namespace
