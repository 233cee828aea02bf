// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string_view>

#include "storage/FileErrors.h"

namespace norumi {

// How long a writer waits for another one to finish with the same word file: far longer than
// any save takes, short enough that nobody wonders whether the program hangs.
inline constexpr std::chrono::milliseconds kWordFileLockWait{10'000};
// How long a window waits: enough to ride over another writer's save, short enough to answer
// at once when the holder is a window that may stay open for an hour.
inline constexpr std::chrono::milliseconds kWindowLockWait{250};

// The clock a writer waits on while another holds the lock: the time now, and a pause of a
// given length. The real one by default; a test hands in its own, which moves its time on or lets
// go of the lock it holds when paused, so that waiting is tried without waiting.
struct LockClock {
  using TimePoint = std::chrono::steady_clock::time_point;
  std::function<TimePoint()> now;
  std::function<void(std::chrono::milliseconds)> pause;
  static const LockClock& Real();
};

// The lock file of `wordFile`: hidden, beside it, and named so that no listing of word files
// ever shows it and no word file can ever be called so.
std::filesystem::path LockFileOf(const std::filesystem::path& wordFile);

// The exclusive right to change one word file, held for the life of the object. Every
// read-modify-write of a word file takes it, in this program, in another copy of it and in
// wbk, and reads the file only once it holds it: so no writer saves over words another one has
// just added. The lock file records its holder (the program, its process and `window`, the
// window or command that took it), so that one who finds it held can say who is in the way.
// Waits at most `wait` for another holder, then throws EFLockError naming the holder. A lock
// file that cannot be made (the folder is not writable) throws EFCreateError, as the save
// would; anything but a regular file under the lock file's name (a link, a pipe) throws
// EFLockFileError at once: it is never followed and never waited on.
// A process takes the lock of one file once at a time: a second WordFileLock of the same file
// waits for the first like any other writer.
// A lock file this user may not even open (another user's, made private) would keep every
// writer out for good: it is removed and made anew. In a folder that lets only owners remove
// files (the sticky bit, as /tmp and many shared folders have), where it cannot be removed, the
// writers who cannot open it lock a second file named after its owner instead, and there every
// writer who can open it locks that second file too, after it: so any two writers share a lock.
// The holder record is only ever shown: nothing is decided by what it says.
class WordFileLock {
 public:
  explicit WordFileLock(const std::filesystem::path& wordFile,
                        std::chrono::milliseconds wait = kWordFileLockWait,
                        std::string_view window = {}, const LockClock& clock = LockClock::Real());
  ~WordFileLock();
  WordFileLock(const WordFileLock&) = delete;
  WordFileLock& operator=(const WordFileLock&) = delete;

  // Whether the lock files this holds are still the ones under their names. A clean-up that
  // deleted one, or a writer that replaced it, leaves a lock that keeps nobody out: a holder
  // asks before it saves, and takes the lock anew when it no longer stands.
  bool Stands() const;

 private:
  std::filesystem::path lockFile_;
#ifdef _WIN32
  void* handle_ = nullptr;
#else
  int fd_ = -1;
  // The second lock file, when the first may not be opened by every writer (see above).
  std::filesystem::path sideFile_;
  int sideFd_ = -1;
  // The lock file this holder could not open and locks only through the second one: the lock
  // stands while the same file lies under its name.
  uint64_t watchedDevice_ = 0;
  uint64_t watchedInode_ = 0;
#endif
};

// The holder a lock file names, from its text; empty fields where it says nothing.
LockHolder ParseLockHolder(std::string_view text);

}  // namespace norumi
