#include "settings/settings_pages.h"

#include <cstdlib>

#include "cp932.h"
#include "res/resource.h"

CMyPropertyPage1::CMyPropertyPage1() : CPropertyPage(IDD_GENERAL) {}

void CMyPropertyPage1::DoDataExchange(CDataExchange& dx) {
  DDX_Check(dx, IDC_SECOND_HAND, SecondHand);
  DDX_Check(dx, IDC_TITLE_FACE, TitleFace);
}

namespace {

std::wstring ComboText(HWND combo, int index) {
  LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return {};
  std::wstring text(length + 1, L'\0');
  length = SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(length == CB_ERR ? 0 : length);
  return text;
}

int CALLBACK AddFontFamily(const LOGFONTW* font, const TEXTMETRICW*, DWORD type, LPARAM data) {
  auto combo = reinterpret_cast<HWND>(data);
  // A face name code page 932 cannot hold could not be stored as FontFace.
  std::optional<std::string> face = WideToCp932(font->lfFaceName);
  if (face && IsOfferedFontFamily(*face, type, font->lfCharSet) &&
      SendMessageW(combo, CB_FINDSTRINGEXACT, -1, reinterpret_cast<LPARAM>(font->lfFaceName)) ==
          CB_ERR)
    SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(font->lfFaceName));
  return 1;
}

// Selects the first entry that begins with `prefix`, or none.
void SelectByPrefix(HWND combo, const std::string& prefix) {
  std::vector<std::string> entries;
  int count = static_cast<int>(SendMessageW(combo, CB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i)
    entries.push_back(WideToCp932(ComboText(combo, i)).value_or(std::string()));
  SendMessageW(combo, CB_SETCURSEL, FindPrefix(entries, prefix), 0);
}

}  // namespace

BOOL CMyPropertyPage1::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  HWND faces = Item(IDC_FONT_FACE), sizes = Item(IDC_FONT_SIZE);
  {
    HDC dc = GetDC(hwnd());
    EnumFontFamiliesW(dc, nullptr, AddFontFamily, reinterpret_cast<LPARAM>(faces));
    ReleaseDC(hwnd(), dc);
  }
  for (const std::string& size : FontSizeEntries())
    SendMessageW(sizes, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Cp932ToWide(size).c_str()));
  SelectByPrefix(faces, FontFace);
  SelectByPrefix(sizes, std::to_string(FontSize));
  EnableFontControls(IsDlgButtonChecked(hwnd(), IDC_TITLE_FACE) == BST_CHECKED);
  return TRUE;
}

void CMyPropertyPage1::EnableFontControls(bool enable) {
  for (int id : {IDC_FONT_LABEL, IDC_SIZE_LABEL, IDC_FONT_FACE, IDC_FONT_SIZE})
    EnableWindow(Item(id), enable);
}

bool CMyPropertyPage1::OnCommand(int id, int code, HWND control) {
  if (code == CBN_SELCHANGE && (id == IDC_FONT_FACE || id == IDC_FONT_SIZE)) {
    SetModified();
    int index = static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0));
    if (index == CB_ERR) return true;
    std::string text = WideToCp932(ComboText(control, index)).value_or(std::string());
    if (id == IDC_FONT_FACE)
      FontFace = text;
    else
      FontSize = std::atoi(text.c_str());
    return true;
  }
  if (code == BN_CLICKED && id == IDC_TITLE_FACE) {
    SetModified();
    EnableFontControls(IsDlgButtonChecked(hwnd(), IDC_TITLE_FACE) == BST_CHECKED);
    return true;
  }
  if (code == BN_CLICKED && id == IDC_SECOND_HAND) {
    SetModified();
    return true;
  }
  return CPropertyPage::OnCommand(id, code, control);
}
