#include "dialog_numbers.h"

#include <cwctype>

int ReadDialogNumber(std::wstring_view text) {
  text = text.substr(0, 2);
  size_t i = 0;
  while (i < text.size() && std::iswspace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';
  int value = 0;
  for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
    value = value * 10 + (text[i] - L'0');
  return negative ? -value : value;
}
