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

std::optional<std::string> ReadFileBytes(const FilePath& path);
// Writes a temporary file beside the target and swaps it in, so a failed save leaves the old
// file whole. Returns false (and leaves the target untouched) on any failure.
bool WriteFileAtomic(const FilePath& path, std::string_view bytes);

std::optional<std::vector<std::string>> ReadLines(const FilePath& path);
bool WriteLines(const FilePath& path, const std::vector<std::string>& lines);
