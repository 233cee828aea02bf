#pragma once

#include <string>
#include <string_view>

#include "model/Tango.h"

namespace norumi {

// Unicode text: one code per UTF-16 unit, up to a terminating 0 unit. Every unit becomes a code,
// whatever it is (line breaks, Latin letters and surrogates included).
HangulCodes UnicodeTextToCodes(std::u16string_view text);
// The low 16 bits of every code but 0, which stands for no character.
std::u16string CodesToUnicodeText(const HangulCodes& codes);

}  // namespace norumi
