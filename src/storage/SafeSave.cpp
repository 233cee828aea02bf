// SPDX-License-Identifier: GPL-3.0-or-later
#include "storage/SafeSave.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <new>
#include <random>
#include <system_error>
#include <vector>

#include "storage/FileErrors.h"
#include "storage/LargeBlocks.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <cerrno>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace norumi {

namespace fs = std::filesystem;

fs::path FolderOf(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

std::string FileNameTag(const fs::path& file) {
#ifdef _WIN32
  // Names that differ only in case are one file there, in any script: the name as Windows
  // folds it.
  const std::wstring name = file.filename().wstring();
  std::wstring folded(name.size(), L'\0');
  if (::LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.data(), int(name.size()),
                      folded.data(), int(folded.size()), nullptr, nullptr, 0) != int(name.size()))
    folded = name;
  const std::u8string bytes = fs::path(folded).u8string();
#else
  const std::u8string bytes = file.filename().u8string();
#endif
  // FNV-1a: stable across builds and machines, so every writer finds the same names.
  uint64_t hash = 0xCBF29CE484222325ull;
  for (const char8_t c : bytes) hash = (hash ^ uint8_t(c)) * 0x100000001B3ull;
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

namespace {

// ".<tag>-<8 hex digits>.tmp": hidden, never listed as a word file, and 30 bytes whatever the
// target is called, so a target whose name just fits can still be saved.
std::string TemporaryPrefix(const fs::path& target) {
  return "." + FileNameTag(target) + "-";
}
constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr size_t kTemporaryNameLength = 1 + 16 + 1 + 8 + 4;

fs::path TemporaryBeside(const fs::path& target) {
  std::random_device device;
  char tag[9];
  std::snprintf(tag, sizeof tag, "%08x",
                unsigned(std::uniform_int_distribution<uint32_t>()(device)));
  return FolderOf(target) / (TemporaryPrefix(target) + tag + std::string(kTemporarySuffix));
}

// What a save that was killed half-way left behind for the same target.
void RemoveStaleTemporaries(const fs::path& target) {
  const std::string prefix = TemporaryPrefix(target);
  std::error_code error;
  std::vector<fs::path> stale;
  for (fs::directory_iterator entry(FolderOf(target), error), end; !error && entry != end;
       entry.increment(error)) {
    const std::string name = entry->path().filename().string();
    if (name.size() == kTemporaryNameLength && name.starts_with(prefix) &&
        name.ends_with(kTemporarySuffix))
      stale.push_back(entry->path());
  }
  for (const fs::path& path : stale) fs::remove(path, error);
}

// What the replacement takes over from the file it replaces.
struct Original {
  bool exists = false;
  fs::perms perms = fs::perms::none;
#ifdef _WIN32
  DWORD attributes = 0;
#else
  uid_t owner = 0;
  gid_t group = 0;
#endif
};

Original Inspect(const fs::path& target) {
  Original original;
  std::error_code error;
  const fs::file_status status = fs::status(target, error);
  if (error || !fs::exists(status)) return original;
  original.exists = true;
  original.perms = status.permissions();
  constexpr fs::perms kWrite =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  // A file nobody may write to is read-only on purpose, whoever runs the program.
  if (fs::is_regular_file(status) && (original.perms & kWrite) == fs::perms::none)
    throw EFCreateError(target, FileCause::FileReadOnly);
#ifdef _WIN32
  original.attributes = ::GetFileAttributesW(target.c_str());
#else
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) {
    original.owner = info.st_uid;
    original.group = info.st_gid;
    if (S_ISREG(info.st_mode) && ::access(target.c_str(), W_OK) != 0)
      throw EFCreateError(target, FileCause::FileReadOnly);
    if (!MayReplaceIn(FolderOf(target), info.st_uid))
      throw EFCreateError(target, FileCause::OwnedByOther);
  }
#endif
  return original;
}

void TakeOver(const Original& original, const fs::path& temporary) {
  if (!original.exists) return;
  std::error_code error;
  fs::permissions(temporary, original.perms & fs::perms::mask, fs::perm_options::replace, error);
#ifdef _WIN32
  // A file put in place by a rename has the attributes of the file renamed, not of the one it
  // replaces: a hidden word file would show after its first save.
  constexpr DWORD kKept =
      FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
  if (original.attributes != INVALID_FILE_ATTRIBUTES && (original.attributes & kKept) != 0)
    ::SetFileAttributesW(temporary.c_str(),
                         ::GetFileAttributesW(temporary.c_str()) | (original.attributes & kKept));
#else
  // Only a privileged process may give a file away; anyone else keeps it as their own.
  if (::chown(temporary.c_str(), original.owner, original.group) != 0) {
    [[maybe_unused]] const int ignored = ::chown(temporary.c_str(), uid_t(-1), original.group);
  }
#endif
}

// The temporary file, written through the system's own calls so that it can be flushed to the
// disk before it takes the target's place. Every failure keeps the system's error number.
class Temporary {
 public:
  explicit Temporary(const fs::path& path) : path_(path) {
#ifdef _WIN32
    fd_ = ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                   _S_IREAD | _S_IWRITE);
#else
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0666);
#endif
    if (fd_ < 0) error_ = errno;
  }
  ~Temporary() {
    Close();
  }
  Temporary(const Temporary&) = delete;
  Temporary& operator=(const Temporary&) = delete;

  bool IsOpen() const {
    return fd_ >= 0;
  }
  int Error() const {
    return error_;
  }

  bool Write(std::string_view bytes) {
    while (!bytes.empty()) {
      // Written in pieces a signed count can hold, whatever the size.
      const size_t piece = std::min<size_t>(bytes.size(), size_t(1) << 30);
#ifdef _WIN32
      const int wrote = ::_write(fd_, bytes.data(), unsigned(piece));
#else
      const ssize_t wrote = ::write(fd_, bytes.data(), piece);
#endif
      if (wrote < 0 && errno == EINTR) continue;
      if (wrote <= 0) return Fail(wrote < 0 ? errno : ENOSPC);
      bytes.remove_prefix(size_t(wrote));
      written_ += size_t(wrote);
    }
#ifdef __linux__
    // The disk starts on what is written while the rest is made, so that the flush at the end
    // waits for the last part alone. Only a start: the flush still waits for all of it.
    constexpr size_t kStart = size_t(8) << 20;
    if (written_ - started_ >= kStart) {
      ::sync_file_range(fd_, off_t(started_), off_t(written_ - started_), SYNC_FILE_RANGE_WRITE);
      started_ = written_;
    }
#endif
    return true;
  }

  // Until this returns, a power cut may leave the file empty or partial on many file systems.
  bool Flush() {
#ifdef _WIN32
    if (::_commit(fd_) != 0) return Fail(errno);
#else
    while (::fsync(fd_) != 0)
      if (errno != EINTR) return Fail(errno);
#endif
    return true;
  }

  bool Close() {
    if (fd_ < 0) return false;
#ifdef _WIN32
    const int closed = ::_close(fd_);
#else
    const int closed = ::close(fd_);
#endif
    fd_ = -1;
    return closed == 0 || Fail(errno);
  }

 private:
  bool Fail(int error) {
    error_ = error;
    return false;
  }

  fs::path path_;
  int fd_ = -1;
  int error_ = 0;
  size_t written_ = 0;
  size_t started_ = 0;  // what the disk was asked to start on
};

