#pragma once

#include <string>
#include <string_view>

// Stored texts stay code page 932 bytes; these convert only at the screen.
bool IsCp932LeadByte(unsigned char byte);
std::wstring Cp932ToWide(std::string_view text);
std::string WideToCp932(std::wstring_view text);
