// Saves one file over and over with the programs' writer until it is killed: the subject of the
// killed-save test (common/save_kill_test.sh). Each save holds one generation number on every
// line, and the number of lines follows from it, so a file cut short or mixed from two saves
// shows.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "line_file.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: save_loop <file> <first generation>\n");
    return 2;
  }
  std::string narrow = argv[1];
  FilePath path(narrow.begin(), narrow.end());
  for (unsigned long generation = std::strtoul(argv[2], nullptr, 10);; ++generation) {
    char line[16];
    std::snprintf(line, sizeof line, "%010lu\r\n", generation);
    std::string bytes;
    for (unsigned long i = 0; i < 1000 + generation % 5 * 1000; ++i) bytes += line;
    SaveResult result = WriteFileBytes(path, bytes);
    if (!result) {
      std::fprintf(stderr, "save failed: error %lu\n", result.error);
      return 1;
    }
  }
}
