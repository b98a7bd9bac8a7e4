#pragma once

#include <string>
#include <vector>

// Show.ini: one flag per illustration name, read like the C library's atoi. Missing flags are
// 1 (shown); flags beyond the names are dropped.
std::vector<int> ParseShowIni(const std::vector<std::string>& lines, size_t nameCount);
std::vector<std::string> ShowIniLines(const std::vector<int>& shown);

// atoi without its undefined overflow: the value saturates at the int range.
int AtoiLine(const std::string& line);
