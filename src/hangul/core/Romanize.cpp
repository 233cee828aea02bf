// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/core/SaidLetters.h"

namespace norumi::pron {

namespace {

using namespace jamo;

constexpr const char* kInitials[19] = {"g",  "kk", "n", "d",  "tt", "r", "m", "b", "pp", "s",
                                       "ss", "",   "j", "jj", "ch", "k", "t", "p", "h"};
constexpr const char* kVowels[21] = {"a",  "ae", "ya", "yae", "eo", "e",  "yeo",
                                     "ye", "o",  "wa", "wae", "oe", "yo", "u",
                                     "wo", "we", "wi", "yu",  "eu", "ui", "i"};

Consonant Untensed(Consonant c) {
  switch (c) {
    case kKK:
      return kG;
    case kTT:
      return kD;
    case kPP:
      return kB;
    case kSS:
      return kS;
    case kJJ:
      return kJ;
    default:
      return c;
  }
}

// After the rules a final is one of the seven sounds.
const char* FinalLetters(Consonant c) {
  switch (c) {
    case kG:
      return "k";
    case kN:
      return "n";
    case kD:
      return "t";
    case kR:
      return "l";
    case kM:
      return "m";
    case kB:
      return "p";
    case kNg:
      return "ng";
    default:
      return "";
  }
}

}  // namespace

void AppendRoman(std::span<const SaidSyllable> stretch, std::string& out) {
  Consonant before = kNone;
  for (const SaidSyllable& s : stretch) {
    const Consonant initial = s.tensedByRule ? Untensed(s.sound.initial) : s.sound.initial;
    out += initial == kR && before == kR ? "l" : kInitials[initial];  // ㄹㄹ is ll
    out += kVowels[s.spelled.vowel];
    before = s.sound.final.first;
    out += FinalLetters(before);
  }
}

}  // namespace norumi::pron
