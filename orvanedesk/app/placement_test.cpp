#include "app/placement.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using Values = std::map<std::wstring, int>;

std::optional<StoredPlacement> Read(const Values& values) {
  return ReadPlacement([&](const wchar_t* name) -> std::optional<int> {
    auto it = values.find(name);
    if (it == values.end()) return std::nullopt;
    return it->second;
  });
}

TEST(Placement, AllSixValuesOrNone) {
  Values all{{L"flags", 0}, {L"showCmd", 2}, {L"x1", -1}, {L"y1", -50}, {L"x2", 181}, {L"y2", 384}};
  auto read = Read(all);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->showCmd, 2);
  EXPECT_EQ(read->x1, -1);  // a window one pixel past the left edge is a real position
  EXPECT_EQ(read->y1, -50);
  EXPECT_EQ(read->y2, 384);
  for (const auto& [name, value] : all) {
    Values missing = all;
    missing.erase(name);
    EXPECT_FALSE(Read(missing)) << std::string(name.begin(), name.end());
  }

  // The read stops at the first missing value: later names are not asked for.
  std::vector<std::wstring> asked;
  ReadPlacement([&](const wchar_t* name) -> std::optional<int> {
    asked.push_back(name);
    if (asked.size() == 3) return std::nullopt;
    return 0;
  });
  EXPECT_EQ(asked, (std::vector<std::wstring>{L"flags", L"showCmd", L"x1"}));
}

TEST(Placement, LeftAndTopPulledBackAnIconFromTheScreenEdge) {
  StoredPlacement p{0, 1, 5000, -50, 5182, 384};
  ClampToScreen(p, 1024, 768, 32, 32);
  EXPECT_EQ(p.x1, 992);
  EXPECT_EQ(p.y1, -50);   // no lower limit
  EXPECT_EQ(p.x2, 5182);  // right and bottom stay as stored
  EXPECT_EQ(p.y2, 384);

  p = {0, 1, 100, 2000, 282, 2434};
  ClampToScreen(p, 1024, 768, 32, 32);
  EXPECT_EQ(p.x1, 100);
  EXPECT_EQ(p.y1, 736);
  p = {0, 1, 992, 736, 0, 0};
  ClampToScreen(p, 1024, 768, 32, 32);
  EXPECT_EQ(p.x1, 992);
  EXPECT_EQ(p.y1, 736);
}

const MonitorArea kPrimary{{0, 0, 1024, 768}, {0, 0, 1024, 738}};
const MonitorArea kRight{{1024, 0, 2944, 1080}, {1024, 40, 2944, 1080}};

TEST(Placement, WindowOnAnyMonitorStaysPut) {
  EXPECT_FALSE(ShiftOntoMonitor({-50, -50, 132, 384}, {kPrimary}));
  EXPECT_FALSE(ShiftOntoMonitor({992, 700, 1174, 1134}, {kPrimary}));  // an icon's worth shows
  EXPECT_FALSE(ShiftOntoMonitor({2000, 100, 2182, 534}, {kPrimary, kRight}));
  EXPECT_FALSE(ShiftOntoMonitor({-5000, 0, -4818, 434}, {}));
}

TEST(Placement, WindowOffEveryMonitorComesOntoTheNearestWorkArea) {
  // Left of everything: onto the primary's left edge, height kept.
  auto shift = ShiftOntoMonitor({-5000, 100, -4818, 534}, {kPrimary, kRight});
  ASSERT_TRUE(shift);
  EXPECT_EQ(*shift, std::make_pair(5000, 0));
  // Where the right-hand monitor was removed: back inside the primary, above its task bar.
  shift = ShiftOntoMonitor({2000, 600, 2182, 1034}, {kPrimary});
  ASSERT_TRUE(shift);
  EXPECT_EQ(*shift, std::make_pair(1024 - 182 - 2000, 738 - 434 - 600));
  // Nearest is the right-hand monitor: its work area starts below its top task bar.
  shift = ShiftOntoMonitor({3500, -900, 3682, -466}, {kPrimary, kRight});
  ASSERT_TRUE(shift);
  EXPECT_EQ(*shift, std::make_pair(2944 - 182 - 3500, 40 + 900));
  // Just touching an edge is not on the monitor.
  shift = ShiftOntoMonitor({1024, 0, 1206, 434}, {kPrimary});
  ASSERT_TRUE(shift);
  EXPECT_EQ(*shift, std::make_pair(1024 - 182 - 1024, 0));
  // A window taller than the work area keeps its top edge on it.
  shift = ShiftOntoMonitor({0, 900, 182, 1900}, {kPrimary});
  ASSERT_TRUE(shift);
  EXPECT_EQ(*shift, std::make_pair(0, -900));
}

}  // namespace
