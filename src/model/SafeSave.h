#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

namespace norumi {

// The steps of replacing a file. A test hands in a fault that makes one of them fail, to show
// that every failure leaves the old file as it was.
enum class SaveStep { CreateTemporary, Write, Close, Replace };
using SaveFault = std::function<bool(SaveStep)>;

// Writes `bytes` completely to a temporary file beside `target`, then puts it in the place of
// `target`, which keeps its permissions (and its owner where the process may set it). A target
// that nobody may write to is refused. Temporaries that an interrupted save of the same target
// left behind are removed first. On any failure the temporary file is removed, `target` stays
// untouched, and EFCreateError naming `target` is thrown.
void SaveFileReplacing(const std::filesystem::path& target, std::string_view bytes,
                       const SaveFault& fault = {});

// Nothing larger is read: no word file comes near it, and a file that claims more would only
// exhaust the memory.
inline constexpr uint64_t kMaxReadBytes = uint64_t(1) << 30;

// Reads a whole regular file. Throws EFOpenError when it cannot be read, when it is anything but
// a regular file (a pipe, a device: opening never waits for a writer) or larger than
// `limit`.
std::string ReadWholeFile(const std::filesystem::path& path, uint64_t limit = kMaxReadBytes);

// Sixteen hex digits that stand for the name of `file` in the names of the files that go with
// it (its temporaries, its lock): those names never hold the word-file extension, in any case,
// whatever `file` is called, and stay short however long its name is.
std::string FileNameTag(const std::filesystem::path& file);

}  // namespace norumi
