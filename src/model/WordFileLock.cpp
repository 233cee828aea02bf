#include "model/WordFileLock.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <thread>

#include "model/FileErrors.h"
#include "model/SafeSave.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace norumi {

namespace fs = std::filesystem;

namespace {

constexpr std::chrono::milliseconds kPoll{15};
// A lock file holds a few short lines; more is not read.
constexpr size_t kHolderBytes = 1024;

// The name of the running program, as a holder calls itself.
std::string ProgramName() {
#ifdef _WIN32
  wchar_t buffer[MAX_PATH] = {};
  const DWORD length = ::GetModuleFileNameW(nullptr, buffer, MAX_PATH);
  const auto name = fs::path(std::wstring(buffer, length)).stem().u8string();
  return std::string(name.begin(), name.end());
#else
  std::error_code error;
  const fs::path program = fs::read_symlink("/proc/self/exe", error);
  return error ? std::string() : program.filename().string();
#endif
}

int64_t ProcessId() {
#ifdef _WIN32
  return int64_t(::GetCurrentProcessId());
#else
  return int64_t(::getpid());
#endif
}

// Three lines: the program, its process, and the window or command that took the lock.
std::string HolderRecord(std::string_view window) {
  return ProgramName() + "\n" + std::to_string(ProcessId()) + "\n" + std::string(window) + "\n";
}

}  // namespace

LockHolder ParseLockHolder(std::string_view text) {
  text = text.substr(0, kHolderBytes);
  std::string_view lines[3];
  for (std::string_view& line : lines) {
    const size_t end = std::min(text.find('\n'), text.size());
    line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  LockHolder holder;
  holder.program = std::string(lines[0]);
  int64_t process = 0;
  const auto [at, error] =
      std::from_chars(lines[1].data(), lines[1].data() + lines[1].size(), process);
  // A process id is a positive 32-bit number on every system the program runs on.
  if (error == std::errc() && at == lines[1].data() + lines[1].size() && process > 0 &&
      process <= INT32_MAX)
    holder.process = process;
  holder.window = std::string(lines[2]);
  return holder;
}

fs::path LockFileOf(const fs::path& wordFile) {
  const fs::path folder = wordFile.has_parent_path() ? wordFile.parent_path() : fs::path(".");
  return folder / ("." + FileNameTag(wordFile) + ".lock");
}

#ifndef _WIN32

namespace {

// The lock file takes the word file's permission bits, whatever the umask, so that in a
// shared folder every user who may write the word file may also use its lock.
mode_t LockMode(const fs::path& wordFile) {
  struct stat info {};
  if (::stat(wordFile.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return info.st_mode & 0666;
  return 0666;
}

constexpr int kOpenFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;

// Opens the lock file without following a link and without waiting on a pipe; one that may not
// be written (another user's, made under a strict umask) is opened for reading, since an
// exclusive flock works on it all the same. Throws when nothing usable can be had.
int OpenLockFile(const fs::path& lockFile, const fs::path& wordFile, bool& writable) {
  writable = true;
  int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | kOpenFlags, LockMode(wordFile));
  if (fd < 0 && errno == EACCES) {
    writable = false;
    fd = ::open(lockFile.c_str(), O_RDONLY | kOpenFlags);
    // No lock file, and none may be made: the folder cannot be written.
    if (fd < 0 && errno == ENOENT) errno = EACCES;
  }
  if (fd < 0) {
    const int error = errno;
    if (error == ELOOP || error == EISDIR || error == ENXIO || error == ENODEV)
      throw EFLockFileError(lockFile, FileCause::NotAFile);
    throw EFCreateError(wordFile, CauseOfErrno(error));
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    throw EFLockFileError(lockFile, FileCause::NotAFile);
  }
  const mode_t mode = LockMode(wordFile);
  if (writable && (info.st_mode & 0777) != mode && info.st_uid == ::geteuid()) [[maybe_unused]]
    const int ignored = ::fchmod(fd, mode);
  return fd;
}

LockHolder ReadHolder(int fd) {
  char text[kHolderBytes];
  const ssize_t got = ::pread(fd, text, sizeof text, 0);
  if (got <= 0) return {};
  LockHolder holder = ParseLockHolder(std::string_view(text, size_t(got)));
  // A holder that could not write its own record (another user's lock file) leaves the record
  // of one before it: a process that is gone is named by nobody.
  if (holder.process > 0 && ::kill(pid_t(holder.process), 0) != 0 && errno == ESRCH) return {};
  return holder;
}

}  // namespace

WordFileLock::WordFileLock(const fs::path& wordFile, std::chrono::milliseconds wait,
                           std::string_view window)
    : lockFile_(LockFileOf(wordFile)) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  for (;;) {
    bool writable = true;
    const int fd = OpenLockFile(lockFile_, wordFile, writable);
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
      // The holder before may have removed the lock file as it let go; a lock on that removed
      // file guards nothing, so only the one that still stands under the name counts.
      struct stat held {
      }, named{};
      if (::fstat(fd, &held) == 0 && ::lstat(lockFile_.c_str(), &named) == 0 &&
          held.st_dev == named.st_dev && held.st_ino == named.st_ino) {
        if (writable) {
          const std::string record = HolderRecord(window);
          if (::ftruncate(fd, 0) == 0) [[maybe_unused]]
            const ssize_t wrote = ::pwrite(fd, record.data(), record.size(), 0);
        }
        fd_ = fd;
        return;
      }
      ::close(fd);
      continue;
    }
    const int error = errno;
    const LockHolder holder = ReadHolder(fd);
    ::close(fd);
    if (error != EWOULDBLOCK && error != EINTR) throw EFLockError(wordFile, holder);
    if (std::chrono::steady_clock::now() >= deadline) throw EFLockError(wordFile, holder);
    std::this_thread::sleep_for(kPoll);
  }
}

