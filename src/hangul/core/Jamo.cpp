// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/core/Jamo.h"

namespace norumi::jamo {

namespace {

// The 27 finals of the syllable order (index 1 to 27), as their consonants.
constexpr Final kFinals[28] = {
    {},       {kG},     {kKK},    {kG, kS}, {kN},     {kN, kJ}, {kN, kH}, {kD}, {kR},     {kR, kG},
    {kR, kM}, {kR, kB}, {kR, kS}, {kR, kT}, {kR, kP}, {kR, kH}, {kM},     {kB}, {kB, kS}, {kS},
    {kSS},    {kNg},    {kJ},     {kCh},    {kK},     {kT},     {kP},     {kH},
};

int FinalIndex(const Final& f) {
  for (int i = 0; i < 28; ++i)
    if (kFinals[i] == f) return i;
  // A pair that is no final of the script cannot arise from the rules; keep its first sound.
  for (int i = 0; i < 28; ++i)
    if (kFinals[i] == Final{f.first}) return i;
  return 0;
}

}  // namespace

Syllable Split(int32_t code) {
  const int32_t index = code - kFirstSyllable;
  return {Consonant(index / 588), Vowel(index / 28 % 21), kFinals[index % 28]};
}

int32_t Join(const Syllable& s) {
  return kFirstSyllable + s.initial * 588 + s.vowel * 28 + FinalIndex(s.final);
}

Final FinalOfLetter(int32_t code) {
  // U+3131 ㄱ … U+314E ㅎ, the letters as the keyboard names them; ㄸ ㅃ ㅉ end no syllable.
  constexpr int8_t kLetterFinal[30] = {1,  2,  3,  4,  5,  6,  7,  -1, 8,  9,  10, 11, 12, 13, 14,
                                       15, 16, 17, -1, 18, 19, 20, 21, 22, -1, 23, 24, 25, 26, 27};
  if (code < 0x3131 || code > 0x314E) return {};
  const int index = kLetterFinal[code - 0x3131];
  return index < 0 ? Final{} : kFinals[index];
}

}  // namespace norumi::jamo
