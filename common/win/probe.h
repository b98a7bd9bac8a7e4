#pragma once

#include <windows.h>

// What a program holds, counted for the soak scenarios. A build with CLOCKS_PROBE counts the
// handles its owners hold and the sounds it starts, and its windows answer the registered
// message kProbeMessageName with a count (wParam: a ProbeKind). The shipped programs count
// nothing: every call below is an empty inline function there.
enum class ProbeKind : int { None = -1, Gdi = 0, User = 1, Kernel = 2, Sounds = 3 };
constexpr int kProbeKinds = 4;
constexpr const wchar_t* kProbeMessageName = L"ClocksProbe";

#ifdef CLOCKS_PROBE
void ProbeAdd(ProbeKind kind, int delta);
bool AnswerProbe(UINT msg, WPARAM wParam, LRESULT& result);
#else
inline void ProbeAdd(ProbeKind, int) {}
inline bool AnswerProbe(UINT, WPARAM, LRESULT&) { return false; }
#endif
