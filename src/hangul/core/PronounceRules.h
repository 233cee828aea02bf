// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <vector>

#include "hangul/core/Jamo.h"

namespace norumi::pron {

// A syllable as written and as said. The romanization reads the spelled vowel and writes no
// tensing the rules made, so both are kept.
struct SaidSyllable {
  jamo::Syllable spelled;
  jamo::Syllable sound;
  bool tensedByRule = false;
};

// A stretch of syllables (codes U+AC00 to U+D7A3) as said by the standard pronunciation rules,
// and whether an entry of the word list decided something in it.
struct SaidStretch {
  std::vector<SaidSyllable> syllables;
  bool listDecided = false;
};

SaidStretch SayStretch(std::span<const int32_t> stretch);

}  // namespace norumi::pron
