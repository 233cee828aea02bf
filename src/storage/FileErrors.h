// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>

namespace norumi {

// Why a file could not be written, as far as the system told: the windows and wbk name the
// real cause rather than the word file that merely could not be saved.
enum class FileCause {
  Unknown,
  FolderReadOnly,  // the folder cannot be written (read-only mount, no permission)
  FileReadOnly,    // the file itself is read-only
  DiskFull,        // no space or quota left
  NameTooLong,     // the name is longer than the file system allows
  NotAFile,        // something else than a regular file (a pipe, a link, a folder) is there
  OwnedByOther,    // another user's file, in a folder that lets only owners replace files
};

// The cause behind a failed system call's error number.
FileCause CauseOfErrno(int error);

// A file that exists but cannot be read, or a file that cannot be created or replaced. The
// windows show these through the exception display; `Path()` names the file.
class EFileError : public std::runtime_error {
 public:
  EFileError(const std::string& what, std::filesystem::path path,
             FileCause cause = FileCause::Unknown)
      : std::runtime_error(what), path_(std::move(path)), cause_(cause) {}
  const std::filesystem::path& Path() const { return path_; }
  FileCause Cause() const { return cause_; }

 private:
  std::filesystem::path path_;
  FileCause cause_;
};

class EFOpenError : public EFileError {
 public:
  explicit EFOpenError(const std::filesystem::path& path, FileCause cause = FileCause::Unknown);
};

class EFCreateError : public EFileError {
 public:
  explicit EFCreateError(const std::filesystem::path& path, FileCause cause = FileCause::Unknown);
};

// A word file that loaded damaged and would be written back: saving what could be read would
// lose for good the words the damage hid, so the change is refused instead.
class EFDamagedError : public EFileError {
 public:
  explicit EFDamagedError(const std::filesystem::path& path);
};

// Who holds a word file's lock, as its lock file tells: the program, its process and the
// window (or command) that took it. Empty fields where the holder did not say.
struct LockHolder {
  std::string program;
  int64_t process = 0;
  std::string window;
};

// A word file that another writer (another copy of the program, or wbk) kept locked for longer
// than a writer waits: the change is refused rather than made over what the other one saves.
class EFLockError : public EFileError {
 public:
  explicit EFLockError(const std::filesystem::path& path, LockHolder holder = {});
  const LockHolder& Holder() const { return holder_; }

 private:
  LockHolder holder_;
};

// The lock file of a word file cannot be made or used (something other than a regular file
// lies under its name, or it cannot be created): `Path()` names the lock file itself.
class EFLockFileError : public EFCreateError {
 public:
  EFLockFileError(const std::filesystem::path& lockFile, FileCause cause);
};

}  // namespace norumi
