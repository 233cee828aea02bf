// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <filesystem>

#include "platform/text/WordFilePath.h"

namespace norumi {

// A path from a Qt string, and back, in the file system's own encoding.
std::filesystem::path ToPath(const QString& text);
QString FromPath(const std::filesystem::path& path);

}  // namespace norumi
