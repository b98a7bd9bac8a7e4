// Message.ini as found on disk: any bytes load, and what loads saves to a file that loads back
// to the same records (a record whose texts cannot be stored as they are is stored in one
// normal form, which then stays put).
#include <cstddef>
#include <cstdint>

#include "alarms/message_file.h"
#include "check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  std::vector<CMessageRecord> records = ParseMessageFile(bytes);
  // Every record starts at a line of its own.
  size_t lines = 1;
  for (char c : bytes) lines += c == '\n';
  FUZZ_CHECK(records.size() <= lines);

  std::string saved = FormatMessageFile(records);
  std::vector<CMessageRecord> again = ParseMessageFile(saved);
  FUZZ_CHECK(again.size() == records.size());
  for (size_t i = 0; i < records.size(); ++i) {
    if (StoresUnchanged(records[i])) FUZZ_CHECK(again[i] == records[i]);
    FUZZ_CHECK(StoresUnchanged(again[i]));
  }
  FUZZ_CHECK(FormatMessageFile(again) == saved);
  return 0;
}
