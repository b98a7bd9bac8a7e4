#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "edition.h"
#include "local_time.h"
#include "screen_area.h"

// What the character clock decides, apart from drawing and the system.

// One piece of the glyph strip put on the clock: its coloured half at (srcX, srcY), its mask
// kMaskOffset rows further down.
struct GlyphBlit {
  int srcX, srcY, width, height, dstX, dstY;
  bool operator==(const GlyphBlit& o) const {
    return srcX == o.srcX && srcY == o.srcY && width == o.width && height == o.height &&
           dstX == o.dstX && dstY == o.dstY;
  }
};
constexpr int kMaskOffset = 48;
constexpr int kGlyphStripWidth = 284, kGlyphStripHeight = 96;

// The glyphs showing a moment, in drawing order.
std::vector<GlyphBlit> GlyphsFor(const LocalTime& now, bool hour24, bool alarmActive,
                                 const Edition& edition);

// Repaint marks of one timer tick.
enum : int { kMarkMinute = 1, kMarkFace = 2, kMarkCreature = 4 };

struct TickState {
  int lastMinute = 0, lastHour = 0;
  int counter = 0;   // animation tick, 0 to 161
  int face = 0;      // face frame, 0 = the picture's own face
  int creature = 0;  // creature frame of the second edition, 0 = none
};

// Marks for a new minute or hour, remembering what was seen.
int TimeMarks(TickState& state, const LocalTime& now);
// Advances the animation by one tick and returns its marks.
int AdvanceAnimation(TickState& state, const Edition& edition);

struct Invalidation {
  enum Kind { kNothing, kClient, kArea } kind;
  Rect area;  // for kArea
};
Invalidation InvalidationFor(int marks, const Edition& edition);

// Source rectangles of the animation frames in picture 148.
Rect FaceFrameSource(int frame, const Edition& edition);
Rect BigCreatureSource(int frame);
Rect SmallCreatureSource(int frame);

struct Point {
  int x, y;
  bool operator==(const Point& o) const { return x == o.x && y == o.y; }
};
// Where a dialog opened at the click point goes: flipped left or up when it would cross the
// desktop's right or bottom edge.
Point PlaceDialog(Point click, Size dialog, Rect desktop);

// Whether a clock opened with its top-left corner at `at` can be seen and dragged back: the
// middle of its shape (the central 32 by 32 pixels of `shape`, the shape's bounds in window
// coordinates) lies on the monitors.
bool IsReachable(Point at, Rect shape, const std::vector<ScreenRect>& monitors);

// Horizontal runs of non-key pixels, row by row from the top, each row left to right.
struct Run {
  int y, left, right;  // right is one past the last pixel
  bool operator==(const Run& o) const { return y == o.y && left == o.left && right == o.right; }
};
// `pixels` holds width * height values 0x00RRGGBB, row by row from the top; the top byte is
// ignored.
std::vector<Run> RegionRuns(const uint32_t* pixels, int width, int height, uint32_t key);
