#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "testing/immutable.h"

namespace {

bool SetFlag(const FilePath& path, bool on) {
  int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return false;
  int flags = 0;
  bool ok = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
  if (ok) {
    flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
    ok = ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
  }
  close(fd);
  return ok;
}

}  // namespace

Immutable::Immutable(const FilePath& path) : path_(path), active_(SetFlag(path, true)) {}

Immutable::~Immutable() {
  if (active_) SetFlag(path_, false);
}

bool ClearImmutable(const FilePath& path) {
  return access(path.c_str(), F_OK) != 0 || SetFlag(path, false);
}

bool MarkFile(const FilePath& path) { return chmod(path.c_str(), 0640) == 0; }

bool HasMark(const FilePath& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && (st.st_mode & 07777) == 0640;
}

ReadOnlyFile::ReadOnlyFile(const FilePath& path) : path_(path), active_(SetFlag(path, true)) {}

ReadOnlyFile::~ReadOnlyFile() {
  if (active_) SetFlag(path_, false);
}

bool ImmutableFlagExpected() { return geteuid() == 0; }