// The rename itself is recorded in the folder: flushed too, so that after a power cut the name
// leads to the new file. Not every file system can flush a folder; the file is safe either way.
void FlushFolder([[maybe_unused]] const fs::path& folder) {
#ifndef _WIN32
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  while (::fsync(fd) != 0 && errno == EINTR) {
  }
  ::close(fd);
#endif
}

}  // namespace

fs::path SaveTargetOf(const fs::path& path) {
  std::error_code error;
  if (!fs::is_symlink(fs::symlink_status(path, error))) return path;
  const fs::path followed = fs::canonical(path, error);
  if (error || !fs::is_regular_file(fs::symlink_status(followed, error))) return path;
  const fs::path folder = fs::canonical(FolderOf(path), error);
  return !error && followed.parent_path() == folder ? followed : path;
}

#ifndef _WIN32
bool MayReplaceIn(const fs::path& folder, uint32_t owner) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) != 0) return false;
  const uid_t user = ::geteuid();
  return !(info.st_mode & S_ISVTX) || user == 0 || info.st_uid == user || owner == user;
}
#endif

std::optional<FileCause> WriteObstacle(const fs::path& target) {
  std::error_code error;
  const fs::path folder = FolderOf(target);
#ifdef _WIN32
  if (target.filename().native().size() > 255) return FileCause::NameTooLong;
  const fs::file_status status = fs::status(target, error);
  if (fs::is_regular_file(status) &&
      (status.permissions() & fs::perms::owner_write) == fs::perms::none)
    return FileCause::FileReadOnly;
  if (!fs::is_directory(fs::status(folder, error))) return FileCause::FolderReadOnly;
#else
  if (::access(folder.c_str(), W_OK | X_OK) != 0) return CauseOfErrno(errno);
  // A folder nobody may write to is read-only on purpose, whoever runs the program.
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0 && (info.st_mode & 0222) == 0)
    return FileCause::FolderReadOnly;
  const long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
  if (longest > 0 && target.filename().native().size() > size_t(longest))
    return FileCause::NameTooLong;
  if (::lstat(target.c_str(), &info) == 0) {
    if (!S_ISREG(info.st_mode)) return FileCause::NotAFile;
    if ((info.st_mode & 0222) == 0 || ::access(target.c_str(), W_OK) != 0)
      return FileCause::FileReadOnly;
    // Written, it could be; but a save puts a new file in its place, which the folder forbids.
    if (!MayReplaceIn(folder, info.st_uid)) return FileCause::OwnedByOther;
  }
