#pragma once

#include <cstdint>
#include <string>

// Silence as a plain PCM wave file (8 kHz, 8-bit mono), a quarter second unless told, for tests
// that need a sound that opens, plays and sends its completion notice.
inline std::string SilentWave(uint32_t milliseconds = 250) {
  auto le = [](uint32_t v, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
  };
  const uint32_t rate = 8000, samples = rate * milliseconds / 1000;
  return "RIFF" + le(36 + samples, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(rate, 4) +
         le(rate, 4) + le(1, 2) + le(8, 2) + "data" + le(samples, 4) + std::string(samples, '\x80');
}
