// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/core/Compose.h"

namespace norumi {

namespace {

constexpr int32_t kFirstSyllable = 0xAC00, kLastSyllable = 0xD7A3;
constexpr int32_t kFirstInitial = 0x1100, kInitials = 19;
constexpr int32_t kFirstVowel = 0x1161, kVowels = 21;
constexpr int32_t kBeforeFirstFinal = 0x11A7, kFinals = 28;  // final 0 is "no final"

bool InRange(int32_t code, int32_t first, int32_t count) {
  return code >= first && code < first + count;
}

bool IsSyllableWithoutFinal(int32_t code) {
  return code >= kFirstSyllable && code <= kLastSyllable && (code - kFirstSyllable) % kFinals == 0;
}

}  // namespace

HangulCodes ComposeJamo(HangulCodes codes) {
  size_t kept = 0;  // codes[0, kept) is the composed text so far
  for (const int32_t code : codes) {
    const int32_t last = kept > 0 ? codes[kept - 1] : 0;
    if (InRange(last, kFirstInitial, kInitials) && InRange(code, kFirstVowel, kVowels)) {
      codes[kept - 1] =
          kFirstSyllable + ((last - kFirstInitial) * kVowels + (code - kFirstVowel)) * kFinals;
    } else if (IsSyllableWithoutFinal(last) && InRange(code, kBeforeFirstFinal + 1, kFinals - 1)) {
      codes[kept - 1] = last + (code - kBeforeFirstFinal);
    } else {
      codes[kept++] = code;
    }
  }
  codes.resize(kept);
  return codes;
}

}  // namespace norumi
