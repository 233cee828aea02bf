// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/SpinValue.h"

#include <cstdint>

namespace norumi {
namespace {

int DigitValue(QChar c, int base) {
  const char16_t u = c.unicode();
  int digit = -1;
  if (u >= u'0' && u <= u'9')
    digit = u - u'0';
  else if (u >= u'a' && u <= u'f')
    digit = u - u'a' + 10;
  else if (u >= u'A' && u <= u'F')
    digit = u - u'A' + 10;
  return digit < base ? digit : -1;
}

bool IsHexX(QChar c) {
  return c == u'x' || c == u'X';
}

}  // namespace

std::optional<int> ReadSpinValue(QStringView text) {
  const qsizetype size = text.size();
  qsizetype i = 0;
  while (i < size && (text[i] == u' ' || text[i] == u'\t')) ++i;
  bool negative = false;
  if (i < size && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';

  int base = 10;
  if (i < size && (text[i] == u'$' || IsHexX(text[i]))) {
    base = 16;
    i += 1;
  } else if (i + 1 < size && text[i] == u'0' && IsHexX(text[i + 1])) {
    base = 16;
    i += 2;
  }
  if (i == size) return std::nullopt;

  const uint64_t limit = base == 16 ? UINT32_MAX : negative ? 2147483648u : INT32_MAX;
  uint64_t magnitude = 0;
  for (; i < size; ++i) {
    const int digit = DigitValue(text[i], base);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return std::nullopt;
  }
  // Modular arithmetic on 32 bits covers both the decimal minimum and negated hexadecimal.
  uint32_t bits = static_cast<uint32_t>(magnitude);
  if (negative) bits = 0u - bits;
  return static_cast<int32_t>(bits);
}

}  // namespace norumi
