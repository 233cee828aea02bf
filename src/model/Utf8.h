// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "model/Tango.h"

namespace norumi {

// Whether `code` is a character UTF-8 can hold: no surrogate, no negative or too large number.
constexpr bool IsCharacter(int32_t code) {
  return code >= 0 && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
}

// A code as UTF-8; a code that is no character (a surrogate, a negative or too large number)
// becomes U+FFFD, so that what is written is always valid text.
void AppendUtf8(int32_t code, std::string& out);

// The codes of UTF-8 text, one per character; a byte that starts no valid sequence reads as
// U+FFFD and reading goes on after it.
HangulCodes CodesFromUtf8(std::string_view text);

}  // namespace norumi
