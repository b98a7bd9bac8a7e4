#pragma once

#include <cstdint>

// A stored Option value the tests share: the alarm at 7:30 and active, the 24-hour clock, neither
// pinned nor on top.
constexpr uint32_t kOption730 = (7u * 64 + 30) << 21 | 2 | 4;
