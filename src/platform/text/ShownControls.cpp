// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text/ShownControls.h"

#include <QDir>

#include "platform/text/WordFileName.h"

namespace norumi {

namespace {

QString Shown(const QString& text, bool keepLineBreaks) {
  const auto escaped = [&](qsizetype i) {
    const char16_t c = text.at(i).unicode();
    if (!IsShownEscaped(c)) return false;
    if (!keepLineBreaks) return true;
    return c != u'\n' && !(c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n');
  };
  // No surrogate is among the escaped characters, so a pair passes unit by unit.
  qsizetype i = 0;
  while (i < text.size() && !escaped(i)) ++i;
  if (i == text.size()) return text;
  QString shown = text.left(i);
  for (; i < text.size(); ++i) {
    const char16_t c = text.at(i).unicode();
    if (!escaped(i))
      shown += QChar(c);
    else if (c < 0x80)
      shown += QStringLiteral("\\x%1").arg(uint(c), 2, 16, QLatin1Char('0'));
    else
      shown += QStringLiteral("\\u%1").arg(uint(c), 4, 16, QLatin1Char('0'));
  }
  return shown;
}

}  // namespace

QString ShowControls(const QString& text) {
  return Shown(text, false);
}

QString ShowControlsInLines(const QString& text) {
  return Shown(text, true);
}

QString ShownPath(const std::filesystem::path& path) {
  return ShowControls(QDir::toNativeSeparators(FromPath(path)));
}

}  // namespace norumi
