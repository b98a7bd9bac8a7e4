#pragma once

// The values in which the three editions of the character clock differ.

struct Rect {
  int left, top, right, bottom;
  bool operator==(const Rect& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
};

struct Size {
  int width, height;
};

enum class Animation { kWink, kBlink };  // the face schedule an edition runs

struct Edition {
  char letter;        // 'a', 'b' or 'c'
  Size window;        // also the area repainted in full
  Size background;    // picture 104
  Size frames;        // picture 148
  Size face;          // one face frame
  int faceX, faceY;   // where a face frame is drawn
  bool creatures;     // the second edition's two blinking creatures
  Rect creatureArea;  // repainted when only the creatures changed
  int timeTop, ampmTop, alarmTop, dateTop;
  unsigned timerId;
  Animation animation;
  const wchar_t* title;
  const wchar_t* trayTip;
  const char* subkey;  // under Software\brindlewick

  Rect FaceArea() const { return {faceX, faceY, faceX + face.width, faceY + face.height}; }
};

constexpr int kEditionCount = 3;
const Edition& EditionAt(int index);  // 0, 1, 2 for a, b, c

// Creature tiles of the second edition, and where they go.
constexpr int kCreatureTileY = 40;
constexpr int kBigCreatureSize = 32;
constexpr int kSmallCreatureSize = 16;
constexpr int kBigCreatureX = 152, kBigCreatureY = 152;
constexpr int kSmallCreatureX = 96, kSmallCreatureY = 128;
