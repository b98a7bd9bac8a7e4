#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text files as the programs store them: lines of code page 932 bytes ending in CR LF.

// A file name in the system's own form (UTF-16 on Windows). Only the type is taken from
// <filesystem>: its path class would pull the C++ locale machinery into every program.
using FilePath = std::filesystem::path::string_type;

// Lines end at LF; a CR just before it is dropped; a last line without LF still counts.
std::vector<std::string> SplitLines(std::string_view bytes);
// Every line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

// What became of a save. On failure: the file and the system's reason, for telling the user
// which file could not be saved and why.
struct [[nodiscard]] SaveResult {
  bool saved = false;
  FilePath path;
  unsigned long error = 0;  // the system's error code (a Windows error or errno)
  std::wstring reason;      // the system's own description of that error
  explicit operator bool() const { return saved; }
};

std::optional<std::string> ReadFileBytes(const FilePath& path);
// Writes a temporary file of its own beside the target and swaps it in with one rename, keeping
// the old file's attributes (on the host its permission bits), so a failed or killed save leaves
// the old file whole. The swap waits about a second for a file another program holds. In a
// folder that refuses new files, an existing file that may be written is written in place.
SaveResult WriteFileBytes(const FilePath& path, std::string_view bytes);

std::optional<std::vector<std::string>> ReadLines(const FilePath& path);
SaveResult WriteLines(const FilePath& path, const std::vector<std::string>& lines);
