#pragma once

#include <windows.h>

// A function of a system library loaded at its first use rather than linked: several system
// libraries bring others with them, a good share of every start-up, for work most starts never
// do. Null when the library or the function is missing.
template <typename Function>
Function LateFunction(const wchar_t* library, const char* name) {
  HMODULE module = LoadLibraryW(library);
  return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}