WordFileLock::~WordFileLock() {
  // Removed while still held, so that a waiter sees it is gone and starts afresh.
  ::unlink(lockFile_.c_str());
  ::close(fd_);
}

#else

namespace {

// Locked far beyond the record, so that others may read who holds it: a locked range cannot
// be read by any other handle there.
constexpr DWORD kLockedByteHigh = 1;

LockHolder ReadHolder(HANDLE handle) {
  char text[kHolderBytes];
  OVERLAPPED at{};
  DWORD got = 0;
  if (!::ReadFile(handle, text, DWORD(sizeof text), &got, &at) || got == 0) return {};
  return ParseLockHolder(std::string_view(text, got));
}

}  // namespace

WordFileLock::WordFileLock(const fs::path& wordFile, std::chrono::milliseconds wait,
                           std::string_view window)
    : lockFile_(LockFileOf(wordFile)) {
  const auto deadline = std::chrono::steady_clock::now() + wait;
  LockHolder holder;
  for (;;) {
    // Deleted with its last handle; while a waiter still holds one, the file stays for it.
    // A link under the lock file's name is opened as itself, never followed.
    HANDLE handle = ::CreateFileW(
        lockFile_.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE,
        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
        FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = ::GetLastError();
      // A folder refuses to open as a file: something else than a lock file is in the way.
      const DWORD attributes = ::GetFileAttributesW(lockFile_.c_str());
      if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        throw EFLockFileError(lockFile_, FileCause::NotAFile);
      // A lock file that is being deleted refuses to open for a moment.
      if (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION)
        throw EFCreateError(wordFile, error == ERROR_FILENAME_EXCED_RANGE ? FileCause::NameTooLong
                                                                          : FileCause::Unknown);
    } else {
      BY_HANDLE_FILE_INFORMATION info{};
      if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileInformationByHandle(handle, &info) ||
          (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        ::CloseHandle(handle);
        throw EFLockFileError(lockFile_, FileCause::NotAFile);
      }
      OVERLAPPED at{};
      at.OffsetHigh = kLockedByteHigh;
      if (::LockFileEx(handle, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &at)) {
        const std::string record = HolderRecord(window);
        OVERLAPPED start{};
        DWORD wrote = 0;
        ::WriteFile(handle, record.data(), DWORD(record.size()), &wrote, &start);
        handle_ = handle;
        return;
      }
      holder = ReadHolder(handle);
      ::CloseHandle(handle);
    }
    if (std::chrono::steady_clock::now() >= deadline) throw EFLockError(wordFile, holder);
    std::this_thread::sleep_for(kPoll);
  }
}

WordFileLock::~WordFileLock() {
  OVERLAPPED at{};
  at.OffsetHigh = kLockedByteHigh;
  ::UnlockFileEx(static_cast<HANDLE>(handle_), 0, 1, 0, &at);
  ::CloseHandle(static_cast<HANDLE>(handle_));
}

#endif

LoadStatus UpdateWordFile(TTangoList& list, const fs::path& path,
                          const std::function<bool(LoadStatus)>& change,
                          std::chrono::milliseconds wait, std::string_view window) {
  const WordFileLock lock(path, wait, window);
  const LoadStatus status = list.LoadForUpdate(path);
  if (change(status)) list.SaveToFile(path);
  return status;
}

}  // namespace norumi
