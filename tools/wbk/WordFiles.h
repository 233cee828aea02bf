// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "model/TangoList.h"

namespace norumi::wbk {

// Loads a word file that must exist: a missing one is a Failure naming the path. Damage is
// returned, not thrown, since some commands go on with what could be read.
LoadStatus LoadExisting(TTangoList& list, const std::filesystem::path& path);

// The title a word file made at `path` takes: its file name without ".wbk", in CP932. A name
// that cannot be a title is refused as `where`.
std::string TitleFromFileName(const std::filesystem::path& path, std::string_view where);

// Refuses a title the program could not use as a word file's name in its folder.
void RequireUsableTitle(const std::string& titleCp932, std::string_view where);

}  // namespace norumi::wbk
