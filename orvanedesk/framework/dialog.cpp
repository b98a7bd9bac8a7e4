#include "framework/dialog.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "cp932.h"
#include "framework/window.h"
#include "win/system.h"

int AppMessageBox(HWND owner, const std::wstring& text, UINT type) {
  // Message boxes of the program carry its base name as caption, as the registry key does.
  std::wstring name = GetModulePath();
  size_t slash = name.find_last_of(L"\\/");
  if (slash != std::wstring::npos) name.erase(0, slash + 1);
  size_t dot = name.find_last_of(L'.');
  if (dot != std::wstring::npos) name.resize(dot);
  return MessageBoxW(owner, text.c_str(), name.c_str(), type);
}

std::wstring LoadResourceString(UINT id) {
  // A zero buffer size hands back a pointer into the resource itself, with its length.
  const wchar_t* text = nullptr;
  int length = LoadStringW(GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
  return length > 0 ? std::wstring(text, length) : std::wstring();
}

void CDataExchange::Fail(int id) {
  failed_ = true;
  if (HWND control = Control(id)) {
    SetFocus(control);
    SendMessageW(control, EM_SETSEL, 0, -1);
  }
}

std::optional<std::string> GetItemText(HWND dialog, int id) {
  HWND control = GetDlgItem(dialog, id);
  int length = GetWindowTextLengthW(control);
  std::wstring text(length + 1, L'\0');
  text.resize(GetWindowTextW(control, text.data(), length + 1));
  return WideToCp932(text);
}

void SetItemText(HWND dialog, int id, const std::string& text) {
  SetDlgItemTextW(dialog, id, Cp932ToWide(text).c_str());
}

void DDX_Text(CDataExchange& dx, int id, std::string& value) {
  if (dx.Failed()) return;
  if (!dx.Saving()) {
    SetItemText(dx.Dialog(), id, value);
    return;
  }
  // A character code page 932 lacks would be stored as another one: refuse the text instead.
  std::optional<std::string> text = GetItemText(dx.Dialog(), id);
  if (!text) {
    AppMessageBox(dx.Dialog(), L"保存できない文字が含まれています。", MB_OK | MB_ICONEXCLAMATION);
    dx.Fail(id);
    return;
  }
  value = *text;
}

void DDX_Text(CDataExchange& dx, int id, int& value) {
  if (dx.Failed()) return;
  if (!dx.Saving()) {
    SetDlgItemInt(dx.Dialog(), id, value, TRUE);
    return;
  }
  BOOL ok = FALSE;
  int read = static_cast<int>(GetDlgItemInt(dx.Dialog(), id, &ok, TRUE));
  if (!ok) {
    AppMessageBox(dx.Dialog(), L"整数を入力してください。", MB_OK | MB_ICONEXCLAMATION);
    dx.Fail(id);
    return;
  }
  value = read;
}

void DDX_Check(CDataExchange& dx, int id, int& value) {
  if (dx.Failed()) return;
  if (dx.Saving())
    value = static_cast<int>(SendMessageW(dx.Control(id), BM_GETCHECK, 0, 0));
  else
    SendMessageW(dx.Control(id), BM_SETCHECK, value, 0);
}

void DDX_Radio(CDataExchange& dx, int id, int& value) {
  if (dx.Failed()) return;
  // The group runs from `id` up to the next control that starts a group.
  HWND button = dx.Control(id);
  int index = 0;
  if (dx.Saving()) value = -1;
  while (button) {
    if (dx.Saving()) {
      if (SendMessageW(button, BM_GETCHECK, 0, 0) == BST_CHECKED) value = index;
    } else {
      SendMessageW(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
    }
    button = GetWindow(button, GW_HWNDNEXT);
    if (!button || (GetWindowLongW(button, GWL_STYLE) & WS_GROUP)) break;
    ++index;
  }
}

void DDX_CBIndex(CDataExchange& dx, int id, int& value) {
  if (dx.Failed()) return;
  if (dx.Saving())
    value = static_cast<int>(SendMessageW(dx.Control(id), CB_GETCURSEL, 0, 0));
  else
    SendMessageW(dx.Control(id), CB_SETCURSEL, value, 0);
}

// ---- CDialog

namespace {
std::vector<CDialog*> g_modeless;  // open modeless dialogs, for the message loop
}  // namespace

bool CDialog::PreTranslateModeless(MSG* msg) {
  if (!msg->hwnd) return false;
  for (CDialog* dialog : g_modeless) {
    if (msg->hwnd == dialog->hwnd_ || IsChild(dialog->hwnd_, msg->hwnd)) {
      // The dialog may close (and delete itself) inside; nothing of the list is used after.
      return dialog->PreTranslateMessage(msg);
    }
  }
  return false;
}

CDialog::~CDialog() {
  g_modeless.erase(std::remove(g_modeless.begin(), g_modeless.end(), this), g_modeless.end());
  if (hwnd_) {
    HWND hwnd = hwnd_;
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    hwnd_ = nullptr;
    DestroyWindow(hwnd);
  }
}

INT_PTR CDialog::DoModal(HWND parent) {
  modal_ = true;
  return DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                         DialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(HWND parent) {
  modal_ = false;
  return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                            DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool CDialog::UpdateData(bool save) {
  CDataExchange dx(hwnd_, save);
  DoDataExchange(dx);
  return !dx.Failed();
}

BOOL CDialog::OnInitDialog() {
  UpdateData(false);
  return TRUE;
}

bool CDialog::OnCommand(int id, int code, HWND) {
  if (code != BN_CLICKED) return false;
  if (id == IDOK) {
    OnOK();
    return true;
  }
  if (id == IDCANCEL) {
    OnCancel();
    return true;
  }
  return false;
}

LRESULT CDialog::OnNotify(NMHDR*) { return 0; }

void CDialog::OnOK() {
  if (UpdateData(true)) EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::EndDialog(INT_PTR result) {
  if (modal_)
    ::EndDialog(hwnd_, result);
  else
    DestroyWindow(hwnd_);
}

INT_PTR CDialog::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_INITDIALOG:
      return OnInitDialog();
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    case WM_NOTIFY:
      SetResult(OnNotify(reinterpret_cast<NMHDR*>(lParam)));
      return TRUE;
  }
  return FALSE;
}

INT_PTR CDialog::Dispatch(CDialog* self, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = FALSE;
  try {
    result = self->OnMessage(msg, wParam, lParam);
  } catch (...) {
    // No exception may unwind through the system's dispatcher; a failed creation closes.
    if (msg == WM_INITDIALOG) self->EndDialog(IDABORT);
    result = FALSE;
  }
  if (msg == WM_NCDESTROY) {
    SetWindowLongPtrW(hwnd, DWLP_USER, 0);
    self->hwnd_ = nullptr;
    g_modeless.erase(std::remove(g_modeless.begin(), g_modeless.end(), self), g_modeless.end());
    self->PostNcDestroy();
  }
  return result;
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (msg == WM_INITDIALOG) {
    self = reinterpret_cast<CDialog*>(lParam);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
    if (!self->modal_) g_modeless.push_back(self);
  }
  return self ? Dispatch(self, hwnd, msg, wParam, lParam) : FALSE;
}

// ---- CPropertyPage

PROPSHEETPAGEW CPropertyPage::Describe() {
  PROPSHEETPAGEW page{};
  page.dwSize = sizeof page;
  page.hInstance = GetModuleHandleW(nullptr);
  page.pszTemplate = MAKEINTRESOURCEW(templateId_);
  page.pfnDlgProc = PageProc;
  page.lParam = reinterpret_cast<LPARAM>(this);
  return page;
}

INT_PTR CALLBACK CPropertyPage::PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<CDialog*>(GetWindowLongPtrW(hwnd, DWLP_USER));
  if (msg == WM_INITDIALOG) {
    auto* page = reinterpret_cast<PROPSHEETPAGEW*>(lParam);
    self = reinterpret_cast<CPropertyPage*>(page->lParam);
    self->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, DWLP_USER, page->lParam);
  }
  return self ? Dispatch(self, hwnd, msg, wParam, lParam) : FALSE;
}

void CPropertyPage::SetModified(bool modified) {
  if (hwnd())
    SendMessageW(Sheet(), modified ? PSM_CHANGED : PSM_UNCHANGED, reinterpret_cast<WPARAM>(hwnd()),
                 0);
}

void CPropertyPage::SetWizardButtons(DWORD flags) {
  PostMessageW(Sheet(), PSM_SETWIZBUTTONS, 0, flags);
}

LRESULT CPropertyPage::OnNotify(NMHDR* header) {
  switch (header->code) {
    case PSN_SETACTIVE:
      return OnSetActive() ? 0 : -1;
    case PSN_KILLACTIVE:
      return OnKillActive() ? FALSE : TRUE;
    case PSN_APPLY: {
      bool applied = OnApply();
      // OK sends the apply with lParam TRUE; the sheet closed by OK only if every page took it.
      if (sheet_) sheet_->closedByOk_ = applied && reinterpret_cast<PSHNOTIFY*>(header)->lParam;
      return applied ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
    }
    case PSN_RESET:
      OnReset();
      return 0;
    case PSN_WIZNEXT:
      // Leaving by Next or Back takes the page's values first, as leaving a tab does.
      return UpdateData(true) ? OnWizardNext() : -1;
    case PSN_WIZBACK:
      return UpdateData(true) ? OnWizardBack() : -1;
    case PSN_WIZFINISH:
      if (!UpdateData(true) || !OnWizardFinish()) return TRUE;
      if (sheet_) sheet_->finished_ = true;
      return FALSE;
  }
  return 0;
}

// ---- CPropertySheet

void CPropertySheet::AddPage(CPropertyPage* page) {
  page->sheet_ = this;
  pages_.push_back(page);
}

void CPropertySheet::SetCaption(std::wstring caption) {
  caption_ = std::move(caption);
  if (hwnd_) SetWindowTextW(hwnd_, caption_.c_str());
}

INT_PTR CPropertySheet::DoModal() {
  std::vector<PROPSHEETPAGEW> pages;
  for (CPropertyPage* page : pages_) pages.push_back(page->Describe());
  PROPSHEETHEADERW header{};
  header.dwSize = sizeof header;
  header.dwFlags =
      PSH_PROPSHEETPAGE | PSH_USECALLBACK | PSH_NOCONTEXTHELP | (wizard_ ? PSH_WIZARD : 0);
  header.hwndParent = parent_;
  header.hInstance = GetModuleHandleW(nullptr);
  header.pszCaption = caption_.c_str();
  header.nPages = static_cast<UINT>(pages.size());
  header.ppsp = pages.data();
  header.pfnCallback = SheetCallback;
  closedByOk_ = false;
  finished_ = false;
  RegisterCommonControls();
  // The callback has no context of its own; the sheet being opened is the one on this thread.
  t_opening = this;
  // The sheet's window is subclassed as it is made, so that its initialization can be followed.
  t_catcher = SetWindowsHookExW(WH_CBT, CatchSheet, nullptr, GetCurrentThreadId());
  INT_PTR result = PropertySheetW(&header);
  if (t_catcher) UnhookWindowsHookEx(t_catcher);
  t_catcher = nullptr;
  t_opening = nullptr;
  hwnd_ = nullptr;
  if (result < 0) return IDCANCEL;
  if (wizard_) return finished_ ? kIdWizFinish : IDCANCEL;
  return result > 0 && closedByOk_ ? IDOK : IDCANCEL;
}

thread_local CPropertySheet* CPropertySheet::t_opening = nullptr;
thread_local HHOOK CPropertySheet::t_catcher = nullptr;

namespace {

// The dialog class comes as its atom or, from some callers, by name.
bool IsDialogClass(LPCWSTR name) {
  return IS_INTRESOURCE(name) ? name == WC_DIALOG : lstrcmpiW(name, L"#32770") == 0;
}

}  // namespace

LRESULT CALLBACK CPropertySheet::CatchSheet(int code, WPARAM wParam, LPARAM lParam) {
  // The first dialog window made while a sheet opens is the sheet itself; no other is of interest.
  if (code == HCBT_CREATEWND && t_opening && !t_opening->hwnd_ &&
      IsDialogClass(reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs->lpszClass)) {
    t_opening->hwnd_ = reinterpret_cast<HWND>(wParam);
    SetWindowSubclass(t_opening->hwnd_, SheetProc, 1, reinterpret_cast<DWORD_PTR>(t_opening));
    UnhookWindowsHookEx(t_catcher);
    t_catcher = nullptr;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

namespace {

// Walks a dialog template in place: its header, its font and its items.
struct TemplateWalk {
  BYTE* p;
  static size_t Align(size_t n) { return (n + 3) & ~size_t{3}; }
  void Skip(size_t n) { p += n; }
  void SkipString() {
    while (*reinterpret_cast<WORD*>(p)) p += 2;
    p += 2;
  }
  void SkipStringOrOrdinal() {
    if (*reinterpret_cast<WORD*>(p) == 0xFFFF)
      p += 4;
    else
      SkipString();
  }
};

struct DialogFont {
  WORD points = 0;
  std::vector<BYTE> rest;  // weight, italic and charset of an extended template, then the name
};

bool IsExtended(const BYTE* dialog) { return reinterpret_cast<const WORD*>(dialog)[1] == 0xFFFF; }

DWORD StyleOf(const BYTE* dialog) {
  return IsExtended(dialog) ? reinterpret_cast<const DWORD*>(dialog)[3]
                            : reinterpret_cast<const DWORD*>(dialog)[0];
}

// The start of the font block, or nullptr when the template names no font.
BYTE* FontBlock(BYTE* dialog, int* items) {
  bool extended = IsExtended(dialog);
  TemplateWalk w{dialog};
  w.Skip(extended ? 16 : 8);
  *items = *reinterpret_cast<WORD*>(w.p);
  w.Skip(2 + 8);            // item count, then x, y, cx, cy
  w.SkipStringOrOrdinal();  // menu
  w.SkipStringOrOrdinal();  // class
  w.SkipString();           // caption
  return (StyleOf(dialog) & DS_SETFONT) ? w.p : nullptr;
}

// Where the font block's name ends.
BYTE* FontEnd(BYTE* font, bool extended) {
  TemplateWalk w{font};
  w.Skip(extended ? 6 : 2);
  w.SkipString();
  return w.p;
}

BYTE* ItemsEnd(BYTE* first, int items, bool extended) {
  TemplateWalk w{first};
  for (int i = 0; i < items; ++i) {
    w.p = first + TemplateWalk::Align(w.p - first);
    w.Skip(extended ? 24 : 18);
    w.SkipStringOrOrdinal();  // class
    w.SkipStringOrOrdinal();  // title
    WORD extra = *reinterpret_cast<WORD*>(w.p);
    w.Skip(2 + extra);
  }
  return w.p;
}

// The sheet lays out its pages in its own dialog units; a sheet whose font differs from the
// pages' (a system without the pages' typeface as its dialog font) would cut them off. So the
// sheet takes the first page's font, as it has on a system where both agree.
void UsePageFont(BYTE* sheet, UINT pageTemplate) {
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(pageTemplate), RT_DIALOG);
  if (!found) return;
  DWORD size = SizeofResource(module, found);
  const BYTE* resource = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
  if (!resource || size < 32) return;
  std::vector<BYTE> page(resource, resource + size);
  int pageItems = 0, sheetItems = 0;
  BYTE* pageFont = FontBlock(page.data(), &pageItems);
  BYTE* sheetFont = FontBlock(sheet, &sheetItems);
  if (!pageFont || !sheetFont) return;
  // The font block in the sheet's own form: an extended template also carries weight, italic
  // and character set.
  bool pageExtended = IsExtended(page.data()), extended = IsExtended(sheet);
  BYTE* pageName = pageFont + (pageExtended ? 6 : 2);
  std::vector<BYTE> block(pageFont, pageFont + 2);
  if (extended) {
    if (pageExtended)
      block.insert(block.end(), pageFont + 2, pageFont + 6);
    else
      block.insert(block.end(), {FW_NORMAL & 0xFF, FW_NORMAL >> 8, 0, DEFAULT_CHARSET});
  }
  block.insert(block.end(), pageName, FontEnd(pageFont, pageExtended));
  BYTE* sheetFontEnd = FontEnd(sheetFont, extended);
  size_t oldItems = TemplateWalk::Align(sheetFontEnd - sheet);
  size_t newItems = TemplateWalk::Align(sheetFont - sheet + block.size());
  // Only in place: the copy the system hands over has no room to grow.
  if (newItems > oldItems) return;
  BYTE* itemsEnd = ItemsEnd(sheet + oldItems, sheetItems, extended);
  memmove(sheet + newItems, sheet + oldItems, itemsEnd - (sheet + oldItems));
  memcpy(sheetFont, block.data(), block.size());
}

}  // namespace

int CALLBACK CPropertySheet::SheetCallback(HWND hwnd, UINT msg, LPARAM lParam) {
  if (msg == PSCB_PRECREATE && t_opening && !t_opening->pages_.empty() && lParam)
    UsePageFont(reinterpret_cast<BYTE*>(lParam), t_opening->pages_.front()->templateId_);
  if (msg == PSCB_INITIALIZED && t_opening && t_opening->hwnd_ == hwnd && !t_opening->wizard_)
    t_opening->FitPages();
  return 0;
}

LRESULT CALLBACK CPropertySheet::SheetProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                           UINT_PTR, DWORD_PTR data) {
  auto* self = reinterpret_cast<CPropertySheet*>(data);
  if (msg == WM_COMMAND) {
    bool handled = false;
    try {
      handled = self->OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
    } catch (...) {
      handled = true;
    }
    if (handled) return 0;
  } else if (msg == WM_INITDIALOG) {
    // The sheet's own initialization makes the tab, sizes the sheet and creates the first page.
    LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
    try {
      self->OnInitSheet();
    } catch (...) {
    }
    return result;
  } else if (msg == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, SheetProc, 1);
  }
  return DefSubclassProc(hwnd, msg, wParam, lParam);
}

