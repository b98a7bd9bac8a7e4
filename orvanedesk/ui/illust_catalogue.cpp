#include "ui/illust_catalogue.h"

#include <climits>
#include <cstdlib>

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

namespace {

// rand() reaches only RAND_MAX, 32767 under the Windows runtime: a larger catalogue combines
// draws, so that every index can come up and the picks end. A smaller one takes one draw.
int DrawIndex(int n, const std::function<int()>& rng) {
  constexpr unsigned long long kRange = RAND_MAX + 1ULL;
  unsigned long long value = 0, range = 1;
  do {
    value = value * kRange + static_cast<unsigned long long>(rng());
    range *= kRange;
  } while (range < static_cast<unsigned long long>(n));
  return static_cast<int>(value % static_cast<unsigned long long>(n));
}

}  // namespace

int PickNextIllust(const std::vector<int>& shown, int current, const std::function<int()>& rng) {
  const int n = static_cast<int>(shown.size());
  bool another = false;
  for (int i = 0; i < n; ++i) another = another || (i != current && shown[i] == 1);
  if (!another) return current;
  for (;;) {
    int r = DrawIndex(n, rng);
    if (r != current && shown[r] == 1) return r;
  }
}

int PickFirstIllust(const std::vector<int>& shown, const std::function<int()>& rng) {
  const int n = static_cast<int>(shown.size());
  bool any = false;
  for (int flag : shown) any = any || flag == 1;
  // A hand-edited catalogue can have nothing to show; the face then goes without a picture.
  if (!any) return kNoIllust;
  for (;;) {
    int r = DrawIndex(n, rng);
    if (shown[r] == 1) return r;
  }
}

int RecheckIllust(const std::vector<int>& shown, int current, const std::function<int()>& rng) {
  if (current >= 0 && current < static_cast<int>(shown.size()) && shown[current] == 1) {
    return current;
  }
  return PickFirstIllust(shown, rng);
}

bool HasFewIllusts(const std::vector<int>& shown) {
  int count = 0;
  for (int flag : shown) count += flag == 1;
  return count < 2;
}
