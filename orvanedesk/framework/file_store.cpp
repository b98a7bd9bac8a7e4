#include "framework/file_store.h"

#include <new>

#include "framework/dialog.h"
#include "line_file.h"
#include "win/raii.h"
#include "win/system.h"

void CFileStore::Load(const wchar_t* name,
                      const std::function<void(const std::string& bytes)>& take) {
  const FilePath path = GetModuleFolder() + name;
  try {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (bytes) {
      take(*bytes);
      return;
    }
  } catch (const std::bad_alloc&) {
    NoteUnreadable(name, ERROR_NOT_ENOUGH_MEMORY);
    return;
  }
  // A first start leaves the file there, empty (never truncating one that is there); a folder
  // that refuses it is no error.
  FileHandle created(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (created || GetLastError() != ERROR_FILE_EXISTS) return;
  // Why a file that is there cannot be read: opened and read as ReadFileBytes does, for the
  // system's own words.
  DWORD error = ERROR_SUCCESS;
  FileHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  char byte;
  DWORD got = 0;
  if (!file) {
    error = GetLastError();
  } else if (!ReadFile(file.get(), &byte, 1, &got, nullptr)) {
    error = GetLastError();
  }
  NoteUnreadable(name, error ? error : ERROR_READ_FAULT);
}

void CFileStore::NoteUnreadable(const wchar_t* name, DWORD error) {
  unread_.push_back({name, SystemErrorText(error), {}});
}

void CFileStore::MarkUnrecognised(const wchar_t* name, std::wstring reason) {
  unread_.push_back({name, std::move(reason), {}, true});
}

void CFileStore::MarkUnread(const wchar_t* name) { unread_.push_back({name, {}, {}}); }

bool CFileStore::Unread(const wchar_t* name) const {
  for (const UnreadFile& file : unread_) {
    if (file.name == name) return true;
  }
  return false;
}

void CFileStore::FinishLoading(
    const std::vector<const wchar_t*>& written,
    const std::function<std::string(const std::wstring& name)>& pending) {
  for (const wchar_t* name : written) {
    if (!Unread(name) &&
        GetFileAttributesW((GetModuleFolder() + name).c_str()) == INVALID_FILE_ATTRIBUTES)
      unread_.push_back({name, {}, {}, true});
  }
  for (UnreadFile& file : unread_) file.startBytes = pending(file.name);
}

// Every save of the program's files passes here, so one message can name all that failed. A
// file that already holds the bytes is not written: a folder the user keeps read-only then
// raises no message when nothing changed.
bool CFileStore::Save(const wchar_t* name, const std::string& bytes) {
  const FilePath path = GetModuleFolder() + name;
  for (const UnreadFile& file : unread_) {
    if (file.name != name) continue;
    if (bytes == file.startBytes) return true;
    if (file.writeWhenChanged) break;
    saveFailures_.push_back({path,
                             L"起動時に読み込めなかったため、上書きしませんでした。この間の変更は保"
                             L"存されていません。"});
    return false;
  }
  if (ReadFileBytes(path) == bytes) return true;
  SaveResult result = WriteFileBytes(path, bytes);
  if (!result) saveFailures_.push_back({result.path, result.reason});
  return result.saved;
}

void CFileStore::ReportUnread(HWND owner) const {
  std::wstring unreadable, unrecognised;
  for (const UnreadFile& file : unread_) {
    if (file.reason.empty()) continue;  // nothing the user must know
    (file.writeWhenChanged ? unrecognised : unreadable) +=
        L"\n・" + file.name + L"（場所: " + GetModuleFolder() + L"）\n　理由: " + file.reason;
  }
  std::wstring text;
  if (!unreadable.empty()) {
    text = L"次のファイルを読み込めませんでした。" + unreadable +
           L"\n\nほかのプログラムが使用中でないか確かめてください。"
           L"これらのファイルは終了時にも上書きせず、そのまま残します。";
  }
  if (!unrecognised.empty()) {
    if (!text.empty()) text += L"\n\n";
    text += L"次のファイルは形式が違うため、空として扱います。" + unrecognised +
            L"\n\nこれらのファイルは、設定で内容を変えない限り上書きせず、そのまま残します。";
  }
  if (text.empty()) return;
  AppMessageBox(owner, text, MB_OK | MB_ICONWARNING);
}

void CFileStore::ReportSaveFailures(HWND owner, bool registrySaved) const {
  if (saveFailures_.empty()) return;
  std::wstring text = L"次のファイルを保存できませんでした。\n";
  for (const SaveFailure& failure : saveFailures_) {
    size_t slash = failure.path.find_last_of(L'\\');
    std::wstring name = failure.path.substr(slash == std::wstring::npos ? 0 : slash + 1);
    std::wstring folder = failure.path.substr(0, slash == std::wstring::npos ? 0 : slash + 1);
    text += L"\n・" + name + L"（場所: " + folder + L"）";
    if (!failure.reason.empty()) text += L"\n　理由: " + failure.reason;
  }
  text +=
      L"\n\nファイルやフォルダーが書き込み禁止になっていないか確かめてください。"
      L"前に保存した内容はそのまま残っています。";
  if (registrySaved) text += L"時計の設定（ウィンドウの位置など）は保存されました。";
  AppMessageBox(owner, text, MB_OK | MB_ICONWARNING);
}
