#include "win/probe.h"

namespace {
long g_counts[kProbeKinds];
}  // namespace

void ProbeAdd(ProbeKind kind, int delta) {
  int index = static_cast<int>(kind);
  if (index >= 0 && index < kProbeKinds) g_counts[index] += delta;
}

bool AnswerProbe(UINT msg, WPARAM wParam, LRESULT& result) {
  static const UINT probeMessage = RegisterWindowMessageW(kProbeMessageName);
  if (msg != probeMessage || msg == 0) return false;
  result = wParam < kProbeKinds ? g_counts[wParam] : -1;
  return true;
}
