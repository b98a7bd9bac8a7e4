#pragma once

#include <optional>
#include <string>
#include <string_view>

// Stored texts stay code page 932 bytes; these convert only at the screen.
bool IsCp932LeadByte(unsigned char byte);

// Every byte that is not part of a code page 932 character becomes U+FFFD: a lead byte without
// its trail byte, a pair the code page leaves unassigned, and 0x80, 0xA0, 0xFD to 0xFF.
std::wstring Cp932ToWide(std::string_view text);

// For what the user typed or picked: nothing when a character has no code page 932 form of its
// own (no look-alike is put in its place), so the caller can refuse the text instead of storing
// another one.
std::optional<std::string> WideToCp932(std::wstring_view text);
