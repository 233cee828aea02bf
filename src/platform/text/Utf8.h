// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace norumi {

// Writes the UTF-8 of `c`, a UTF-16 unit that is no surrogate, at `at`; the end of what it
// wrote (one to three bytes).
inline char* PutUtf8(char* at, char16_t c) {
  if (c < 0x80) {
    *at++ = char(c);
  } else if (c < 0x800) {
    *at++ = char(0xC0 | c >> 6);
    *at++ = char(0x80 | (c & 0x3F));
  } else {
    *at++ = char(0xE0 | c >> 12);
    *at++ = char(0x80 | (c >> 6 & 0x3F));
    *at++ = char(0x80 | (c & 0x3F));
  }
  return at;
}

}  // namespace norumi
