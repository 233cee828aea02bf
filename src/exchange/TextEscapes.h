// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/text/Cp932Tables.h"

namespace norumi {

// The letter that stands after a backslash for a character of a tab-separated column: the
// backslash, the tab, the line break and the carriage return; 0 for any other character.
constexpr char TsvEscapeLetter(char16_t c) {
  switch (c) {
    case '\\':
      return '\\';
    case '\t':
      return 't';
    case '\n':
      return 'n';
    case '\r':
      return 'r';
    default:
      return 0;
  }
}

// The ASCII characters of a stored text as a column of tab-separated text writes them (see
// AppendTsvEscaped), for converting it and escaping it in one pass.
extern const cp932::AsciiForms kTsvAscii;
// The same inside a JSON string: the quote and the backslash after a backslash, the controls
// and DEL as "\u00XX" in capitals.
extern const cp932::AsciiForms kJsonAscii;

}  // namespace norumi
