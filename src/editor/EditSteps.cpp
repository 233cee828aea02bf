// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/EditSteps.h"

namespace norumi {

HangulCodes RegisteredCodes(const HangulCodes& composed) {
  HangulCodes codes(composed.cbegin(), ShownEnd(composed));
  if (!codes.empty()) codes.push_back(0);
  return codes;
}

int32_t ParseJumpIndex(const QString& text) {
  bool isNumber = false;
  const int value = text.trimmed().toInt(&isNumber, 10);
  return isNumber ? value : -1;
}

QString MemoText(const QString& stored) {
  QString text = stored;
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

QString StoredText(const QString& memo) {
  QString text = MemoText(memo);
  text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
  return text;
}

}  // namespace norumi
