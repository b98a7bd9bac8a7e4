#pragma once

#include <string_view>

// A number typed into the ALARM dialog: at most the first two characters count, leading
// blanks and a sign are allowed, no digits reads 0.
int ReadDialogNumber(std::wstring_view text);
