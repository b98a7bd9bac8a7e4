#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// For tests that drive their own thread's dialogs and message boxes: modal loops dispatch the
// thread's timers, so a thread timer can find and answer what a modal call shows.

std::wstring WindowText(HWND hwnd);
// Runs this thread's messages until `done` holds or the time runs out; returns done()'s last
// value.
bool PumpMessagesUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);
// The first visible window of this thread with this class and, when given, this caption.
HWND FindThreadWindow(const wchar_t* className, const wchar_t* caption = nullptr);
// A window of this thread, shown or hidden, of this class and owned by `owner`.
HWND FindOwnedWindow(HWND owner, const wchar_t* className);
// The texts of a property sheet's tabs, in order.
std::vector<std::wstring> SheetTabTexts(HWND sheet);
// Every visible dialog of this thread (dialogs, property sheets, message boxes).
std::vector<HWND> ThreadDialogs();
// This thread's visible message box, or null.
HWND FindThreadMessageBox();
// Answers this thread's open message box with `answer` and returns its text; empty when none is
// open.
std::wstring AnswerMessageBox(int answer = IDOK);

// Answers the next message box this thread shows, from a thread timer, and keeps its text. The
// timer stops at the answer or when the object goes; one answerer at a time.
class MessageBoxAnswerer {
 public:
  explicit MessageBoxAnswerer(int answer = IDOK);
  ~MessageBoxAnswerer();
  MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
  MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;
  // The answered box's text; empty while none has been answered.
  const std::wstring& text() const { return text_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  int answer_;
  UINT_PTR timer_ = 0;
  std::wstring text_;
};
