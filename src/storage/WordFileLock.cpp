// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/WordFileLock.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>
#include <utility>

#include "storage/FileErrors.h"
#include "storage/SafeSave.h"

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

// The length of the UTF-8 character that starts `text`; 0 when it starts with none.
size_t Utf8CharLength(std::string_view text) {
  const auto byte = [&](size_t i) { return i < text.size() ? uint8_t(text[i]) : 0u; };
  const unsigned lead = byte(0);
  if (lead < 0x80) return 1;
  size_t length = 0;
  unsigned low = 0x80, high = 0xBF;  // of the second byte: no overlong form, no surrogate
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : low;
    high = lead == 0xED ? 0x9F : high;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : low;
    high = lead == 0xF4 ? 0x8F : high;
  } else {
    return 0;
  }
  if (byte(1) < low || byte(1) > high) return 0;
  for (size_t i = 2; i < length; ++i)
    if ((byte(i) & 0xC0) != 0x80) return 0;
  return length;
}

// A text anyone may have written (a lock file's record), each byte that is no part of a UTF-8
// character escaped as "\xff".
std::string EscapeInvalidUtf8(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size();) {
    const size_t length = Utf8CharLength(text.substr(i));
    if (length > 0) {
      out.append(text, i, length);
      i += length;
      continue;
    }
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\x%02x", unsigned(uint8_t(text[i++])));
    out += escaped;
  }
  return out;
}

}  // namespace

const LockClock& LockClock::Real() {
  static const LockClock real{
      [] { return std::chrono::steady_clock::now(); },
      [](std::chrono::milliseconds pause) { std::this_thread::sleep_for(pause); }};
  return real;
}

