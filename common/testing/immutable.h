#pragma once

#include "line_file.h"

// For tests of files and folders that truly refuse change (as root, read-only modes are not
// enforced): sets the file system's immutable flag on a file or folder for the object's life.
// Works on Linux as root, and under Wine there through the Unix side; elsewhere active() is
// false and the test should skip.
class Immutable {
 public:
  explicit Immutable(const FilePath& path);
  ~Immutable();
  Immutable(const Immutable&) = delete;
  Immutable& operator=(const Immutable&) = delete;
  bool active() const { return active_; }

 private:
  FilePath path_;
  bool active_ = false;
};

// Whether the flag should be available: when running as root (on Linux, or under Wine there,
// which reports the Unix user). Tests skip without it and fail if it was expected.
bool ImmutableFlagExpected();

// Clears the flag on whatever a test left immutable; true when the path is free of it (or gone).
bool ClearImmutable(const FilePath& path);

// A file the user may not change, for the object's life: the read-only attribute on Windows
// (which Windows and Wine honour before anything else), the immutable flag elsewhere.
class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const FilePath& path);
  ~ReadOnlyFile();
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
  bool active() const { return active_; }

 private:
  FilePath path_;
  bool active_ = false;
};

// A mark a save must keep on the file it replaces: the hidden attribute on Windows, the mode
// 0640 elsewhere.
bool MarkFile(const FilePath& path);
bool HasMark(const FilePath& path);
