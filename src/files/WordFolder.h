// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <filesystem>
#include <optional>
#include <string>

#include "model/TangoList.h"

namespace norumi {

// The teacher's creator ID: the first line of teach.txt as raw CP932 bytes, compared byte for
// byte with the creator stored in word files. None when the folder holds no teach.txt that can
// be read at once: missing, anything but a regular file (a pipe, a device, a folder) or larger
// than a line of ID could need. The program is in teacher mode exactly when there is an ID.
std::optional<std::string> ReadTeacherId(const std::filesystem::path& folder);
// The same, empty when there is none.
std::string ReadTeacherIdBytes(const std::filesystem::path& folder);

// The word file a listed name stands for. Empty for a name that cannot be a word file of the
// folder (one found in a sub-folder with an odd name, or one CP932 cannot hold): such an entry
// is handled like a missing file, so nothing outside the folder is ever touched.
std::optional<std::filesystem::path> ListedFilePath(const std::filesystem::path& folder,
                                                    const QString& name);

// The name a listing shows for `file`: the file name as text. A name whose bytes are not UTF-8
// (unpacked from an archive made on Windows, say) is read as CP932.
QString ListedName(const std::filesystem::path& file);

// The reserved title of a list merged from several files, in CP932.
const std::string& CombinedTitle();
inline const QString kCombinedTitle = QStringLiteral("複合問題");

// Refusals shared by the selection window and its options.
inline const QString kOtherCreator = QStringLiteral("作成者が違うので設定できません");
inline const QString kOptionCaption = QStringLiteral("オプション");
inline const QString kNameNotUsable = QStringLiteral("この名前は使用できません");
inline const QString kAlreadyExists = QStringLiteral("すでに存在しています");

}  // namespace norumi
