#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// The text files beside the program. Each is read at start (made, empty, when missing) and saved
// whole or not at all; a file that could not be read at start is not overwritten unseen. What
// could not be read or saved is kept for one message each, so a message names every such file.
class CFileStore {
 public:
  // Hands the file's bytes to `take`; nothing when it is missing (then it is made, empty, if
  // the folder allows) or cannot be read, or when it or what `take` makes of it does not fit
  // in memory: the file is then noted as unread with the reason.
  void Load(const wchar_t* name, const std::function<void(const std::string& bytes)>& take);
  // A file that was read but is of another kind: taken as empty, and overwritten only when its
  // content is changed.
  void MarkUnrecognised(const wchar_t* name, std::wstring reason);
  // A file not to be overwritten for another file's sake; the user is not told.
  void MarkUnread(const wchar_t* name);
  bool Unread(const wchar_t* name) const;
  // Ends the loading: each of the files the program writes that is still missing could not be
  // made (a folder the user may not write) and is no failure to report when left so; and
  // `pending` tells what a save would write now, which a later save that writes just that
  // leaves alone.
  void FinishLoading(const std::vector<const wchar_t*>& written,
                     const std::function<std::string(const std::wstring& name)>& pending);

  // Saves a file unless it already holds these bytes; a failure is kept for the next report.
  bool Save(const wchar_t* name, const std::string& bytes);
  // A message box naming the files that are there but could not be read or recognised at start.
  void ReportUnread(HWND owner) const;
  // Starts a round of saves whose failures one report names.
  void ForgetSaveFailures() { saveFailures_.clear(); }
  // A message box naming the files the saves of this round could not write; the registry's part
  // of the save is mentioned when it succeeded.
  void ReportSaveFailures(HWND owner, bool registrySaved) const;

 private:
  // Files not read at start: there but unreadable or of another kind, or missing and not to be
  // made. Each has the reason told at start (none: not told) and what a save would have
  // written right after start. A changed content is written only where writeWhenChanged
  // allows, else it is reported as not saved: an unreadable file's content would be lost unseen.
  struct UnreadFile {
    std::wstring name;
    std::wstring reason;
    std::string startBytes;
    bool writeWhenChanged = false;
  };
  struct SaveFailure {
    std::wstring path;
    std::wstring reason;  // empty when the writer gave none
  };
  void NoteUnreadable(const wchar_t* name, DWORD error);

  std::vector<UnreadFile> unread_;
  std::vector<SaveFailure> saveFailures_;
};
