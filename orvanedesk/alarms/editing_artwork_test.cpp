// The wizard's pictures: the size the page templates make room for, in a form every Windows
// loads, drawn in the scene's colours rather than left blank.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "../../tools/artwork_files.h"

namespace {

TEST(EditingArtwork, WizardPicturesAre136By164TrueColourBitmaps) {
  for (const char* name : {"wizard147.bmp", "wizard148.bmp", "wizard149.bmp"}) {
    SCOPED_TRACE(name);
    std::vector<uint8_t> bmp = ReadFile(std::string("orvanedesk/res/") + name);
    ASSERT_GT(bmp.size(), 54u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(U32(bmp, 14), 40u);  // a plain info header
    EXPECT_EQ(U32(bmp, 18), 136u);
    EXPECT_EQ(U32(bmp, 22), 164u);  // positive: bottom-up rows
    EXPECT_EQ(bmp[28], 24);
    EXPECT_EQ(U32(bmp, 30), 0u);  // uncompressed
    size_t stride = (136 * 3 + 3) & ~size_t{3}, bits = U32(bmp, 10);
    ASSERT_EQ(bmp.size(), bits + stride * 164);
    // The top row is the wall colour of the desk clock's face; the picture holds a scene.
    EXPECT_EQ(bmp[bits + stride * 163 + 2], 250);
    std::set<uint32_t> colours;
    for (size_t i = bits; i + 2 < bmp.size(); i += 3)
      colours.insert(bmp[i] | bmp[i + 1] << 8 | bmp[i + 2] << 16);
    EXPECT_GT(colours.size(), 50u);
  }
}

}  // namespace
