#include "position_file.h"

#include <charconv>
#include <optional>
#include <vector>

#include "cp932.h"
#include "face.h"
#include "line_file.h"

namespace {

constexpr char kSection[] = "Position";
constexpr char kXKey[] = "Xpos";
constexpr char kYKey[] = "Ypos";

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Ini names compare without regard to ASCII case, as the system's profile functions do.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char ca = a[i], cb = b[i];
    if (ca >= 'A' && ca <= 'Z') ca = static_cast<char>(ca - 'A' + 'a');
    if (cb >= 'A' && cb <= 'Z') cb = static_cast<char>(cb - 'A' + 'a');
    if (ca != cb) return false;
  }
  return true;
}

// The name of a "[name]" line, or nothing for other lines. The search for ']' steps over
// double-byte characters, whose trail byte can be 0x5D.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.empty() || line.front() != '[') return std::nullopt;
  for (size_t i = 1; i < line.size(); ++i) {
    if (IsCp932LeadByte(static_cast<unsigned char>(line[i]))) {
      ++i;
    } else if (line[i] == ']') {
      return Trim(line.substr(1, i - 1));
    }
  }
  return std::nullopt;
}

// '=' is below the trail byte range of code page 932, so a plain search is safe.
bool IsKeyLine(std::string_view line, std::string_view key, std::string_view* value) {
  size_t eq = line.find('=');
  if (eq == std::string_view::npos || !SameName(Trim(line.substr(0, eq)), key)) return false;
  if (value) *value = Trim(line.substr(eq + 1));
  return true;
}

int ParseDecimal(std::string_view text) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  int value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return 0;
  return value;
}

// Lines [begin, end) of the first "Position" section, begin being its header; begin == end
// when there is none.
std::pair<size_t, size_t> FindSection(const std::vector<std::string>& lines) {
  for (size_t i = 0; i < lines.size(); ++i) {
    auto name = SectionName(lines[i]);
    if (!name || !SameName(*name, kSection)) continue;
    size_t end = i + 1;
    while (end < lines.size() && !SectionName(lines[end])) ++end;
    return {i, end};
  }
  return {lines.size(), lines.size()};
}

}  // namespace

std::wstring PositionFileName(std::wstring_view programPath) {
  size_t nameStart = programPath.find_last_of(L"\\/");
  nameStart = nameStart == std::wstring_view::npos ? 0 : nameStart + 1;
  size_t dot = programPath.rfind(L'.');
  // A dot in a folder name or at the start of the file name is no extension.
  if (dot == std::wstring_view::npos || dot <= nameStart) dot = programPath.size();
  return std::wstring(programPath.substr(0, dot)) + L".INI";
}

WindowPosition ReadPosition(std::string_view iniBytes) {
  std::vector<std::string> lines = SplitLines(iniBytes);
  auto [begin, end] = FindSection(lines);
  std::optional<int> x, y;
  for (size_t i = begin + 1; i < end; ++i) {
    std::string_view value;
    // The first of duplicate keys counts, as with the system's profile functions.
    if (!x && IsKeyLine(lines[i], kXKey, &value)) x = ParseDecimal(value);
    if (!y && IsKeyLine(lines[i], kYKey, &value)) y = ParseDecimal(value);
  }
  return {x.value_or(0), y.value_or(0)};
}

std::string WritePosition(std::string_view existingBytes, WindowPosition position) {
  std::vector<std::string> lines = SplitLines(existingBytes);
  auto [begin, end] = FindSection(lines);
  if (begin == end) {
    lines.push_back(std::string("[") + kSection + "]");
    begin = lines.size() - 1;
    end = lines.size();
  }
  // New keys go after the section's last non-blank line, before any blank separator.
  size_t insertAt = end;
  while (insertAt > begin + 1 && Trim(lines[insertAt - 1]).empty()) --insertAt;
  for (auto [key, value] : {std::pair{kXKey, position.x}, std::pair{kYKey, position.y}}) {
    std::string line = std::string(key) + "=" + std::to_string(value);
    bool replaced = false;
    for (size_t i = begin + 1; i < end && !replaced; ++i) {
      if (IsKeyLine(lines[i], key, nullptr)) {
        lines[i] = line;
        replaced = true;
      }
    }
    if (!replaced) {
      lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(insertAt), line);
      ++insertAt;
      ++end;
    }
  }
  return JoinLines(lines);
}

bool IsReachable(WindowPosition position, const std::vector<ScreenRect>& monitors) {
  return MiddleOnMonitors(
      {position.x, position.y, position.x + kPictureSize, position.y + kPictureSize}, monitors);
}
