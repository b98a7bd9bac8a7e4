#pragma once

// The generated pictures read byte by byte, for the checks of their layout; paths are relative
// to ARTWORK_ROOT, the source tree.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using Bytes = std::vector<uint8_t>;

inline Bytes ReadFile(const std::string& rel) {
  std::ifstream in(std::string(ARTWORK_ROOT) + "/" + rel, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Little-endian numbers as the BMP and ICO headers store them.
inline uint32_t U16(const Bytes& b, size_t at) { return b[at] | b[at + 1] << 8; }
inline uint32_t U32(const Bytes& b, size_t at) { return U16(b, at) | U16(b, at + 2) << 16; }
