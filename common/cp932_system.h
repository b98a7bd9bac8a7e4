#pragma once

#include <optional>
#include <string>
#include <string_view>

// The system's conversions of well-formed text, one per platform, under the rules cp932.cpp
// sets: nothing when some character has no exact counterpart or the conversion fails.
std::optional<std::wstring> SystemCp932ToWide(std::string_view text);
std::optional<std::string> SystemWideToCp932(std::wstring_view text);
