// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/WordFolder.h"

#include <algorithm>

#include "platform/text/Cp932.h"
#include "platform/text/WordFileName.h"
#include "storage/FileErrors.h"
#include "storage/SafeSave.h"

namespace norumi {

namespace {

// A teacher's ID is one short line; a larger teach.txt is none of ours.
constexpr uint64_t kMaxTeachFile = 64 * 1024;

}  // namespace

std::optional<std::string> ReadTeacherId(const std::filesystem::path& folder) {
  // Read through the reader that never waits and never reads without bound: the selection window
  // reads the ID while it holds a word file's lock.
  std::string line;
  try {
    line = ReadWholeFile(folder / "teach.txt", kMaxTeachFile);
  } catch (const EFileError&) {
    return std::nullopt;
  }
  // A line ends at CR, LF or CR LF. Neither byte can be the second byte of a CP932 character.
  line.erase(std::min(line.find_first_of("\r\n"), line.size()));
  return line;
}

std::string ReadTeacherIdBytes(const std::filesystem::path& folder) {
  return ReadTeacherId(folder).value_or(std::string());
}

std::optional<std::filesystem::path> ListedFilePath(const std::filesystem::path& folder,
                                                    const QString& name) {
  const std::optional<std::string> bytes = ToCp932(name);
  if (!bytes) return std::nullopt;
  return WordFilePath(folder, *bytes);
}

QString ListedName(const std::filesystem::path& file) {
#ifdef _WIN32
  return FromPath(file.filename());
#else
  const std::string bytes = file.filename().native();
  const QString text = QString::fromUtf8(bytes);
  if (text.toUtf8().toStdString() == bytes) return text;
  return FromCp932(bytes);
#endif
}

const std::string& CombinedTitle() {
  static const std::string title = ToCp932(kCombinedTitle).value();
  return title;
}

}  // namespace norumi
