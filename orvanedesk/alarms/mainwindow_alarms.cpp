// The main window's alarm records: Message.ini, the hour's candidates and the tick's minute
// work.
#include <iterator>
#include <new>

#include "alarms/message_file.h"
#include "alarms/message_popup.h"
#include "app/mainwindow.h"
#include "win/system.h"

namespace {

FilePath MessageFilePath() { return GetModuleFolder() + L"Message.ini"; }

}  // namespace

// A missing file is created empty (never truncating one that is there). A file that is there
// but cannot be read, or is too big for the memory there is, leaves the list empty, is named to
// the user and is not overwritten at exit.
void CMainwindow::LoadMessages() {
  const FilePath path = MessageFilePath();
  try {
    std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) {
      FileHandle created(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!created && GetLastError() == ERROR_FILE_EXISTS) NoteUnread(L"Message.ini");
      return;
    }
    std::vector<CMessageRecord> records = ParseMessageFile(*bytes);
    Messages.insert(Messages.end(), std::make_move_iterator(records.begin()),
                    std::make_move_iterator(records.end()));
  } catch (const std::bad_alloc&) {
    unread_.push_back({L"Message.ini", SystemErrorText(ERROR_NOT_ENOUGH_MEMORY), {}});
  }
}

bool CMainwindow::SaveMessages() {
  return SaveFileBytes(L"Message.ini", FormatMessageFile(Messages));
}

void CMainwindow::RebuildHourMessages() {
  const LocalTime now = clock_();
  HourMessages = BuildHourMessages(Messages, now);
  alarms_.Rebuilt(now);
}

// Runs on every tick, minimized or not: alarms do not depend on how the window looks.
void CMainwindow::RunMinuteWork(const LocalTime& now) {
  CMessagePopup::Open(alarms_.Tick(now, Messages, HourMessages).due);
}