#endif
  return std::nullopt;
}

void SaveFileReplacing(const fs::path& target, std::string_view bytes, const SaveFault& fault) {
  SaveFileReplacing(
      target, [bytes](const WritePart& write) { return write(bytes); }, fault);
}

void SaveFileReplacing(const fs::path& target, const std::function<bool(const WritePart&)>& produce,
                       const SaveFault& fault) {
  const auto fails = [&](SaveStep step) { return fault && fault(step); };
  const Original original = Inspect(target);
  RemoveStaleTemporaries(target);
  const auto temporary = TemporaryBeside(target);
  int failure = 0;
  bool ok = false;
  std::error_code error;
  try {
    Temporary out(fails(SaveStep::CreateTemporary) ? fs::path() : temporary);
    if (out.IsOpen()) {
      // Before any content: a private file never shows its words to others, not even briefly.
      TakeOver(original, temporary);
      const WritePart write = [&out](std::string_view part) { return out.Write(part); };
      ok = !fails(SaveStep::Write) && produce(write) && !fails(SaveStep::Flush) && out.Flush();
      ok = out.Close() && ok && !fails(SaveStep::Close);
    }
    failure = out.Error();
  } catch (...) {  // the content could not be made: nothing of it stays
    fs::remove(temporary, error);
    throw;
  }
  if (ok && !fails(SaveStep::Replace)) {
    fs::rename(temporary, target, error);
    if (!error) {
      FlushFolder(FolderOf(target));
      return;
    }
    failure = error.value();
  }
  fs::remove(temporary, error);
  throw EFCreateError(target, CauseOfErrno(failure));
}

#ifndef _WIN32

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int Get() const { return fd_; }

 private:
  int fd_;
};

bool RegularWithin(const struct stat& info, uint64_t limit) {
  return S_ISREG(info.st_mode) && info.st_size >= 0 && uint64_t(info.st_size) <= limit;
}

// Opens a regular file of at most `limit` bytes for reading; `info` tells its state once open.
// Looked at before opening, and again once open in case the name was swapped meanwhile. Not
// waiting on open matters for a pipe: it would block until something writes to it.
int OpenRegular(const fs::path& path, uint64_t limit, struct stat& info) {
  if (::stat(path.c_str(), &info) != 0 || !RegularWithin(info, limit)) throw EFOpenError(path);
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) throw EFOpenError(path);
  if (::fstat(fd, &info) != 0 || !RegularWithin(info, limit)) {
    ::close(fd);
    throw EFOpenError(path);
  }
  return fd;
}

