// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace norumi {

// True when `name` can stand as a file name of its own in the program's folder on every system
// the program runs on: not empty, no control character, no path separator, not "." or "..", no
// drive or device name, no character Windows refuses in names, no trailing dot or space.
bool IsPlainFileName(std::u16string_view name);

// The extension of word files, the one spelling of it; a file has it in any case.
inline constexpr std::u16string_view kWordFileExtension = u".wbk";

// Whether `file` has the extension ".wbk", in any case.
bool HasWordFileExtension(const std::filesystem::path& file);

// The one place where a word file's name becomes a path: folder + name + ".wbk". `name` is the
// CP932 title; it is checked as decoded text, since the second byte of 表 or ソ is the byte of a
// backslash. Empty when the name would leave the folder, or when its bytes do not convert to
// text and back exactly (two titles would share one file). An existing file whose extension
// differs only in case ("Upper.WBK") is the file of that name; on Windows, where any difference
// in case names the same file, the existing file under the name it has.
std::optional<std::filesystem::path> WordFilePath(const std::filesystem::path& folder,
                                                  const std::string& nameCp932);

}  // namespace norumi
