#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Text files as the programs store them: lines of code page 932 bytes ending in CR LF.

// Lines end at LF; a CR just before it is dropped; a last line without LF still counts.
std::vector<std::string> SplitLines(std::string_view bytes);
// Every line followed by CR LF.
std::string JoinLines(const std::vector<std::string>& lines);

std::optional<std::string> ReadFileBytes(const std::filesystem::path& path);
// Writes a temporary file beside the target and swaps it in, so a failed save leaves the old
// file whole. Returns false (and leaves the target untouched) on any failure.
bool WriteFileAtomic(const std::filesystem::path& path, std::string_view bytes);

std::optional<std::vector<std::string>> ReadLines(const std::filesystem::path& path);
bool WriteLines(const std::filesystem::path& path, const std::vector<std::string>& lines);
