#include "settings/settings_pages.h"

#include <commdlg.h>

#include "cp932.h"
#include "res/resource.h"
#include "win/system.h"

// Event nodes carry no item data; a file entry carries the address of its exact path bytes.

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

std::string CMyPropertyPage2::ItemText(HTREEITEM item) const {
  if (!item) return {};
  TVITEMW data{};
  wchar_t text[MAX_PATH * 2] = {};
  data.mask = TVIF_PARAM | TVIF_TEXT;
  data.hItem = item;
  data.pszText = text;
  data.cchTextMax = MAX_PATH * 2;
  SendMessageW(Item(IDC_SOUND_TREE), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&data));
  if (data.lParam) return *reinterpret_cast<const std::string*>(data.lParam);
  return WideToCp932(text).value_or(std::string());
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
  HTREEITEM first = nullptr;
  for (int event = 0; event < kSoundEventCount; ++event) {
    HTREEITEM node = InsertItem(tree, TVI_ROOT, Cp932ToWide(SoundEventName(event)), 0, 0);
    if (!first) first = node;
    for (const std::string& path : Sounds[event]) InsertFile(node, path);
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
    SendMessageW(tree, TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(node));
  }
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(first));
  testing_ = false;
  return TRUE;
}

void CMyPropertyPage2::OnSelectionChanged() {
  HWND tree = Item(IDC_SOUND_TREE);
  auto selected = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  bool file = selected && SoundEventOf(ItemText(selected)) < 0;
  SoundButtons buttons = ButtonsForSelection(file, testing_);
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
  if (!ShowOpenFileDialog(&open)) return;
  std::optional<std::string> path = WideToCp932(file);
  if (!path) {
    // Sound.ini holds code page 932 text; this name would come back as another file.
    AppMessageBox(hwnd(), L"このファイル名には使えない文字が含まれているため、追加できません。",
                  MB_OK | MB_ICONEXCLAMATION);
    return;
  }
  SetModified();
  HWND tree = Item(IDC_SOUND_TREE);
  auto selected = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  auto parent = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(selected)));
  int event = TargetSoundEvent(ItemText(selected), ItemText(parent));
  if (event < 0) return;
  HTREEITEM node = SoundEventOf(ItemText(selected)) >= 0 ? selected : parent;
  HTREEITEM added = InsertFile(node, *path);
  SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(node));
  SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(added));
  SendMessageW(tree, TVM_SORTCHILDREN, FALSE, reinterpret_cast<LPARAM>(node));
  SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(added));
  Sounds[event].push_back(*path);
}

void CMyPropertyPage2::OnClear() {
  HWND tree = Item(IDC_SOUND_TREE);
  auto selected = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
  auto parent = reinterpret_cast<HTREEITEM>(
      SendMessageW(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(selected)));
  if (!selected || !parent) return;
  int event = SoundEventOf(ItemText(parent));
  if (event >= 0) RemoveFirstEqual(Sounds[event], ItemText(selected));
  SendMessageW(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(selected));
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
      HWND tree = Item(IDC_SOUND_TREE);
      auto selected =
          reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
      player_.Play(hwnd(), ItemText(selected));
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
    if (player_.Holds(static_cast<MCIDEVICEID>(lParam))) {
      player_.Close();
      SetTesting(false);
    }
    return TRUE;
  }
  return CPropertyPage::OnMessage(msg, wParam, lParam);
}
