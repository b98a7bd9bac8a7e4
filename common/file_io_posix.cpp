#include "line_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

std::optional<std::string> ReadFileBytes(const FilePath& path) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) bytes.append(buffer, got);
  bool ok = !std::ferror(file);
  std::fclose(file);
  if (!ok) return std::nullopt;
  return bytes;
}

bool WriteFileAtomic(const FilePath& path, std::string_view bytes) {
  std::string temp = path + ".tmp";
  int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  const char* p = bytes.data();
  size_t left = bytes.size();
  bool ok = true;
  while (ok && left > 0) {
    ssize_t n = write(fd, p, left);
    ok = n > 0;
    if (ok) {
      p += n;
      left -= static_cast<size_t>(n);
    }
  }
  ok = ok && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && std::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) std::remove(temp.c_str());
  return ok;
}
