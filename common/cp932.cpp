#include "cp932.h"
#include "cp932_system.h"

bool IsCp932LeadByte(unsigned char byte) {
  return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

namespace {

bool IsTrailByte(unsigned char byte) {
  return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFC);
}

bool IsSingleByteCharacter(unsigned char byte) {
  return byte <= 0x7F || (byte >= 0xA1 && byte <= 0xDF);
}

// Length of the character starting at `at`: 1 or 2, or 0 for a byte that starts none.
size_t CharacterLength(std::string_view text, size_t at) {
  auto byte = static_cast<unsigned char>(text[at]);
  if (IsSingleByteCharacter(byte)) return 1;
  if (IsCp932LeadByte(byte) && at + 1 < text.size() &&
      IsTrailByte(static_cast<unsigned char>(text[at + 1]))) {
    return 2;
  }
  return 0;
}

void AppendRun(std::string_view run, std::wstring* out) {
  if (run.empty()) return;
  if (auto wide = SystemCp932ToWide(run)) {
    *out += *wide;
    return;
  }
  // Some pair in the run is unassigned: one replacement for that pair, the rest as usual.
  for (size_t at = 0; at < run.size();) {
    size_t length = CharacterLength(run, at);
    auto one = SystemCp932ToWide(run.substr(at, length));
    *out += one ? *one : std::wstring(1, L'\xFFFD');
    at += length;
  }
}

}  // namespace

// The system conversions differ on malformed bytes (Windows maps some stray bytes into the
// private use area, iconv refuses them), so the byte structure is decided here and only
// well-formed runs reach the system: both builds then show the same text.
std::wstring Cp932ToWide(std::string_view text) {
  std::wstring out;
  size_t runStart = 0;
  for (size_t at = 0; at < text.size();) {
    size_t length = CharacterLength(text, at);
    if (length > 0) {
      at += length;
      continue;
    }
    AppendRun(text.substr(runStart, at - runStart), &out);
    out += L'\xFFFD';
    runStart = ++at;
  }
  AppendRun(text.substr(runStart), &out);
  return out;
}

// Only a text that comes back unchanged is the user's text: this also refuses what a system
// conversion would map one way only.
std::optional<std::string> WideToCp932(std::wstring_view text) {
  std::optional<std::string> bytes = SystemWideToCp932(text);
  if (!bytes || Cp932ToWide(*bytes) != text) return std::nullopt;
  return bytes;
}
