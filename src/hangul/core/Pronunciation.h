// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>

#include "model/Tango.h"
#include "model/TangoView.h"

namespace norumi {

// How a Korean word is said, in the three forms a learner reads it in.
struct SaidForms {
  HangulCodes hangul;    // the standard pronunciation in Hangul syllables: 국물 → 궁물
  std::string roman;     // its Revised Romanization, UTF-8: gungmul
  std::string katakana;  // as Japanese textbooks write it, UTF-8: クンムル
};

// The standard pronunciation of `word` (a word's codes; trailing 0 codes show nothing) and its
// romanization and katakana. Codes that are no Hangul syllable end a stretch of syllables and
// are kept as they are.
SaidForms PronunciationOf(CodeView word);

// What the word list of compounds and suffixes did over the words said: where it decides, the
// rules alone would have said the word otherwise (or had no way to tell).
struct PronunciationStats {
  size_t words = 0;
  size_t listDecided = 0;  // words in which an entry of the list decided a sound
};
SaidForms PronunciationOf(CodeView word, PronunciationStats& stats);

}  // namespace norumi
