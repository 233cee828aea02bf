#include "platform/text/WordFileName.h"

#include <QRegularExpression>

#include "platform/text/Cp932.h"

namespace norumi {

bool IsPlainFileName(const QString& name) {
  if (name.isEmpty() || name == "." || name == "..") return false;
  for (const QChar c : name) {
    if (c.unicode() < 0x20 || QStringLiteral("\\/:*?\"<>|").contains(c)) return false;
  }
  if (name.endsWith('.') || name.endsWith(' ')) return false;
  // Windows reserves these device names whatever the extension.
  static const QRegularExpression device(
      QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
      QRegularExpression::CaseInsensitiveOption);
  return !device.match(name).hasMatch();
}

std::optional<std::filesystem::path> WordFilePath(const std::filesystem::path& folder,
                                                  const std::string& nameCp932) {
  const QString name = FromCp932(nameCp932);
  if (!IsPlainFileName(name) || name.contains(QChar::ReplacementCharacter)) return std::nullopt;
  return folder / ToPath(name + QStringLiteral(".wbk"));
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
