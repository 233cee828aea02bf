// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text/WordFileName.h"

namespace norumi {

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