LockHolder ParseLockHolder(std::string_view text) {
  text = text.substr(0, kHolderBytes);
  std::string_view lines[3];
  for (std::string_view& line : lines) {
    const size_t end = std::min(text.find('\n'), text.size());
    line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  LockHolder holder;
  holder.program = EscapeInvalidUtf8(lines[0]);
  int64_t process = 0;
  const auto [at, error] =
      std::from_chars(lines[1].data(), lines[1].data() + lines[1].size(), process);
  // A process id is a positive 32-bit number on every system the program runs on.
  if (error == std::errc() && at == lines[1].data() + lines[1].size() && process > 0 &&
      process <= INT32_MAX)
    holder.process = process;
  holder.window = EscapeInvalidUtf8(lines[2]);
  return holder;
}

fs::path LockFileOf(const fs::path& wordFile) {
  return FolderOf(wordFile) / ("." + FileNameTag(wordFile) + ".lock");
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

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Whether `fd` is the file under the name `path`.
bool IsNamed(int fd, const fs::path& path) {
  struct stat held {
  }, named{};
  return ::fstat(fd, &held) == 0 && ::lstat(path.c_str(), &named) == 0 && SameFile(held, named);
}

// An open lock file, or none with `blocked` set: it is there, but this user may not open it.
struct Opened {
  int fd = -1;
  bool writable = true;
  bool blocked = false;
};

// Opens the lock file without following a link and without waiting on a pipe; one that may not
// be written (another user's, made under a strict umask) is opened for reading, since an
// exclusive flock works on it all the same. Throws when nothing usable can be had.
Opened OpenLockFile(const fs::path& lockFile, const fs::path& wordFile) {
  Opened opened;
  int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | kOpenFlags, LockMode(wordFile));
  if (fd < 0 && errno == EACCES) {
    opened.writable = false;
    fd = ::open(lockFile.c_str(), O_RDONLY | kOpenFlags);
    if (fd < 0 && errno == EACCES) {
      opened.blocked = true;
      return opened;
    }
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
  if (opened.writable && (info.st_mode & 0777) != mode && info.st_uid == ::geteuid())
      [[maybe_unused]]
    const int ignored = ::fchmod(fd, mode);
  opened.fd = fd;
  return opened;
}

enum class Removal { Done, Busy, Failed };

// Removes the lock file `seen` this user may not open, so that it can be made anew. Done under
// a lock of the folder, and only while the same file still lies there: of two writers who find
// it so, the second finds the file the first made and opens it. Done also when the file changed
// meanwhile; Busy while another writer is at it.
Removal RemoveBlockingLockFile(const fs::path& lockFile, const struct stat& seen) {
  const int folder = ::open(FolderOf(lockFile).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder < 0) return Removal::Failed;
  Removal removal = Removal::Busy;
  if (::flock(folder, LOCK_EX | LOCK_NB) == 0) {
    removal = Removal::Done;
    struct stat now {};
    const int probe = ::open(lockFile.c_str(), O_RDONLY | kOpenFlags);
    if (probe >= 0)
      ::close(probe);
    else if (errno == EACCES && ::lstat(lockFile.c_str(), &now) == 0 && SameFile(now, seen) &&
             ::unlink(lockFile.c_str()) != 0)
      removal = Removal::Failed;
  }
  ::close(folder);
  return removal;
}

// The second lock file, for the writers of a folder with the sticky bit whose lock file not
// every one of them may open: named after that file's owner, whom no other user can impersonate.
fs::path SideLockFileOf(const fs::path& lockFile, uid_t owner) {
  std::string name = lockFile.filename().string();
  name.insert(name.size() - std::string_view(".lock").size(), "." + std::to_string(owner));
  return FolderOf(lockFile) / name;
}

// Whether the lock file lies in a folder with the sticky bit. There another user's lock file may
// be one this user can neither open nor remove; the writers who cannot open it meet at the
// second lock file of its owner, so every writer there locks that file too. Its owner never
// changes while it lies there, so all agree on the second file whatever its bits become.
bool InStickyFolder(const fs::path& lockFile) {
  struct stat folder {};
  return ::stat(FolderOf(lockFile).c_str(), &folder) == 0 && (folder.st_mode & S_ISVTX);
}

// Whether `process` runs `program`: a record anyone may write names its holder only when the
// process it names is that program, and a live process of anything else is nobody's.
bool RunsProgram(int64_t process, const std::string& program) {
  if (process <= 0 || program.empty()) return false;
  const std::string proc = "/proc/" + std::to_string(process);
  std::error_code error;
  std::string exe = fs::read_symlink(proc + "/exe", error).filename().string();
  if (!error) {
    // A program replaced on the disk (an upgrade) while it runs.
    constexpr std::string_view kDeleted = " (deleted)";
    if (exe.ends_with(kDeleted)) exe.resize(exe.size() - kDeleted.size());
    return exe == program;
  }
  // Another user's process: the name the system keeps for it, cut to 15 bytes.
  const int fd = ::open((proc + "/comm").c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char name[32];
  const ssize_t got = ::read(fd, name, sizeof name);
  ::close(fd);
  if (got <= 1 || name[got - 1] != '\n') return false;
  return std::string_view(name, size_t(got - 1)) == std::string_view(program).substr(0, 15);
}

LockHolder ReadHolder(int fd) {
  char text[kHolderBytes];
  const ssize_t got = ::pread(fd, text, sizeof text, 0);
  if (got <= 0) return {};
  const LockHolder holder = ParseLockHolder(std::string_view(text, size_t(got)));
  // A holder that could not write its own record (another user's lock file) leaves the record
  // of one before it; a process that is gone, or runs another program, is named by nobody.
  return RunsProgram(holder.process, holder.program) ? holder : LockHolder{};
}

// Locks the open lock file `opened` without waiting. False, with `holder` telling who has it,
// when another has it; the descriptor is closed then.
bool LockOpened(const Opened& opened, const fs::path& lockFile, LockHolder& holder) {
  if (::flock(opened.fd, LOCK_EX | LOCK_NB) == 0) return true;
  const int error = errno;
  holder = ReadHolder(opened.fd);
  ::close(opened.fd);
  if (error != EWOULDBLOCK && error != EINTR) throw EFLockError(lockFile, holder);
  return false;
}

void WriteRecord(const Opened& opened, std::string_view window) {
  if (!opened.writable) return;
  const std::string record = HolderRecord(window);
  if (::ftruncate(opened.fd, 0) == 0) [[maybe_unused]]
    const ssize_t wrote = ::pwrite(opened.fd, record.data(), record.size(), 0);
}

// Lets go of a lock file: removed while still held, so that a waiter sees it is gone and
// starts afresh; but only while it is still the one under its name, never a successor's.
void Release(int fd, const fs::path& lockFile) {
  if (fd < 0) return;
  if (IsNamed(fd, lockFile)) ::unlink(lockFile.c_str());
  ::close(fd);
}

}  // namespace

WordFileLock::WordFileLock(const fs::path& wordFile, std::chrono::milliseconds wait,
                           std::string_view window, const LockClock& clock)
    : lockFile_(LockFileOf(wordFile)) {
  const auto deadline = clock.now() + wait;
  LockHolder holder;
  // Called when another writer has the lock: waits a moment, or gives up at the deadline.
  const auto pause = [&] {
    if (clock.now() >= deadline) throw EFLockError(wordFile, holder);
    clock.pause(kPoll);
  };
  // Takes the second lock file of a lock file owned by `owner`; false when another has it.
  const auto lockSide = [&](uid_t owner) {
    sideFile_ = SideLockFileOf(lockFile_, owner);
    const Opened side = OpenLockFile(sideFile_, wordFile);
    if (side.blocked) throw EFLockFileError(sideFile_, FileCause::OwnedByOther);
    if (!LockOpened(side, sideFile_, holder)) return false;
    if (!IsNamed(side.fd, sideFile_)) {
      ::close(side.fd);
      return false;
    }
    WriteRecord(side, window);
    sideFd_ = side.fd;
    return true;
  };
  for (;;) {
    const Opened opened = OpenLockFile(lockFile_, wordFile);
    if (opened.blocked) {
      struct stat seen {};
      if (::lstat(lockFile_.c_str(), &seen) != 0) {
        if (errno != ENOENT) throw EFCreateError(wordFile, CauseOfErrno(errno));
        continue;  // gone meanwhile
      }
      if (MayReplaceIn(FolderOf(lockFile_), seen.st_uid)) {
        const Removal removal = RemoveBlockingLockFile(lockFile_, seen);
        if (removal == Removal::Failed) throw EFCreateError(wordFile, FileCause::FolderReadOnly);
        if (removal == Removal::Busy) pause();
        continue;
      }
      if (!lockSide(seen.st_uid)) {
        pause();
        continue;
      }
      // The file first seen must still be there: had it gone, a writer who came meanwhile
      // made a new one and locks that alone.
      struct stat now {};
      if (::lstat(lockFile_.c_str(), &now) != 0 || !SameFile(now, seen)) {
        Release(std::exchange(sideFd_, -1), sideFile_);
        continue;
      }
      watchedDevice_ = uint64_t(seen.st_dev);
      watchedInode_ = uint64_t(seen.st_ino);
      return;
    }
    if (!LockOpened(opened, lockFile_, holder)) {
      pause();
      continue;
    }
    // The holder before may have removed the lock file as it let go; a lock on that removed
    // file guards nothing, so only the one that still stands under the name counts.
    if (!IsNamed(opened.fd, lockFile_)) {
      ::close(opened.fd);
      continue;
    }
    struct stat file {};
    if (InStickyFolder(lockFile_) && ::fstat(opened.fd, &file) == 0 && !lockSide(file.st_uid)) {
      ::close(opened.fd);
      pause();
      continue;
    }
    WriteRecord(opened, window);
    fd_ = opened.fd;
    return;
  }
}

WordFileLock::~WordFileLock() {
  Release(sideFd_, sideFile_);
  Release(fd_, lockFile_);
}

bool WordFileLock::Stands() const {
  if (fd_ >= 0 && !IsNamed(fd_, lockFile_)) return false;
  if (sideFd_ >= 0 && !IsNamed(sideFd_, sideFile_)) return false;
  if (watchedInode_ == 0) return true;
  struct stat now {};
  return ::lstat(lockFile_.c_str(), &now) == 0 && uint64_t(now.st_dev) == watchedDevice_ &&
         uint64_t(now.st_ino) == watchedInode_;
}

#else

namespace {

// Locked far beyond the record, so that others may read who holds it: a locked range cannot
// be read by any other handle there.
constexpr DWORD kLockedByteHigh = 1;

// Whether `process` runs `program` (see the other systems' twin).
bool RunsProgram(int64_t process, const std::string& program) {
  if (process <= 0 || process > MAXDWORD || program.empty()) return false;
  HANDLE handle = ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(process));
  if (!handle) return false;
  wchar_t buffer[MAX_PATH] = {};
  DWORD length = MAX_PATH;
  const bool named = ::QueryFullProcessImageNameW(handle, 0, buffer, &length);
  DWORD code = 0;
  const bool running = ::GetExitCodeProcess(handle, &code) && code == STILL_ACTIVE;
  ::CloseHandle(handle);
  if (!named || !running) return false;
  const auto name = fs::path(std::wstring(buffer, length)).stem().u8string();
  return std::string(name.begin(), name.end()) == program;
}

LockHolder ReadHolder(HANDLE handle) {
  char text[kHolderBytes];
  OVERLAPPED at{};
  DWORD got = 0;
  if (!::ReadFile(handle, text, DWORD(sizeof text), &got, &at) || got == 0) return {};
  const LockHolder holder = ParseLockHolder(std::string_view(text, got));
  return RunsProgram(holder.process, holder.program) ? holder : LockHolder{};
}

// The identity of the file `handle` is open on.
bool FileIdOf(HANDLE handle, BY_HANDLE_FILE_INFORMATION& info) {
  return ::GetFileInformationByHandle(handle, &info) != 0;
}

}  // namespace

WordFileLock::WordFileLock(const fs::path& wordFile, std::chrono::milliseconds wait,
                           std::string_view window, const LockClock& clock)
    : lockFile_(LockFileOf(wordFile)) {
  const auto deadline = clock.now() + wait;
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
    if (clock.now() >= deadline) throw EFLockError(wordFile, holder);
    clock.pause(kPoll);
  }
}

bool WordFileLock::Stands() const {
  // Opened without any access, so that it works beside every other handle; a lock file being
  // deleted refuses to open, and then it stands no more either.
  HANDLE named =
      ::CreateFileW(lockFile_.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
  if (named == INVALID_HANDLE_VALUE) return false;
  BY_HANDLE_FILE_INFORMATION held{}, now{};
  const bool same = FileIdOf(static_cast<HANDLE>(handle_), held) && FileIdOf(named, now) &&
                    held.dwVolumeSerialNumber == now.dwVolumeSerialNumber &&
                    held.nFileIndexHigh == now.nFileIndexHigh &&
                    held.nFileIndexLow == now.nFileIndexLow;
  ::CloseHandle(named);
  return same;
}

WordFileLock::~WordFileLock() {
  OVERLAPPED at{};
  at.OffsetHigh = kLockedByteHigh;
  ::UnlockFileEx(static_cast<HANDLE>(handle_), 0, 1, 0, &at);
  ::CloseHandle(static_cast<HANDLE>(handle_));
}

#endif

}  // namespace norumi
