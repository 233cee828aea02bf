// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "model/Tango.h"

namespace norumi {

// A code as UTF-8; a code that is no character (a surrogate, a negative or too large number)
// becomes U+FFFD, so that what is written is always valid text.
void AppendUtf8(int32_t code, std::string& out);

// The codes of UTF-8 text, one per character; a byte that starts no valid sequence reads as
// U+FFFD and reading goes on after it.
HangulCodes CodesFromUtf8(std::string_view text);

}  // namespace norumi
