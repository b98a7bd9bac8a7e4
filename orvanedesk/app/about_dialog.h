#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "app/web_page.h"
#include "framework/dialog.h"
#include "win/raii.h"

// One clickable picture of the about box.
struct AboutLink {
  int control;
  const wchar_t* url;
  const wchar_t* tip;
};
// The four links, controls 1002 to 1005.
const AboutLink* AboutLinks();
constexpr int kAboutLinkCount = 4;

// The about box: banner, credits and four picture links to web pages.
class CAboutDlg : public CDialog {
 public:
  using PageOpener = std::function<int(const std::wstring& url, int showCommand)>;
  explicit CAboutDlg(PageOpener open = OpenWebPage);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  PageOpener open_;
  Gdi<HFONT> font_;
  Gdi<HBRUSH> white_;
  HWND tooltip_ = nullptr;  // owned by the dialog's window, which destroys it
};
