// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text/CodeLines.h"

#include <QStringList>

#include "platform/text/Cp932.h"

namespace norumi {

TextLines CodeLines(const QString& text) {
  TextLines lines;
  QStringList pieces = text.split(QLatin1Char('\n'));
  // A line break ends the line before it; it does not begin another, empty one.
  if (pieces.size() > 1 && pieces.back().isEmpty()) pieces.removeLast();
  for (QString line : pieces) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    const std::optional<std::string> bytes = ToCp932(line);
    lines.push_back(bytes ? *bytes : line.toUtf8().toStdString());
  }
  return lines;
}

}  // namespace norumi
