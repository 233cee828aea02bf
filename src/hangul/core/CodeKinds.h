// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>

#include "model/Tango.h"

namespace norumi {

// What a code of a Korean word shows. Only Korean has a picture (the program draws no font):
// the precomposed syllables, and the keyboard's lone consonants and vowels, which are the
// conjoining initials and vowels.
inline constexpr int32_t kFirstSyllable = 0xAC00, kLastSyllable = 0xD7A3;
inline constexpr int32_t kFirstConsonant = 0x1100, kLastConsonant = 0x1112;
inline constexpr int32_t kFirstVowel = 0x1161, kLastVowel = 0x1175;

constexpr bool IsDrawnCode(int32_t code) {
  return (code >= kFirstSyllable && code <= kLastSyllable) ||
         (code >= kFirstConsonant && code <= kLastConsonant) ||
         (code >= kFirstVowel && code <= kLastVowel);
}

// A word with nothing to see has nothing to ask and nothing to answer.
inline bool DrawsSomething(const HangulCodes& codes) {
  return std::any_of(codes.begin(), codes.end(), IsDrawnCode);
}

// Characters other programs put between letters to steer line breaking or joining; they show
// nothing, but each would take a cell of its own.
constexpr bool IsZeroWidthCode(int32_t code) {
  return (code >= 0x200B && code <= 0x200D) || code == 0xFEFF;
}

// What a copied text brings along around a word without the learner seeing it: spaces of every
// width, tabs, line and page breaks, zero-width characters, and the 0 codes that stand for nothing.
constexpr bool IsBlankCode(int32_t code) {
  return code == 0 || code == ' ' || (code >= '\t' && code <= '\r') || code == 0x00A0 ||
         code == 0x3000 || IsZeroWidthCode(code);
}

}  // namespace norumi
