#include "ui/illust_catalogue.h"

#include <climits>

int AtoiLine(const std::string& line) {
  size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || (line[i] >= '\t' && line[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < line.size() && (line[i] == '+' || line[i] == '-')) negative = line[i++] == '-';
  long long value = 0;
  for (; i < line.size() && line[i] >= '0' && line[i] <= '9'; ++i) {
    value = value * 10 + (line[i] - '0');
    if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT_MAX) value = INT_MAX;
  return static_cast<int>(value);
}

std::vector<int> ParseShowIni(const std::vector<std::string>& lines, size_t nameCount) {
  std::vector<int> shown;
  for (const std::string& line : lines) shown.push_back(AtoiLine(line));
  shown.resize(nameCount, 1);
  return shown;
}

std::vector<std::string> ShowIniLines(const std::vector<int>& shown) {
  std::vector<std::string> lines;
  for (int flag : shown) lines.push_back(std::to_string(flag));
  return lines;
}
