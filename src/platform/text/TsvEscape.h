// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

}  // namespace norumi
