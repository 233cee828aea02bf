#include "platform/text/WordFileName.h"

#include <QRegularExpression>

#include "platform/text/Cp932.h"

namespace norumi {

bool IsPlainFileName(const QString& name) {
  if (name.isEmpty() || name == "." || name == "..") return false;
  for (const QChar c : name) {
    if (c.unicode() < 0x20 || c.unicode() == 0x7F || QStringLiteral("\\/:*?\"<>|").contains(c))
      return false;
  }
  if (name.endsWith('.') || name.endsWith(' ')) return false;
  // Windows reserves these device names whatever the extension.
  static const QRegularExpression device(
      QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
      QRegularExpression::CaseInsensitiveOption);
  return !device.match(name).hasMatch();
}

namespace {

// The file of the folder called `name` with the extension ".wbk" in any case, as the listing
// finds it; the first in name order when several differ only there. None when there is none.
std::optional<std::filesystem::path> WithExtensionInAnyCase(const std::filesystem::path& folder,
                                                            const QString& name) {
  std::error_code error;
  std::optional<std::filesystem::path> found;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    const QString file = FromPath(entry->path().filename());
    if (file.size() != name.size() + 4 || !file.startsWith(name) ||
        file.right(4).compare(QLatin1String(".wbk"), Qt::CaseInsensitive) != 0)
      continue;
    if (!found || entry->path() < *found) found = entry->path();
  }
  return found;
}

}  // namespace

std::optional<std::filesystem::path> WordFilePath(const std::filesystem::path& folder,
                                                  const std::string& nameCp932) {
  const std::optional<QString> name = FromCp932Exactly(nameCp932);
  if (!name || !IsPlainFileName(*name) || name->contains(QChar::ReplacementCharacter))
    return std::nullopt;
  std::filesystem::path path = folder / ToPath(*name + QStringLiteral(".wbk"));
  std::error_code error;
  // On a file system that tells cases apart, Upper.WBK is still the word file "Upper".
  if (!std::filesystem::exists(std::filesystem::symlink_status(path, error)))
    return WithExtensionInAnyCase(folder, *name).value_or(std::move(path));
  return path;
}

std::filesystem::path ToPath(const QString& text) {
#ifdef _WIN32
  return std::filesystem::path(text.toStdWString());
#else
  return std::filesystem::path(text.toLocal8Bit().toStdString());
#endif
}

QString FromPath(const std::filesystem::path& path) {
#ifdef _WIN32
  return QString::fromStdWString(path.wstring());
#else
  return QString::fromLocal8Bit(path.string());
#endif
}

}  // namespace norumi
