#include "model/WordFileLock.h"

#include <thread>

#include "model/FileErrors.h"
#include "model/SafeSave.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace norumi {

namespace fs = std::filesystem;

namespace {

constexpr std::chrono::milliseconds kPoll{15};

}  // namespace

fs::path LockFileOf(const fs::path& wordFile) {
  const fs::path folder = wordFile.has_parent_path() ? wordFile.parent_path() : fs::path(".");
  return folder / ("." + FileNameTag(wordFile) + ".lock");
}

#ifndef _WIN32

WordFileLock::WordFileLock(const fs::path& wordFile, std::chrono::milliseconds wait)
    : lockFile_(LockFileOf(wordFile)) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    const int fd = ::open(lockFile_.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) throw EFCreateError(wordFile);
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      // The holder before may have removed the lock file as it let go; a lock on that removed
      // file guards nothing, so only the one that still stands under the name counts.
      struct stat held {
      }, named{};
      if (::fstat(fd, &held) == 0 && ::stat(lockFile_.c_str(), &named) == 0 &&
          held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
        fd_ = fd;
        return;
      }
      ::close(fd);
      continue;
    }
    const int error = errno;
    ::close(fd);
    if (error != EWOULDBLOCK && error != EINTR) throw EFLockError(wordFile);
    if (std::chrono::steady_clock::now() >= deadline) throw EFLockError(wordFile);
    std::this_thread::sleep_for(kPoll);
  }
}

WordFileLock::~WordFileLock() {
  // Removed while still held, so that a waiter sees it is gone and starts afresh.
  ::unlink(lockFile_.c_str());
  ::close(fd_);
}

#else

WordFileLock::WordFileLock(const fs::path& wordFile, std::chrono::milliseconds wait)
    : lockFile_(LockFileOf(wordFile)) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    // Deleted with its last handle; while a waiter still holds one, the file stays for it.
    HANDLE handle =
        ::CreateFileW(lockFile_.c_str(), GENERIC_READ | GENERIC_WRITE,
                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                      FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = ::GetLastError();
      // A lock file that is being deleted refuses to open for a moment.
      if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)
        throw EFCreateError(wordFile);
    } else {
      OVERLAPPED at{};
      if (::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        handle_ = handle;
        return;
      }
      ::CloseHandle(handle);
    }
    if (std::chrono::steady_clock::now() >= deadline) throw EFLockError(wordFile);
    std::this_thread::sleep_for(kPoll);
  }
}

WordFileLock::~WordFileLock() {
  OVERLAPPED at{};
  ::UnlockFileEx(static_cast<HANDLE>(handle_), 0, 1, 0, &at);
  ::CloseHandle(static_cast<HANDLE>(handle_));
}

#endif

LoadStatus UpdateWordFile(TTangoList& list, const fs::path& path,
                          const std::function<bool(LoadStatus)>& change,
                          std::chrono::milliseconds wait) {
  const WordFileLock lock(path, wait);
  const LoadStatus status = list.LoadForUpdate(path);
  if (change(status)) list.SaveToFile(path);
  return status;
}

}  // namespace norumi
