// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/TextEscapes.h"

namespace norumi {

constexpr cp932::AsciiForms kTsvAscii = [] {
  cp932::AsciiForms ascii;
  for (int c = 0; c < 128; ++c)
    if (const char letter = TsvEscapeLetter(char16_t(c))) {
      const char escaped[] = {'\\', letter};
      ascii.Set(char(c), {escaped, 2});
    }
  return ascii;
}();

constexpr cp932::AsciiForms kJsonAscii = [] {
  cp932::AsciiForms ascii;
  constexpr char kHex[] = "0123456789ABCDEF";
  for (int c = 0; c < 128; ++c)
    if (c < 0x20 || c == 0x7F) {
      const char escaped[] = {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 0xF]};
      ascii.Set(char(c), {escaped, 6});
    }
  ascii.Set('"', "\\\"").Set('\\', "\\\\");
  return ascii;
}();

}  // namespace norumi
