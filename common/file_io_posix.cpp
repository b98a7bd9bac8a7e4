#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "line_file.h"

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

// The host build mirrors the Windows writer so that the logic's tests see the same outcomes:
// an own temporary name, the old file's permissions kept, in place when the folder refuses new
// files.
namespace {

SaveResult Saved(const FilePath& path) { return {true, path, 0, {}}; }

SaveResult Failed(const FilePath& path, int error) {
  if (error == 0) error = EIO;
  std::string text = std::strerror(error);
  return {false, path, static_cast<unsigned long>(error), std::wstring(text.begin(), text.end())};
}

int WriteAllAndSync(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return n < 0 ? errno : EIO;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return fsync(fd) == 0 ? 0 : errno;
}

}  // namespace

SaveResult WriteFileBytes(const FilePath& path, std::string_view bytes) {
  struct stat old {};
  bool exists = stat(path.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) return Failed(path, EISDIR);

  std::string temp = path + ".XXXXXX.tmp";
  int fd = mkstemps(temp.data(), 4);
  if (fd < 0) {
    int tempError = errno;
    if (tempError != EACCES && tempError != EPERM) return Failed(path, tempError);
    int existing = open(path.c_str(), O_WRONLY);
    if (existing < 0) return Failed(path, errno == ENOENT ? tempError : errno);
    int error = WriteAllAndSync(existing, bytes);
    if (error == 0 && ftruncate(existing, static_cast<off_t>(bytes.size())) != 0) error = errno;
    if (error == 0 && fsync(existing) != 0) error = errno;
    close(existing);
    return error == 0 ? Saved(path) : Failed(path, error);
  }
  mode_t mode;
  if (exists) {
    mode = old.st_mode & 07777;
  } else {
    mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  int error = fchmod(fd, mode) == 0 ? 0 : errno;
  if (error == 0) error = WriteAllAndSync(fd, bytes);
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error == 0) return Saved(path);
  std::remove(temp.c_str());
  return Failed(path, error);
}
