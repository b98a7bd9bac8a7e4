#include "ui/illustrations.h"

#include <cstdlib>

#include "line_file.h"

void CIllustrations::Read(const std::string& catalogue, const std::string& flags) {
  IllustNames = SplitLines(catalogue);
  LastIllust = static_cast<int>(IllustNames.size()) - 1;
  IllustShown = ParseShowIni(SplitLines(flags), IllustNames.size());
}

std::string CIllustrations::FlagBytes() const { return JoinLines(ShowIniLines(IllustShown)); }

void CIllustrations::ChooseFirst() {
  FewIllusts = HasFewIllusts(IllustShown);
  CurrentIllust = PickFirstIllust(IllustShown, std::rand);
}

void CIllustrations::Recheck() {
  FewIllusts = HasFewIllusts(IllustShown);
  CurrentIllust = RecheckIllust(IllustShown, CurrentIllust, std::rand);
}

void CIllustrations::Next() {
  CurrentIllust = PickNextIllust(IllustShown, CurrentIllust, std::rand);
}
