#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// How much of a .bmp file BitmapFileIsWhole needs to see: the file header, the largest info
// header, bit masks and a full palette.
constexpr size_t kBitmapHeadBytes = 14 + 124 + 12 + 256 * 4;

// Whether a .bmp file whose first bytes are `head` (up to kBitmapHeadBytes of them) and whose
// length is `fileSize` describes a picture that lies wholly inside the file: a known header,
// a sane size and depth, and its palette and pixels within the file's bytes.
bool BitmapFileIsWhole(std::string_view head, uint64_t fileSize);
