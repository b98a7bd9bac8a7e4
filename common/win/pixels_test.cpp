#include "win/pixels.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "win/raii.h"

namespace {

// A 4 by 3 picture with a distinct colour in every pixel, captured from a memory DC.
Pixels Sample(int left, int top) {
  WindowDc screen(nullptr);
  MemoryDc dc(CreateCompatibleDC(screen.get()));
  Gdi<HBITMAP> bitmap(CreateCompatibleBitmap(screen.get(), 4, 3));
  Selection selected(dc.get(), bitmap.get());
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) SetPixel(dc.get(), x, y, RGB(10 * x, 10 * y, 200));
  Pixels shot = CaptureDc(dc.get(), 0, 0, 4, 3);
  shot.left = left;
  shot.top = top;
  return shot;
}

TEST(Pixels, ReadsInsideAndRefusesEverythingOutside) {
  Pixels shot = Sample(100, 50);
  ASSERT_EQ(shot.width, 4);
  EXPECT_EQ(shot.at(100, 50), RGB(0, 0, 200));
  EXPECT_EQ(shot.at(103, 52), RGB(30, 20, 200));
  for (POINT outside : {POINT{99, 50}, POINT{104, 50}, POINT{100, 49}, POINT{100, 53}, POINT{0, 0}})
    EXPECT_THROW(shot.at(outside.x, outside.y), std::out_of_range) << outside.x << "," << outside.y;
  EXPECT_THROW(Pixels().at(0, 0), std::out_of_range);
  WindowDc screen(nullptr);
  Pixels none = CaptureDc(screen.get(), 10, 10, 0, 5);
  EXPECT_TRUE(none.empty());
  EXPECT_THROW(none.at(10, 10), std::out_of_range);
}

TEST(Pixels, APartPlacedPartlyOutsideOrEmptyIsAnErrorNotAMismatch) {
  Pixels shot = Sample(0, 0);
  Pixels part = Sample(0, 0);
  part.width = 2;
  part.height = 2;
  part.pixels = {shot.at(1, 1), shot.at(2, 1), shot.at(1, 2), shot.at(2, 2)};
  EXPECT_TRUE(shot.Contains(part, 1, 1));
  EXPECT_FALSE(shot.Contains(part, 0, 0));
  EXPECT_THROW(shot.Contains(part, 3, 1), std::out_of_range);
  EXPECT_THROW(shot.Contains(part, -1, 0), std::out_of_range);
  EXPECT_THROW(shot.Contains(Pixels(), 0, 0), std::out_of_range);
  EXPECT_THROW(Pixels().Contains(part, 0, 0), std::out_of_range);
}

}  // namespace
