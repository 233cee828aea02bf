#include "model/SafeSave.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <random>
#include <system_error>
#include <vector>

#include "model/FileErrors.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace norumi {

namespace fs = std::filesystem;

std::string FileNameTag(const fs::path& file) {
  // FNV-1a: stable across builds and machines, so every writer finds the same names.
  uint64_t hash = 0xCBF29CE484222325ull;
  for (char8_t c : file.filename().u8string()) {
#ifdef _WIN32
    // Names that differ only in case are one file there.
    if (c >= u8'A' && c <= u8'Z') c = char8_t(c - u8'A' + u8'a');
#endif
    hash = (hash ^ uint8_t(c)) * 0x100000001B3ull;
  }
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
  return text;
}

namespace {

fs::path FolderOf(const fs::path& file) {
  return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

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
#ifndef _WIN32
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
    throw EFCreateError(target);
#ifndef _WIN32
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) {
    original.owner = info.st_uid;
    original.group = info.st_gid;
    if (S_ISREG(info.st_mode) && ::access(target.c_str(), W_OK) != 0) throw EFCreateError(target);
  }
#endif
  return original;
}

void TakeOver(const Original& original, const fs::path& temporary) {
  if (!original.exists) return;
  std::error_code error;
  fs::permissions(temporary, original.perms & fs::perms::mask, fs::perm_options::replace, error);
#ifndef _WIN32
  // Only a privileged process may give a file away; anyone else keeps it as their own.
  if (::chown(temporary.c_str(), original.owner, original.group) != 0) {
    [[maybe_unused]] const int ignored = ::chown(temporary.c_str(), uid_t(-1), original.group);
  }
#endif
}

}  // namespace

void SaveFileReplacing(const fs::path& target, std::string_view bytes, const SaveFault& fault) {
  const auto fails = [&](SaveStep step) { return fault && fault(step); };
  const Original original = Inspect(target);
  RemoveStaleTemporaries(target);
  const auto temporary = TemporaryBeside(target);
  bool ok = false;
  {
    std::ofstream out;
    if (!fails(SaveStep::CreateTemporary)) out.open(temporary, std::ios::binary | std::ios::trunc);
    if (out.is_open()) {
      // Before any content: a private file never shows its words to others, not even briefly.
      TakeOver(original, temporary);
      if (!fails(SaveStep::Write)) out.write(bytes.data(), std::streamsize(bytes.size()));
      ok = !fails(SaveStep::Write) && out.good();
      out.close();
      ok = ok && !fails(SaveStep::Close) && !out.fail();
    }
  }
  std::error_code error;
  if (ok && !fails(SaveStep::Replace)) {
    fs::rename(temporary, target, error);
    if (!error) return;
  }
  fs::remove(temporary, error);
  throw EFCreateError(target);
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

}  // namespace

std::string ReadWholeFile(const fs::path& path, uint64_t limit) {
  // Looked at before opening, and again once open in case the name was swapped meanwhile. Not
  // waiting on open matters for a pipe: it would block until something writes to it.
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !RegularWithin(info, limit)) throw EFOpenError(path);
  const Descriptor file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
  if (file.Get() < 0 || ::fstat(file.Get(), &info) != 0 || !RegularWithin(info, limit))
    throw EFOpenError(path);
  std::string data(size_t(info.st_size), '\0');
  size_t filled = 0;
  for (;;) {
    // The file may have grown since it was looked at: read on to its end, within the limit.
    if (filled == data.size()) {
      if (data.size() > limit) throw EFOpenError(path);
      data.resize(std::min<uint64_t>(limit + 1, data.size() + 65536));
    }
    const ssize_t got = ::read(file.Get(), data.data() + filled, data.size() - filled);
    if (got == 0) break;
    if (got < 0) {
      if (errno == EINTR) continue;
      throw EFOpenError(path);
    }
    filled += size_t(got);
  }
  if (filled > limit) throw EFOpenError(path);
  data.resize(filled);
  return data;
}

#else

std::string ReadWholeFile(const fs::path& path, uint64_t limit) {
  std::error_code error;
  const fs::file_status status = fs::status(path, error);
  const auto size = fs::file_size(path, error);
  if (error || !fs::is_regular_file(status) || size > limit) throw EFOpenError(path);
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EFOpenError(path);
  std::string data(size_t(size), '\0');
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

#endif

}  // namespace norumi
