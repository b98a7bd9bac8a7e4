// Checks the Wine prefix the project's scripts prepare: the programs' Japanese typefaces
// resolve to fonts that have kanji, and there is a sound device for MCI to play into.
#include <gtest/gtest.h>
#include <windows.h>
#include <mmsystem.h>

#include "win/raii.h"

namespace {

TEST(WinePrefix, JapaneseTypefacesHaveKanji) {
  WindowDc screen(nullptr);
  for (const wchar_t* face : {L"ＭＳ Ｐゴシック", L"ＭＳ ゴシック", L"ＭＳ 明朝"}) {
    Gdi<HFONT> font(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                DEFAULT_PITCH, face));
    Selection selected(screen.get(), font.get());
    // A substituted face keeps its requested name; an unknown one shows the fallback's name.
    wchar_t selectedFace[LF_FACESIZE] = {};
    GetTextFaceW(screen.get(), LF_FACESIZE, selectedFace);
    EXPECT_STREQ(selectedFace, face);
    WORD glyphs[3] = {};
    ASSERT_EQ(GetGlyphIndicesW(screen.get(), L"日本時", 3, glyphs, GGI_MARK_NONEXISTING_GLYPHS),
              3u);
    for (WORD glyph : glyphs) EXPECT_NE(glyph, 0xFFFF) << testing::PrintToString(face);
  }
}

TEST(WinePrefix, CaptionButtonFontIsPresent) {
  WindowDc screen(nullptr);
  Gdi<HFONT> font(CreateFontW(-12, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SYMBOL_CHARSET,
                              OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                              DEFAULT_PITCH, L"Marlett"));
  Selection selected(screen.get(), font.get());
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(screen.get(), LF_FACESIZE, face);
  EXPECT_STREQ(face, L"Marlett");
}

TEST(WinePrefix, SoundsHaveADeviceToPlayOn) { EXPECT_GT(waveOutGetNumDevs(), 0u); }

}  // namespace
