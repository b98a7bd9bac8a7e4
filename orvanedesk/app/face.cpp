#include <cstring>

#include "app/bitmap_check.h"
#include "app/mainwindow.h"
#include "cp932.h"
#include "win/system.h"

namespace {

constexpr COLORREF kNumeralHighlight = RGB(254, 252, 180);
constexpr COLORREF kHandBody = RGB(179, 158, 93);
constexpr COLORREF kHandShade = RGB(58, 51, 34);

Gdi<HBITMAP> LoadResourceBitmap(int id) {
  return Gdi<HBITMAP>(LoadBitmapW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id)));
}

POINT ToPoint(FacePoint p) { return {p.x, p.y}; }

}  // namespace

// Face space: 1000 units across the smaller side, origin at the centre, y upwards.
void CMainwindow::MapToFace(HDC dc) {
  RECT client;
  GetClientRect(hwnd(), &client);
  SetMapMode(dc, MM_ISOTROPIC);
  SetWindowExtEx(dc, 1000, 1000, nullptr);
  SetViewportExtEx(dc, client.right, -client.bottom, nullptr);
  SetViewportOrgEx(dc, client.right / 2, client.bottom / 2, nullptr);

  // Under Wine every mapping call costs about a dozen server round trips; keeping where this
  // mapping puts the second hand lets the tick that only moves it draw on an unmapped DC.
  POINT ends[120];
  for (int s = 0; s < 60; ++s) {
    HandShape shape = ComputeHand(kSecondHand, SecondHandAngle(s));
    ends[2 * s] = ToPoint(shape.tip);
    ends[2 * s + 1] = ToPoint(shape.tail);
  }
  secondHandPixels_.client = {-1, -1};
  if (!LPtoDP(dc, ends, 120)) return;
  for (int s = 0; s < 60; ++s) {
    secondHandPixels_.tip[s] = ends[2 * s];
    secondHandPixels_.tail[s] = ends[2 * s + 1];
  }
  secondHandPixels_.client = {client.right, client.bottom};
}

// Pixel space: one unit a pixel from the top-left corner, for the bitmaps.
void CMainwindow::MapToPixels(HDC dc) {
  SetMapMode(dc, MM_ISOTROPIC);
  SetWindowExtEx(dc, kFaceWidth, kFaceHeight, nullptr);
  SetViewportExtEx(dc, kFaceWidth, kFaceHeight, nullptr);
  SetViewportOrgEx(dc, 0, 0, nullptr);
}

void CMainwindow::DrawFace(HDC dc) {
  MapToPixels(dc);
  const int current = illusts_.CurrentIllust;
  const bool listed = current >= 0 && current < static_cast<int>(illusts_.IllustNames.size());
  illusts_.IllustName = listed ? illusts_.IllustNames[current] : std::string();
  Gdi<HBITMAP> picture;
  if (current >= 0) {
    picture = LoadIllustFile("bitmap" + std::to_string(current) + ".bmp");
  }
  if (picture) {
    BlitBitmap(dc, std::move(picture), 0, 0);
  } else {
    // No picture (none to show, a missing or broken file): a plain face, without the old
    // picture and hands showing through.
    RECT face{0, 0, kFaceWidth, kFaceHeight};
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
  }
  LocalTime today = clock_();
  Glyph badge = WeekdayBadge(today.weekday);
  BlitBitmap(dc, LoadResourceBitmap(badge.bitmap), badge.at.x, badge.at.y);
  for (const Glyph& glyph : DateGlyphs(today.month, today.day)) {
    BlitBitmap(dc, LoadResourceBitmap(glyph.bitmap), glyph.at.x, glyph.at.y);
  }
  MapToFace(dc);
  if (!settings_.TitleFace) return;

  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_CENTER | TA_TOP);
  LOGFONTW font{};
  font.lfHeight = MulDiv(settings_.FontSize * 10, -GetDeviceCaps(dc, LOGPIXELSY), 72);
  font.lfWeight = FW_BOLD;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfClipPrecision = CLIP_LH_ANGLES;
  std::wstring face = Cp932ToWide(settings_.FontFace).substr(0, LF_FACESIZE - 1);
  std::memcpy(font.lfFaceName, face.c_str(), (face.size() + 1) * sizeof(wchar_t));
  for (const Numeral& numeral : Numerals()) {
    font.lfEscapement = numeral.escapement;
    Gdi<HFONT> handle(CreateFontIndirectW(&font));
    Selection selected(dc, handle.get());
    std::wstring text = Cp932ToWide(numeral.text);
    int length = static_cast<int>(text.size());
    SetTextColor(dc, kNumeralHighlight);
    TextOutW(dc, numeral.anchor.x + kNumeralHighlightOffset.x,
             numeral.anchor.y + kNumeralHighlightOffset.y, text.c_str(), length);
    SetTextColor(dc, RGB(0, 0, 0));
    TextOutW(dc, numeral.anchor.x, numeral.anchor.y, text.c_str(), length);
  }
}

