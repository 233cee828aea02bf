// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "storage/ByteBlock.h"
#include "storage/FileErrors.h"

namespace norumi {

// The steps of replacing a file. A test hands in a fault that makes one of them fail, to show
// that every failure leaves the old file as it was.
enum class SaveStep { CreateTemporary, Write, Flush, Close, Replace };
using SaveFault = std::function<bool(SaveStep)>;

// Writes `bytes` completely to a temporary file beside `target`, flushes it to the disk, then
// puts it in the place of `target`, which keeps its permissions (and its owner where the process
// may set it), and flushes the folder that records the change. A target that nobody may write
// to is refused. Temporaries that an interrupted save of the same target left behind are
// removed first. On any failure the temporary file is removed, `target` stays untouched, and
// EFCreateError naming `target` and the cause is thrown.
void SaveFileReplacing(const std::filesystem::path& target, std::string_view bytes,
                       const SaveFault& fault = {});
// The same for content made as it is written: `produce` hands its parts to the writer in order
// and returns false as soon as one could not be written.
void SaveFileReplacing(const std::filesystem::path& target,
                       const std::function<bool(const WritePart&)>& produce,
                       const SaveFault& fault = {});

// The file a save of the word file `path` writes: a symbolic link to a regular file of the same
// folder is followed, so that the save reaches that file and the link stays a link; anything
// else is `path` itself (a link that leads elsewhere is refused as no regular file).
std::filesystem::path SaveTargetOf(const std::filesystem::path& path);

#ifndef _WIN32
// Whether this user may remove or replace a file owned by `owner` in `folder`, given that it
// may write the folder: in a folder with the sticky bit (as /tmp and many shared folders have)
// only the file's owner, the folder's owner and the administrator may.
bool MayReplaceIn(const std::filesystem::path& folder, uint32_t owner);
#endif

// What stands in the way of saving `target` before anything is tried: a folder or a file that
// cannot be written, a name too long for the file system, something other than a file under
// the name. None when a save may go ahead (it can still fail, on a full disk say).
std::optional<FileCause> WriteObstacle(const std::filesystem::path& target);

// Nothing larger is read: no word file comes near it, and a file that claims more would only
// exhaust the memory.
inline constexpr uint64_t kMaxReadBytes = uint64_t(1) << 30;

// Reads a whole regular file. Throws EFOpenError when it cannot be read, when it is anything but
// a regular file (a pipe, a device: opening never waits for a writer) or larger than
// `limit`.
std::string ReadWholeFile(const std::filesystem::path& path, uint64_t limit = kMaxReadBytes);

// A file's bytes in a block of their own, which never moves and was never filled before the
// file was read into it.
struct FileBytes {
  ByteBlock data;
  size_t size = 0;
};
// Reads as ReadWholeFile does.
FileBytes ReadWholeFileBytes(const std::filesystem::path& path, uint64_t limit = kMaxReadBytes);

// The first `count` bytes of a regular file (fewer when it is shorter), read as ReadWholeFile
// reads: never waiting on a pipe or a device, which throw EFOpenError like a missing file.
std::string ReadFileStart(const std::filesystem::path& path, size_t count);

// The folder that holds `file`: "." for a bare name.
std::filesystem::path FolderOf(const std::filesystem::path& file);

// Sixteen hex digits that stand for the name of `file` in the names of the files that go with
// it (its temporaries, its lock): those names never hold the word-file extension, in any case,
// whatever `file` is called, and stay short however long its name is.
std::string FileNameTag(const std::filesystem::path& file);

}  // namespace norumi