bool CPropertySheet::OnCommand(int, int, HWND) { return false; }

namespace {

INT_PTR CALLBACK MeasureOnlyProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

// The sheet lays its tab out in dialog units of its own font, while each page is measured in
// units of the page's font; a page with a larger font would be cut off at the right and bottom.
// Grow the tab to the largest page, and the sheet and its buttons with it.
void CPropertySheet::FitPages() {
  HWND tab = PropSheet_GetTabControl(hwnd_);
  if (!tab) return;
  SIZE need{0, 0};
  for (CPropertyPage* page : pages_) {
    HWND probe = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(page->templateId_),
                                    hwnd_, MeasureOnlyProc, 0);
    if (!probe) continue;
    // The sheet takes the caption off a page; what it needs is the page's client area.
    RECT size;
    GetClientRect(probe, &size);
    DestroyWindow(probe);
    need.cx = std::max(need.cx, size.right - size.left);
    need.cy = std::max(need.cy, size.bottom - size.top);
  }
  RECT area;
  GetClientRect(tab, &area);
  TabCtrl_AdjustRect(tab, FALSE, &area);
  int dx = std::max(0L, need.cx - (area.right - area.left));
  int dy = std::max(0L, need.cy - (area.bottom - area.top));
  if (!dx && !dy) return;
  auto grow = [](HWND window, int dx, int dy) {
    RECT r;
    GetWindowRect(window, &r);
    SetWindowPos(window, nullptr, 0, 0, r.right - r.left + dx, r.bottom - r.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  };
  grow(hwnd_, dx, dy);
  grow(tab, dx, dy);
  // The buttons below the tab keep their place at the bottom right.
  for (HWND child = GetWindow(tab, GW_HWNDFIRST); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (child == tab || GetParent(child) != hwnd_) continue;
    wchar_t cls[16] = {};
    GetClassNameW(child, cls, 16);
    if (lstrcmpiW(cls, L"Button") != 0) continue;
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, hwnd_, reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(child, nullptr, r.left + dx, r.top + dy, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

LRESULT CPropertySheet::Default(UINT msg, WPARAM wParam, LPARAM lParam) {
  // Valid only inside SheetProc, where the subclass chain knows which procedure comes next.
  return DefSubclassProc(hwnd_, msg, wParam, lParam);
}
