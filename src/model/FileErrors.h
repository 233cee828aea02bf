#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

namespace norumi {

// A file that exists but cannot be read, or a file that cannot be created or replaced. The
// windows show these through the exception display; `Path()` names the file.
class EFileError : public std::runtime_error {
 public:
  EFileError(const std::string& what, std::filesystem::path path)
      : std::runtime_error(what), path_(std::move(path)) {}
  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

class EFOpenError : public EFileError {
 public:
  explicit EFOpenError(const std::filesystem::path& path);
};

class EFCreateError : public EFileError {
 public:
  explicit EFCreateError(const std::filesystem::path& path);
};

// A word file that loaded damaged and would be written back: saving what could be read would
// lose for good the words the damage hid, so the change is refused instead.
class EFDamagedError : public EFileError {
 public:
  explicit EFDamagedError(const std::filesystem::path& path);
};

// A word file that another writer (another copy of the program, or wbk) kept locked for longer
// than a writer waits: the change is refused rather than made over what the other one saves.
class EFLockError : public EFileError {
 public:
  explicit EFLockError(const std::filesystem::path& path);
};

}  // namespace norumi
