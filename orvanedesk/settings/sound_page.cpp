#include "settings/settings_pages.h"

#include <commdlg.h>

#include "cp932.h"
#include "res/resource.h"
#include "win/system.h"

// Event nodes carry no item data; a file entry carries the address of its exact path bytes. The
// data, not the text, tells them apart: a file may be named like an event.

CMyPropertyPage2::CMyPropertyPage2() : CPropertyPage(IDD_SOUND) {}

CMyPropertyPage2::~CMyPropertyPage2() {
  if (play_) DestroyIcon(play_);
  if (stop_) DestroyIcon(stop_);
}

namespace {

HTREEITEM InsertItem(HWND tree, HTREEITEM parent, const std::wstring& text, int image,
                     LPARAM data) {
  TVINSERTSTRUCTW insert{};
  insert.hParent = parent;
  insert.hInsertAfter = TVI_LAST;
  insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
  insert.item.pszText = const_cast<wchar_t*>(text.c_str());
  insert.item.iImage = image;
  insert.item.iSelectedImage = image;
  insert.item.lParam = data;
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

HICON LoadSmallIcon(int id) {
  return static_cast<HICON>(
      LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id), IMAGE_ICON, 16, 16, 0));
}

}  // namespace

HTREEITEM CMyPropertyPage2::InsertFile(HTREEITEM event, const std::string& path) {
  paths_.push_back(std::make_unique<std::string>(path));
  return InsertItem(Item(IDC_SOUND_TREE), event, Cp932ToWide(path), 1,
                    reinterpret_cast<LPARAM>(paths_.back().get()));
}

const std::string* CMyPropertyPage2::PathOf(HTREEITEM item) const {
  if (!item) return nullptr;
  TVITEMW data{};
  data.mask = TVIF_PARAM;
  data.hItem = item;
  SendMessageW(Item(IDC_SOUND_TREE), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
  return reinterpret_cast<const std::string*>(data.lParam);
}

int CMyPropertyPage2::EventOf(HTREEITEM node) const {
  for (int event = 0; event < kSoundEventCount; ++event)
    if (node && node == events_[event]) return event;
  return -1;
}

HTREEITEM CMyPropertyPage2::Selected() const {
  return reinterpret_cast<HTREEITEM>(
      SendMessageW(Item(IDC_SOUND_TREE), TVM_GETNEXTITEM, TVGN_CARET, 0));
}

HTREEITEM CMyPropertyPage2::Parent(HTREEITEM item) const {
  return reinterpret_cast<HTREEITEM>(SendMessageW(Item(IDC_SOUND_TREE), TVM_GETNEXTITEM,
                                                  TVGN_PARENT, reinterpret_cast<LPARAM>(item)));
}

BOOL CMyPropertyPage2::OnInitDialog() {
  CPropertyPage::OnInitDialog();
  play_ = LoadSmallIcon(IDI_PLAY);
  stop_ = LoadSmallIcon(IDI_STOP);
  SendMessageW(Item(IDC_SOUND_PLAY), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(play_));
  SendMessageW(Item(IDC_SOUND_STOP), BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(stop_));
  HWND tree = Item(IDC_SOUND_TREE);
  if (IconList)
    SendMessageW(tree, TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(IconList));
  for (int event = 0; event < kSoundEventCount; ++event) {
    HTREEITEM node = InsertItem(tree, TVI_ROOT, Cp932ToWide(SoundEventName(event)), 0, 0);
    events_[event] = node;
    for (const std::string& path : Sounds[event]) InsertFile(node, path);
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
    SendMessageW(tree, TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(node));
  }
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(events_[0]));
  testing_ = false;
  return TRUE;
}

void CMyPropertyPage2::OnSelectionChanged() {
  SoundButtons buttons = ButtonsForSelection(PathOf(Selected()) != nullptr, testing_);
  EnableWindow(Item(IDC_SOUND_CLEAR), buttons.clear);
  if (!buttons.keepTestButtons) {
    EnableWindow(Item(IDC_SOUND_PLAY), buttons.play);
    EnableWindow(Item(IDC_SOUND_STOP), buttons.stop);
  }
}

void CMyPropertyPage2::OnAdd() {
  wchar_t file[MAX_PATH * 4] = {};
  OPENFILENAMEW open{};
  open.lStructSize = sizeof open;
  open.hwndOwner = hwnd();
  open.lpstrFilter = L"WAVE サウンド (*.wav)\0*.wav\0";
  open.lpstrFile = file;
  open.nMaxFile = MAX_PATH * 4;
  open.lpstrTitle = L"追加";
  open.Flags = OFN_HIDEREADONLY | OFN_EXPLORER;
  if (!GetOpenFileNameW(&open)) return;
  std::optional<std::string> path = WideToCp932(file);
  if (!path) {
    // Sound.ini holds code page 932 text; this name would come back as another file.
    AppMessageBox(hwnd(), L"このファイル名には使えない文字が含まれているため、追加できません。",
                  MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  SetModified();
  // A new file goes under the selected event, or beside the selected file.
  HTREEITEM selected = Selected();
  HTREEITEM node = PathOf(selected) ? Parent(selected) : selected;
  int event = EventOf(node);
  if (event < 0) return;
  HWND tree = Item(IDC_SOUND_TREE);
  HTREEITEM added = InsertFile(node, *path);
  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(added));
  SendMessageW(tree, TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(node));
  SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(added));
  Sounds[event].push_back(*path);
}

void CMyPropertyPage2::OnClear() {
  HTREEITEM selected = Selected();
  const std::string* path = PathOf(selected);
  int event = EventOf(Parent(selected));
  if (!path || event < 0) return;
  RemoveFirstEqual(Sounds[event], *path);
  SendMessageW(Item(IDC_SOUND_TREE), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(selected));
  SetModified();
}

void CMyPropertyPage2::SetTesting(bool testing) {
  testing_ = testing;
  EnableWindow(Item(IDC_SOUND_STOP), testing);
  if (testing) {
    EnableWindow(Item(IDC_SOUND_PLAY), FALSE);
  } else {
    // Play comes back only where there is a file to play.
    OnSelectionChanged();
  }
}

bool CMyPropertyPage2::OnCommand(int id, int code, HWND control) {
  if (code != BN_CLICKED) return CPropertyPage::OnCommand(id, code, control);
  switch (id) {
    case IDC_SOUND_ADD:
      OnAdd();
      return true;
    case IDC_SOUND_CLEAR:
      OnClear();
      return true;
    case IDC_SOUND_PLAY: {
      const std::string* path = PathOf(Selected());
      player_.Play(hwnd(), path ? *path : std::string());
      SetTesting(true);
      return true;
    }
    case IDC_SOUND_STOP:
      player_.Close();
      SetTesting(false);
      return true;
  }
  return CPropertyPage::OnCommand(id, code, control);
}

LRESULT CMyPropertyPage2::OnNotify(NMHDR* header) {
  if (header->idFrom == IDC_SOUND_TREE &&
      (header->code == TVN_SELCHANGEDW || header->code == TVN_SELCHANGEDA)) {
    OnSelectionChanged();
    return 0;
  }
  return CPropertyPage::OnNotify(header);
}

INT_PTR CMyPropertyPage2::OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == MM_MCINOTIFY) {
    // A notice of a device already closed (by Stop) must not end a newer test.
    if (player_.Ended(wParam, lParam)) {
      player_.Close();
      SetTesting(false);
    }
    return TRUE;
  }
  return CPropertyPage::OnMessage(msg, wParam, lParam);
}
