// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/text/Cp932Validator.h"

#include <utility>

#include "platform/text/Cp932.h"

namespace norumi {

Cp932Validator::Cp932Validator(QObject* parent, Dropped dropped)
    : QValidator(parent), dropped_(std::move(dropped)) {}

QValidator::State Cp932Validator::validate(QString& input, int& pos) const {
  if (FirstNonCp932(input) < 0) return Acceptable;
  if (!dropped_) return Invalid;
  QString kept;
  QString left;
  int leftBeforeCursor = 0;
  for (qsizetype i = 0; i < input.size();) {
    const qsizetype length = input.at(i).isHighSurrogate() && i + 1 < input.size() ? 2 : 1;
    const QString character = input.mid(i, length);
    if (ToCp932(character)) {
      kept += character;
    } else {
      if (!left.contains(character)) left += character;
      if (i + length <= pos) leftBeforeCursor += int(length);
    }
    i += length;
  }
  input = kept;
  pos -= leftBeforeCursor;
  dropped_(left);
  return Acceptable;
}

}  // namespace norumi
