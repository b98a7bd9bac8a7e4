// Records as the dialogs make them: every list whose texts can be stored comes back from a save
// and load exactly, and every other list keeps its number of records.
#include <fuzzer/FuzzedDataProvider.h>

#include "alarms/message_file.h"
#include "check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider in(data, size);
  std::vector<CMessageRecord> records(in.ConsumeIntegralInRange<size_t>(0, 4));
  bool storable = true;
  for (CMessageRecord& r : records) {
    for (std::string* field :
         {&r.title, &r.alarm, &r.message, &r.dateUnit, &r.dateDetail, &r.timeUnit, &r.timeDetail}) {
      *field = in.ConsumeRandomLengthString(64);
    }
    storable = storable && StoresUnchanged(r);
  }
  std::string saved = FormatMessageFile(records);
  std::vector<CMessageRecord> again = ParseMessageFile(saved);
  FUZZ_CHECK(again.size() == records.size());
  if (storable) FUZZ_CHECK(again == records);
  FUZZ_CHECK(FormatMessageFile(again) == saved);
  return 0;
}
