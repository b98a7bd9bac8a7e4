#pragma once

#include <string>
#include <vector>

#include "ui/illust_catalogue.h"

// The illustrations the clock can show (Illust.ini), which of them take turns (Show.ini), and
// the one shown now.
class CIllustrations {
 public:
  std::vector<std::string> IllustNames;
  std::vector<int> IllustShown;
  int CurrentIllust = 0;  // kNoIllust when the catalogue has nothing to show
  int LastIllust = -1;
  std::string IllustName;  // the name of the one shown now, empty for none
  bool FewIllusts = true;  // fewer than two take turns

  // The catalogue's and the flags' bytes; the flags follow the names.
  void Read(const std::string& catalogue, const std::string& flags);
  std::string FlagBytes() const;

  // A random shown one, at start.
  void ChooseFirst();
  // After the flags changed: one no longer shown gives way to a random shown one.
  void Recheck();
  // The rotation's next turn.
  void Next();
};
