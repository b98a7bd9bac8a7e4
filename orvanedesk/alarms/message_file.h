#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "alarms/message_record.h"

// Message.ini: per record the title and alarm lines, the message lines between a "[" line and
// a "]" line, then the four schedule lines; every line ends in CR LF, and an empty list is an
// empty file.
//
// A message line made only of "]" characters is stored with one "]" more, so it can never end
// the block early; the reader takes it off again. Every other text is stored as it is.

// Never fails: a damaged file yields what could be read (see the .cpp for each shape).
std::vector<CMessageRecord> ParseMessageFile(std::string_view bytes);
std::string FormatMessageFile(const std::vector<CMessageRecord>& records);

// False when a save and load would not give the record back: a line break in a single-line
// field is written as a space, and a CR or LF in the message that is not part of a CR LF pair
// does not survive. The dialogs can use it to tell the user before that happens.
bool StoresUnchanged(const CMessageRecord& record);