// One read of up to `size` bytes, tried again when a signal breaks it; 0 at the file's end.
size_t ReadSome(const Descriptor& file, char* into, size_t size, const fs::path& path) {
  for (;;) {
    const ssize_t got = ::read(file.Get(), into, size);
    if (got >= 0) return size_t(got);
    if (errno != EINTR) throw EFOpenError(path);
  }
}

}  // namespace

std::string ReadFileStart(const fs::path& path, size_t count) {
  struct stat info {};
  const Descriptor file(OpenRegular(path, UINT64_MAX, info));
  std::string data(size_t(std::min<uint64_t>(count, uint64_t(info.st_size))), '\0');
  size_t filled = 0;
  while (filled < data.size()) {
    const size_t got = ReadSome(file, data.data() + filled, data.size() - filled, path);
    if (got == 0) break;
    filled += got;
  }
  data.resize(filled);
  return data;
}

namespace {

// Reads a whole file into a buffer that `grow` makes (and makes larger, keeping what it holds,
// should the file have grown since it was looked at); the number of bytes read.
template <typename Grow>
size_t ReadToEnd(const fs::path& path, uint64_t limit, const Grow& grow) {
  struct stat info {};
  const Descriptor file(OpenRegular(path, limit, info));
  // One byte more than the file holds takes the read that finds its end without growing.
  size_t size = size_t(info.st_size) + 1;
  char* data = grow(size);
  size_t filled = 0;
  for (;;) {
    if (filled == size) {
      if (size > limit) throw EFOpenError(path);
      size = std::min<uint64_t>(limit + 1, size + 65536);
      data = grow(size);
    }
    const size_t got = ReadSome(file, data + filled, size - filled, path);
    if (got == 0) break;
    filled += got;
  }
  if (filled > limit) throw EFOpenError(path);
  return filled;
}

}  // namespace

std::string ReadWholeFile(const fs::path& path, uint64_t limit) {
  std::string data;
  data.resize(ReadToEnd(path, limit, [&data](size_t size) {
    data.resize(size);
    return data.data();
  }));
  return data;
}

// A block for a file's bytes, which a large file fills in huge pages (see AllocateLarge).
ByteBlock NewFileBlock(size_t size) {
  return ByteBlock(static_cast<char*>(AllocateLarge(size)));
}

FileBytes ReadWholeFileBytes(const fs::path& path, uint64_t limit) {
  FileBytes bytes;
  size_t held = 0;
  bytes.size = ReadToEnd(path, limit, [&](size_t size) {
    ByteBlock larger = NewFileBlock(size);
    if (held != 0) std::memcpy(larger.get(), bytes.data.get(), held);
    bytes.data = std::move(larger);
    held = size;
    return bytes.data.get();
  });
  return bytes;
}

#else

std::string ReadFileStart(const fs::path& path, size_t count) {
  std::error_code error;
  if (!fs::is_regular_file(fs::status(path, error))) throw EFOpenError(path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFOpenError(path);
  std::string data(count, '\0');
  in.read(data.data(), std::streamsize(count));
  if (in.bad()) throw EFOpenError(path);
  data.resize(size_t(in.gcount()));
  return data;
}

std::string ReadWholeFile(const fs::path& path, uint64_t limit) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  const auto size = fs::file_size(path, error);
  if (error || !fs::is_regular_file(status) || size > limit) throw EFOpenError(path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFOpenError(path);
  std::string data;
  data.resize(size_t(size));
  in.read(data.data(), std::streamsize(size));
  data.resize(size_t(in.gcount()));
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    data.append(buffer, size_t(in.gcount()));
    if (data.size() > limit) throw EFOpenError(path);
  }
  if (in.bad()) throw EFOpenError(path);
  return data;
}

FileBytes ReadWholeFileBytes(const fs::path& path, uint64_t limit) {
  const std::string data = ReadWholeFile(path, limit);
  FileBytes bytes{NewByteBlock(data.size()), data.size()};
  std::memcpy(bytes.data.get(), data.data(), data.size());
  return bytes;
}

#endif

}  // namespace norumi
