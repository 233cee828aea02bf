#include "files/WordFolder.h"

#include <algorithm>
#include <fstream>

#include "platform/text/Cp932.h"
#include "platform/text/WordFileName.h"

namespace norumi {

std::string ReadTeacherIdBytes(const std::filesystem::path& folder) {
  std::ifstream in(folder / "teach.txt", std::ios::binary);
  std::string line;
  std::getline(in, line);
  // A line ends at CR, LF or CR LF. Neither byte can be the second byte of a CP932 character.
  line.erase(std::min(line.find('\r'), line.size()));
  return line;
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
