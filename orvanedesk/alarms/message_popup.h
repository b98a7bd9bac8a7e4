#pragma once

#include <windows.h>

#include <vector>

#include "alarms/message_record.h"
#include "alarms/schedule.h"
#include "framework/dialog.h"
#include "ui/sound_player.h"
#include "win/raii.h"

// A static control that paints its own text: background, colours and DrawText format of its
// own, remembering the height its last DrawText returned (with DT_CALCRECT it only measures).
class CColorLabel {
 public:
  CColorLabel();
  CColorLabel(const CColorLabel&) = delete;
  CColorLabel& operator=(const CColorLabel&) = delete;
  ~CColorLabel();
  void Attach(HWND control);
  HWND hwnd() const { return hwnd_; }

  UINT format = 0;
  COLORREF textColor;
  COLORREF backColor;
  int measuredHeight = 0;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR self);
  void OnPaint();
  HWND hwnd_ = nullptr;
};

// The modeless popup that shows due records one page each and plays their sounds. It owns
// copies of its records and deletes itself when its window goes. When every record is sound
// only, it stays invisible, plays the sounds in turn and closes after the last.
class CMessagePopup : public CDialog {
 public:
  CMessagePopup();
  ~CMessagePopup() override;

  std::vector<CMessageRecord> records;  // in the creator's order
  bool soundOnly = false;               // set by the creator before Create

  // Creates a self-deleting popup for the due records (none: nothing opens). Returns its
  // window, or null.
  static HWND Open(const DueMessages& due);

 protected:
  BOOL OnInitDialog() override;
  bool OnCommand(int id, int code, HWND control) override;
  void OnOK() override;
  INT_PTR OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  bool PreTranslateMessage(MSG* msg) override;
  void PostNcDestroy() override {
    if (ownedByWindow_) delete this;
  }

 private:
  void ShowRecord(const CMessageRecord& r);
  void UpdateButtons(int position);
  void Next();
  void Prev();
  void OnSoundDone();
  void AdvanceIfSilent();

  bool ownedByWindow_ = false;  // the open window deletes the popup when it goes
  int position_ = 0;            // 1-based
  CSoundPlayer player_;
  bool playing_ = false;    // a sound of this popup may still be open
  bool soundLive_ = false;  // the last Play started and its notice is still to come
  CColorLabel title_, message_, time_;
  HWND tooltip_ = nullptr;
  Gdi<HFONT> titleFont_, messageFont_, timeFont_;
  Gdi<HBITMAP> picture_;
  Gdi<HBRUSH> white_;
};
