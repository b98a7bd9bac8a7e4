#include "app/browser_command.h"

#include "cp932.h"

namespace {

// Finds `needle` starting on a character boundary, stepping over double-byte characters so
// that no match can begin inside one.
size_t FindCharacterAware(std::string_view text, std::string_view needle) {
  size_t i = 0;
  while (i < text.size()) {
    if (text.compare(i, needle.size(), needle) == 0) return i;
    i += IsCp932LeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
  }
  return std::string_view::npos;
}

}  // namespace

size_t FindPlaceholderCut(std::string_view command) {
  size_t at = FindCharacterAware(command, "\"%1\"");
  if (at == std::string_view::npos) at = FindCharacterAware(command, "%1");
  return at;
}

std::string BrowserCommandLine(std::string_view registered, std::string_view url) {
  // Built to its own length: neither a long registered command nor a long address can overrun.
  std::string line(registered.substr(0, FindPlaceholderCut(registered)));
  line += ' ';
  line += url;
  return line;
}
