// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The composition rules of the Hangul keyboard as data, so that a wrong rule is a wrong row.

#include <array>
#include <cstdint>

namespace norumi::kbd {

inline constexpr int kFirstConsonantTag = 1;
inline constexpr int kLastConsonantTag = 19;
inline constexpr int kFirstVowelTag = 50;
inline constexpr int kLastVowelTag = 70;

// Final index (0 to 27) of a syllable ending in the consonant whose tag is the row number;
// 0 for the doubled consonants that only ever start a syllable.
inline constexpr std::array<int8_t, kLastConsonantTag + 1> kSingleFinal = {
    0,   // no consonant
    1,   // ㄱ
    2,   // ㄲ
    4,   // ㄴ
    7,   // ㄷ
    0,   // ㄸ
    8,   // ㄹ
    16,  // ㅁ
    17,  // ㅂ
    0,   // ㅃ
    19,  // ㅅ
    20,  // ㅆ
    21,  // ㅇ
    22,  // ㅈ
    0,   // ㅉ
    23,  // ㅊ
    24,  // ㅋ
    25,  // ㅌ
    26,  // ㅍ
    27,  // ㅎ
};

struct TCompoundFinal {
  int8_t First;   // consonant tag already pending as the final
  int8_t Second;  // consonant tag typed after it
  int8_t Final;   // final index of the pair
};

inline constexpr TCompoundFinal kCompoundFinals[] = {
    {1, 10, 3},   // ㄱ ㅅ: ㄳ
    {3, 13, 5},   // ㄴ ㅈ: ㄵ
    {3, 19, 6},   // ㄴ ㅎ: ㄶ
    {6, 1, 9},    // ㄹ ㄱ: ㄺ
    {6, 7, 10},   // ㄹ ㅁ: ㄻ
    {6, 8, 11},   // ㄹ ㅂ: ㄼ
    {6, 10, 12},  // ㄹ ㅅ: ㄽ
    {6, 17, 13},  // ㄹ ㅌ: ㄾ
    {6, 18, 14},  // ㄹ ㅍ: ㄿ
    {6, 19, 15},  // ㄹ ㅎ: ㅀ
    {8, 10, 18},  // ㅂ ㅅ: ㅄ
};

// A combined vowel is not in the Pending column, so it never combines again.
struct TCompoundVowel {
  int8_t Pending;   // vowel tag of the syllable being composed
  int8_t Added;     // vowel tag typed after it
  int8_t Combined;  // tag of the compound vowel
};

inline constexpr TCompoundVowel kCompoundVowels[] = {
    {58, 50, 59},  // ㅗ ㅏ: ㅘ
    {58, 51, 60},  // ㅗ ㅐ: ㅙ
    {58, 70, 61},  // ㅗ ㅣ: ㅚ
    {63, 54, 64},  // ㅜ ㅓ: ㅝ
    {63, 55, 65},  // ㅜ ㅔ: ㅞ
    {63, 70, 66},  // ㅜ ㅣ: ㅟ
    {68, 70, 69},  // ㅡ ㅣ: ㅢ
};

struct TKeyLetter {
  char Letter;
  int8_t Tag;
};

// The physical keys of the on-screen keyboard, unshifted.
inline constexpr TKeyLetter kKeyLetters[] = {
    {'r', 1},   // ㄱ
    {'s', 3},   // ㄴ
    {'e', 4},   // ㄷ
    {'f', 6},   // ㄹ
    {'a', 7},   // ㅁ
    {'q', 8},   // ㅂ
    {'t', 10},  // ㅅ
    {'d', 12},  // ㅇ
    {'w', 13},  // ㅈ
    {'c', 15},  // ㅊ
    {'z', 16},  // ㅋ
    {'x', 17},  // ㅌ
    {'v', 18},  // ㅍ
    {'g', 19},  // ㅎ
    {'k', 50},  // ㅏ
    {'o', 51},  // ㅐ
    {'i', 52},  // ㅑ
    {'j', 54},  // ㅓ
    {'p', 55},  // ㅔ
    {'u', 56},  // ㅕ
    {'h', 58},  // ㅗ
    {'y', 62},  // ㅛ
    {'n', 63},  // ㅜ
    {'b', 67},  // ㅠ
    {'m', 68},  // ㅡ
    {'l', 70},  // ㅣ
};

// Only these keys change with Shift; every other capital types its plain jamo.
inline constexpr TKeyLetter kShiftedKeyLetters[] = {
    {'R', 2},   // ㄲ
    {'E', 5},   // ㄸ
    {'Q', 9},   // ㅃ
    {'T', 11},  // ㅆ
    {'W', 14},  // ㅉ
    {'O', 53},  // ㅒ
    {'P', 57},  // ㅖ
};

}  // namespace norumi::kbd
