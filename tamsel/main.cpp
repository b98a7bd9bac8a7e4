#include <windows.h>

#include "clock_shell.h"

// One program, three editions: the build picks the edition's row of the table.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  return RunCharacterClock(instance, show, EditionAt(TAMSEL_EDITION));
}
