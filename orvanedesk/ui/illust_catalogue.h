#pragma once

#include <functional>
#include <string>
#include <vector>

// Show.ini: one flag per illustration name, read like the C library's atoi. Missing flags are
// 1 (shown); flags beyond the names are dropped.
std::vector<int> ParseShowIni(const std::vector<std::string>& lines, size_t nameCount);
std::vector<std::string> ShowIniLines(const std::vector<int>& shown);

// atoi without its undefined overflow: the value saturates at the int range.
int AtoiLine(const std::string& line);

// Next illustration to rotate to: a random shown one other than the current, or the current
// one when there is none to choose.
int PickNextIllust(const std::vector<int>& shown, int current, const std::function<int()>& rng);
// A random shown illustration, or kNoIllust when none is marked shown (or there is none).
constexpr int kNoIllust = -1;
int PickFirstIllust(const std::vector<int>& shown, const std::function<int()>& rng);
// After the flags changed: the current one when still shown, else a new first pick.
int RecheckIllust(const std::vector<int>& shown, int current, const std::function<int()>& rng);
// Rotation needs two shown illustrations.
bool HasFewIllusts(const std::vector<int>& shown);