void CMainwindow::DrawHand(HDC dc, HandSpec hand, int angle, COLORREF outline) {
  HandShape shape = ComputeHand(hand, angle);
  const POINT kite[4] = {ToPoint(shape.tip), ToPoint(shape.right), ToPoint(shape.tail),
                         ToPoint(shape.left)};
  // Any other outline colour paints the hand away in the background colour.
  COLORREF erase = GetSysColor(COLOR_BTNFACE);
  COLORREF body = outline == RGB(0, 0, 0) ? kHandBody : erase;
  COLORREF shade = outline == RGB(0, 0, 0) ? kHandShade : erase;
  {
    Gdi<HBRUSH> brush(CreateSolidBrush(body));
    Selection selected(dc, brush.get());
    Polygon(dc, kite, 4);
  }
  {
    Gdi<HBRUSH> brush(CreateSolidBrush(shade));
    Selection selected(dc, brush.get());
    Polygon(dc, kite, 3);
  }
  Gdi<HPEN> pen(CreatePen(PS_SOLID, 0, outline));
  Selection selected(dc, pen.get());
  MoveToEx(dc, kite[0].x, kite[0].y, nullptr);
  for (int i : {1, 2, 3, 0}) LineTo(dc, kite[i].x, kite[i].y);
  LineTo(dc, kite[2].x, kite[2].y);
}

void CMainwindow::DrawSecondHand(HDC dc, int angle, COLORREF outline) {
  if (!settings_.SecondHand) return;
  HandShape shape = ComputeHand(kSecondHand, angle);
  Gdi<HPEN> pen(CreatePen(PS_SOLID, 0, outline));
  Selection selected(dc, pen.get());
  MoveToEx(dc, shape.tip.x, shape.tip.y, nullptr);
  // Inverting makes the second draw of the same line restore the face beneath it.
  SetROP2(dc, R2_NOT);
  LineTo(dc, shape.tail.x, shape.tail.y);
  SetROP2(dc, R2_COPYPEN);
}

bool CMainwindow::DrawSecondHandPixels(HDC dc, int second, SIZE client) {
  if (client.cx != secondHandPixels_.client.cx || client.cy != secondHandPixels_.client.cy ||
      second < 0 || second >= 60) {
    return false;
  }
  if (!settings_.SecondHand) return true;
  Gdi<HPEN> pen(CreatePen(PS_SOLID, 0, RGB(0, 0, 0)));
  Selection selected(dc, pen.get());
  const POINT tip = secondHandPixels_.tip[second], tail = secondHandPixels_.tail[second];
  MoveToEx(dc, tip.x, tip.y, nullptr);
  SetROP2(dc, R2_NOT);
  LineTo(dc, tail.x, tail.y);
  SetROP2(dc, R2_COPYPEN);
  return true;
}

void CMainwindow::BlitBitmap(HDC dc, Gdi<HBITMAP> bitmap, int x, int y) {
  if (!bitmap) return;
  BITMAP info{};
  GetObjectW(bitmap.get(), sizeof info, &info);
  MemoryDc memory(CreateCompatibleDC(dc));
  Selection selected(memory.get(), bitmap.get());
  BitBlt(dc, x, y, info.bmWidth, info.bmHeight, memory.get(), 0, 0, SRCCOPY);
}

// The system's loader is handed only files whose header fits their length: it trusts the
// header, and a damaged one can crash it.
Gdi<HBITMAP> CMainwindow::LoadIllustFile(const std::string& name) {
  std::wstring path = GetModuleFolder() + Cp932ToWide(name);
  {
    FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size{};
    if (!file || !GetFileSizeEx(file.get(), &size)) return {};
    char head[kBitmapHeadBytes];
    DWORD got = 0;
    if (!ReadFile(file.get(), head, sizeof head, &got, nullptr)) return {};
    if (!BitmapFileIsWhole(std::string_view(head, got), static_cast<uint64_t>(size.QuadPart)))
      return {};
  }
  return Gdi<HBITMAP>(static_cast<HBITMAP>(LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0,
                                                      LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
}
