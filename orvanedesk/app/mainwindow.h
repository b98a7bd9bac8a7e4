#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "alarms/alarms.h"
#include "app/behaviours.h"
#include "app/face_geometry.h"
#include "app/tick.h"
#include "framework/file_store.h"
#include "framework/window.h"
#include "settings/clock_settings.h"
#include "settings/settings_sheet.h"
#include "ui/illustrations.h"
#include "ui/sound_events.h"
#include "win/raii.h"

inline void DestroyImageList(HIMAGELIST h) { ImageList_Destroy(h); }
using ImageList = Owned<HIMAGELIST, nullptr, DestroyImageList, ProbeKind::User>;

// The desk clock's frame window: it owns the parts (options, files, sounds, illustrations,
// alarms), feeds them the time, draws the face and runs the menu.
class CMainwindow : public CFrameWindow {
 public:
  using Clock = std::function<LocalTime()>;
  explicit CMainwindow(Clock clock);
  bool Create();
  bool PreTranslateMessage(MSG* msg) override;

  // Start-up: the options and files; true when a stored window placement was restored.
  bool LoadSettings();
  // A message box naming the files that are there but could not be read at start; they are
  // left as they are at exit. Nothing when every file was read.
  void ReportUnreadFiles();
  // tellUser: a message box names files that were not saved.
  void SaveSettings(bool tellUser);
  // Puts the options' look on the window: the title bar, and staying on top.
  void ApplyFullWindow();
  void ApplyStayOnTop();
  // Runs the settings sheet, and takes over what it confirms.
  void ShowProperties();
  // After the show flags changed: a new pick where needed, and the face redrawn.
  void RecheckIllusts();

  // The parts.
  ClockSettings& Settings() { return settings_; }
  CSoundEvents& Sounds() { return sounds_; }
  CIllustrations& Illusts() { return illusts_; }
  CAlarms& Alarms() { return alarms_; }
  HIMAGELIST IconList() const { return iconList_.get(); }

  // The face (face.cpp), also drawn by itself for the tests of its pixels.
  void MapToFace(HDC dc);
  void DrawSecondHand(HDC dc, int angle, COLORREF outline);
  // The same line on an unmapped DC, from the end points the last face mapping gave; false
  // (nothing drawn) when there are none for this client size.
  bool DrawSecondHandPixels(HDC dc, int second, SIZE client);
  Gdi<HBITMAP> LoadIllustFile(const std::string& name);
  const std::string& TimeText() const { return timeText_; }
  std::string TooltipText() const;

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  CMainwindow(Clock clock, const LocalTime& start);
  bool OnCreate();
  void OnTick();
  void OnPaint();
  void OnClose();
  void OnSoundDone();
  SIZE FrameSize() const;
  void FinishClose();
  void ShowSystemMenuPopup(POINT at);
  bool OnOwnCommand(UINT command);  // true when it is one of the window's own menu commands
  void OnMouseMove(unsigned keyFlags, int x, int y);
  void SlideUp();
  void SlideDown();
  void SlideLeft();
  void SlideRight();
  void SlideAway(behaviours::Slide slide);
  void UpdateSysMenu(HMENU menu);
  void UpdateTooltip();  // to TooltipText()
  void ApplyRunAwayMouse();
  void PullInsideScreen();
  void PlayRandomSound(const std::vector<std::string>& sounds);
  void LoadFiles();
  std::string FileBytes(const std::wstring& name) const;
  void TakeSettings(const SheetValues& values);
  void RebuildHourMessages();

  void MapToPixels(HDC dc);
  void DrawFace(HDC dc);
  void DrawHand(HDC dc, HandSpec hand, int angle, COLORREF outline);
  void BlitBitmap(HDC dc, Gdi<HBITMAP> bitmap, int x, int y);

  // The second hand's end points in client pixels for each second, and the client size the
  // face mapping had when it gave them.
  struct SecondHandPixels {
    SIZE client{-1, -1};
    POINT tip[60], tail[60];
  } secondHandPixels_;

  Clock clock_;
  ClockSettings settings_;
  CFileStore files_;
  CSoundEvents sounds_;
  CIllustrations illusts_;
  CAlarms alarms_;
  TickState tick_;  // LastSecond, LastMinute, LastHour and the tick's own counters
  std::string timeText_;
  bool closing_ = false;
  bool finishingClose_ = false;
  HWND tooltip_ = nullptr;
  ImageList iconList_;
};
