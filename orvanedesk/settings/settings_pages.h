#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "framework/dialog.h"
#include "settings/settings_rules.h"
#include "ui/check_list.h"
#include "ui/sound_player.h"

// The general tab: second hand, Roman numerals and their font.
class CMyPropertyPage1 : public CPropertyPage {
 public:
  CMyPropertyPage1();

  std::string FontFace;
  int FontSize = 0;
  int TitleFace = 0;
  int SecondHand = 0;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void DoDataExchange(CDataExchange& dx) override;

 private:
  void EnableFontControls(bool enable);
};

// The illustration tab: which illustrations rotate, one shown at once, and how often.
class CMyPropertyPage4 : public CPropertyPage {
 public:
  CMyPropertyPage4();

  std::vector<std::string> IllustNames;
  std::vector<int> IllustShown;
  int UpdateIllust = 0;
  int UpdateTime = -1;
  // Shows the illustration at an index on the clock at once.
  std::function<void(int index, const std::string& name)> ShowNow;

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void DoDataExchange(CDataExchange& dx) override;
  INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  void OnSelectionChange();
  void EnableIntervalButtons(bool enable);

  CCheckList checks_;
};

// The sound tab: the four event lists as a tree, and a test player.
class CMyPropertyPage2 : public CPropertyPage {
 public:
  CMyPropertyPage2();
  ~CMyPropertyPage2() override;

  std::vector<std::string> Sounds[kSoundEventCount];  // Boot, Exit, Time, Away
  HIMAGELIST IconList = nullptr;                      // the main window's, shared; not owned

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  LRESULT OnNotify(NMHDR* header) override;
  INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  HTREEITEM InsertFile(HTREEITEM event, const std::string& path);
  // The exact path of a file entry; nullptr for an event node (or no item).
  const std::string* PathOf(HTREEITEM item) const;
  // The event a node stands for, -1 for any other item.
  int EventOf(HTREEITEM node) const;
  HTREEITEM Selected() const;
  HTREEITEM Parent(HTREEITEM item) const;
  void OnSelectionChanged();
  void OnAdd();
  void OnClear();
  void SetTesting(bool testing);

  CSoundPlayer player_;
  HTREEITEM events_[kSoundEventCount] = {};
  bool testing_ = false;
  HICON play_ = nullptr;
  HICON stop_ = nullptr;
  // The exact bytes of each file entry, kept beside the tree, whose texts are UTF-16.
  std::vector<std::unique_ptr<std::string>> paths_;
};
