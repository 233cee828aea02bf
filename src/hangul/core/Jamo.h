// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "hangul/core/CodeKinds.h"

namespace norumi::jamo {

// The consonants in the order of the syllables' initials (U+AC00 + initial × 588).
enum Consonant : int8_t {
  kG,
  kKK,
  kN,
  kD,
  kTT,
  kR,
  kM,
  kB,
  kPP,
  kS,
  kSS,
  kNg,
  kJ,
  kJJ,
  kCh,
  kK,
  kT,
  kP,
  kH,
  kNone = -1
};

// The vowels in the order of the syllables' vowels (× 28).
enum Vowel : int8_t {
  kA,
  kAe,
  kYa,
  kYae,
  kEo,
  kE,
  kYeo,
  kYe,
  kO,
  kWa,
  kWae,
  kOe,
  kYo,
  kU,
  kWo,
  kWe,
  kWi,
  kYu,
  kEu,
  kUi,
  kI
};

// A final as up to two consonants: 값 holds ㅂ then ㅅ, 국 holds ㄱ and none. Finals are kept
// apart like this because linking moves only the second of two into the next syllable.
struct Final {
  Consonant first = kNone;
  Consonant second = kNone;

  bool empty() const { return first == kNone; }
  bool single() const { return first != kNone && second == kNone; }
  bool operator==(const Final&) const = default;
};

struct Syllable {
  Consonant initial = kNg;
  Vowel vowel = kA;
  Final final;
};

constexpr bool IsSyllable(int32_t code) {
  return code >= kFirstSyllable && code <= kLastSyllable;
}

Syllable Split(int32_t syllableCode);
int32_t Join(const Syllable& s);

// The final a letter (U+3131 ㄱ to U+314E ㅎ) stands for in the word list's patterns; none for
// any other code.
Final FinalOfLetter(int32_t code);

}  // namespace norumi::jamo
