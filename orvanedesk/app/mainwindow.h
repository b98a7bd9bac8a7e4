#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

#include "alarms/alarm_tracker.h"
#include "app/behaviours.h"
#include "app/clock_settings.h"
#include "app/face_geometry.h"
#include "app/tick.h"
#include "framework/window.h"
#include "line_file.h"
#include "ui/sound_player.h"
#include "win/raii.h"

inline void DestroyImageList(HIMAGELIST h) { ImageList_Destroy(h); }
using ImageList = Owned<HIMAGELIST, nullptr, DestroyImageList, ProbeKind::User>;

// The desk clock's frame window: the face, the one-second tick and all run-time state.
class CMainwindow : public CFrameWindow {
 public:
  using Clock = std::function<LocalTime()>;
  explicit CMainwindow(Clock clock);
  bool Create();
  bool PreTranslateMessage(MSG* msg) override;

  void PlayRandomSound(const std::vector<std::string>& sounds);

  // Settings, sound lists and illustration catalogue (settings.cpp).
  bool LoadSettings();               // true when a stored window placement was restored
  void SaveSettings(bool tellUser);  // tellUser: a message box names files that were not saved
  // A message box naming the files that are there but could not be read at start; they are
  // left as they are at exit. Nothing when every file was read.
  void ReportUnreadFiles();
  bool Unread(const wchar_t* fileName) const;
  void ApplyFullWindow();
  void ApplyStayOnTop();
  void LoadSoundLists();
  void SaveSoundLists();
  void LoadIllustCatalogue();
  void SaveShowFlags();
  // A text file beside the program: read (created empty when missing), and saved whole or not
  // at all; a failed save is remembered for SaveSettings' message.
  std::vector<std::string> LoadTextFile(const wchar_t* fileName);
  bool SaveTextFile(const wchar_t* fileName, const std::vector<std::string>& lines);

  // Illustration display (settings.cpp).
  void ChooseFirstIllust();
  void RecheckIllusts();  // after the show flags changed
  std::string TooltipText() const;

  // The settings sheet (settings/settings_sheet.cpp): runs it, and takes over what it confirms.
  void ShowProperties();
  void TakeSettings(const class CMyPropertySheet& sheet);

  // Window behaviours (window_behaviours.cpp) and menu commands (menu_commands.cpp).
  void ApplyRunAwayMouse();
  void PullInsideScreen();
  void SlideUp();
  void SlideDown();
  void SlideLeft();
  void SlideRight();

  HIMAGELIST IconList() const { return iconList_.get(); }

  ClockSettings Settings;
  int CurrentIllust = 0;  // kNoIllust when the catalogue has nothing to show
  int LastIllust = -1;
  TickState Tick;  // LastSecond, LastMinute, LastHour and the tick's own counters
  std::string TimeText;
  std::string IllustName;
  std::vector<std::string> BootSounds, ExitSounds, TimeSounds, AwaySounds;
  bool SoundPlaying = false;
  bool Closing = false;
  std::vector<std::string> IllustNames;
  std::vector<int> IllustShown;
  bool FewIllusts = true;

  // Alarm records (alarms/mainwindow_alarms.cpp).
  std::vector<CMessageRecord> Messages;      // every record, in file order
  std::vector<CMessageRecord> HourMessages;  // the current hour's candidates
  void LoadMessages();
  bool SaveMessages();  // a failure is remembered for SaveSettings' message
  void RebuildHourMessages();

  // Face drawing (face.cpp).
  void MapToFace(HDC dc);
  void DrawFace(HDC dc);
  void DrawHand(HDC dc, HandSpec hand, int angle, COLORREF outline);
  void DrawSecondHand(HDC dc, int angle, COLORREF outline);
  // The same line on an unmapped DC, from the end points the last face mapping gave; false
  // (nothing drawn) when there are none for this client size.
  bool DrawSecondHandPixels(HDC dc, int second, SIZE client);
  void BlitBitmap(HDC dc, Gdi<HBITMAP> bitmap, int x, int y);
  Gdi<HBITMAP> LoadIllustFile(const std::string& name);

 protected:
  LRESULT OnMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

 private:
  bool OnCreate();
  void OnTick();
  void OnPaint();
  void OnClose();
  void OnSoundDone();
  void ReportSaveFailures(bool registrySaved);
  SIZE FrameSize() const;
  void FinishClose();
  void ShowSystemMenuPopup(POINT at);
  bool OnOwnCommand(UINT command);  // true when it is one of the window's own menu commands
  void OnMouseMove(unsigned keyFlags, int x, int y);
  void SlideAway(behaviours::Slide slide);
  void UpdateSysMenu(HMENU menu);
  void SetTooltipText(const std::string& text);
  void MapToPixels(HDC dc);

  void RunMinuteWork(const LocalTime& now);

  // The second hand's end points in client pixels for each second, and the client size the
  // face mapping had when it gave them.
  struct SecondHandPixels {
    SIZE client{-1, -1};
    POINT tip[60], tail[60];
  } secondHandPixels_;

  Clock clock_;
  CAlarmTracker alarms_{LocalTime{}};
  // Files beside the program that were not read at start: there but unreadable or of other
  // making, or missing and not to be made. Each has the reason told at start (none: not told)
  // and what a save would have written right after start; a save that would write just that
  // leaves the file alone. A changed content is written only where writeWhenChanged allows, else
  // it is reported as not saved: an unreadable file's content would be lost unseen.
  struct UnreadFile {
    std::wstring name;
    std::wstring reason;
    std::string startBytes;
    bool writeWhenChanged = false;
  };
  std::vector<UnreadFile> unread_;
  void NoteUnread(const wchar_t* fileName);
  std::string PendingBytes(const std::wstring& fileName) const;
  // Saves a file beside the program unless it already holds these bytes; refuses a file that
  // could not be read at start. Failures are remembered for SaveSettings' message.
  bool SaveFileBytes(const wchar_t* fileName, const std::string& bytes);
  HWND tooltip_ = nullptr;
  CSoundPlayer player_;
  ImageList iconList_;
  struct SaveFailure {
    std::wstring path;
    std::wstring reason;  // empty when the writer gave none
  };
  std::vector<SaveFailure> saveFailures_;  // files this save could not write
  bool finishingClose_ = false;
};
