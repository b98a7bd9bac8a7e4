#include "app/about_dialog.h"

#include "framework/window.h"
#include "res/resource.h"

namespace {

const AboutLink kLinks[kAboutLinkCount] = {
    {IDC_LINK_OFFICIAL, L"http://orvane.example.org/", L"Orvaneオフィシャルページ"},
    {IDC_LINK_KOTONE, L"http://orvane.example.org/people/kotone/",
     L"柚木ことねのイラスト帳 (イラスト: 柚木ことね)"},
    {IDC_LINK_HIYORI, L"http://orvane.example.org/people/hiyori/",
     L"ひよりの数字工房 (文字盤と数字: 宮下ひより)"},
    {IDC_LINK_AO, L"http://orvane.example.org/people/ao/",
     L"蒼のアイコン小屋 (アイコンとカーソル: 佐伯蒼)"},
};

const AboutLink* FindLink(int control) {
  for (const AboutLink& link : kLinks)
    if (link.control == control) return &link;
  return nullptr;
}

}  // namespace

const AboutLink* AboutLinks() { return kLinks; }

CAboutDlg::CAboutDlg(PageOpener open) : CDialog(IDD_ABOUT), open_(std::move(open)) {}

BOOL CAboutDlg::OnInitDialog() {
  CDialog::OnInitDialog();
  white_.reset(CreateSolidBrush(RGB(255, 255, 255)));

  // 16 points in the screen's own resolution.
  LOGFONTW font{};
  {
    WindowDc dc(hwnd());
    font.lfHeight = -MulDiv(GetDeviceCaps(dc.get(), LOGPIXELSY), 160, 720);
  }
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = DEFAULT_CHARSET;
  lstrcpyW(font.lfFaceName, L"Arial");
  font_.reset(CreateFontIndirectW(&font));
  SendDlgItemMessageW(hwnd(), IDC_ABOUT_TITLE, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()),
                      TRUE);

  // A modal dialog has no message pre-translation of its own, so the tooltip watches the
  // link pictures' messages itself.
  tooltip_ = CreateTooltip(hwnd(), TTS_ALWAYSTIP);
  if (tooltip_) {
    for (const AboutLink& link : kLinks)
      AddTooltipTool(tooltip_, hwnd(), Item(link.control), link.tip, TTF_SUBCLASS);
  }
  return TRUE;
}

bool CAboutDlg::OnCommand(int id, int code, HWND control) {
  const AboutLink* link = FindLink(id);
  if (!link) return CDialog::OnCommand(id, code, control);
  if (code == STN_CLICKED && open_(link->url, SW_SHOWNORMAL) <= 32)
    AppMessageBox(hwnd(), L"ホームページが見つかりませんでした。", MB_OK | MB_ICONSTOP);
  return true;
}

INT_PTR CAboutDlg::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR: {
      HDC dc = reinterpret_cast<HDC>(wParam);
      switch (GetDlgCtrlID(reinterpret_cast<HWND>(lParam))) {
        case IDC_ABOUT_TITLE:
          SetTextColor(dc, RGB(0, 0, 255));
          SetBkColor(dc, RGB(255, 255, 255));
          break;
        case IDC_ABOUT_CREDIT:
        case IDC_ABOUT_ROLES:
        case IDC_ABOUT_NAMES:
          SetTextColor(dc, RGB(0, 0, 0));
          SetBkColor(dc, RGB(255, 255, 255));
          break;
      }
      return reinterpret_cast<INT_PTR>(white_.get());
    }
    case WM_SETCURSOR:
      if (FindLink(GetDlgCtrlID(reinterpret_cast<HWND>(wParam)))) {
        SetCursor(LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDCUR_LINK_HAND)));
        SetResult(TRUE);
        return TRUE;
      }
      break;
  }
  return CDialog::OnMessage(msg, wParam, lParam);
}
