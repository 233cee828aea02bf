// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <span>

namespace norumi::pron {

// What the word list knows about the seam before a syllable, where the rules alone cannot tell:
// whether a compound or a suffix begins there, and what that changes.
enum SeamEffect : uint8_t {
  kRulesAlone = 0,       // an entry that only keeps a shorter one from matching
  kInsertN = 1 << 0,     // a second element 이 야 여 요 유 takes ㄴ after a closed syllable
  kKeepN = 1 << 1,       // ㄴ before the ㄹ of a suffix stays ㄴ and makes that ㄹ ㄴ
  kTense = 1 << 2,       // a compound's second element or an ending after -ㄹ starts tense
  kNotTense = 1 << 3,    // ㄹ before ㄷ ㅅ ㅈ of a verb's ending stays plain
  kWholeLink = 1 << 4,   // a final links as the sound it has alone, as before a word (겉옷)
  kSecondSaid = 1 << 5,  // a double final says its second consonant (닭고기, 밟다)
  kParticle = 1 << 6,    // 의 ending a phrase is the particle, said 에
};

// The entry of the word list that decides the seam before syllable `at` of a stretch of syllable
// codes (0 < at < size), or kRulesAlone when none matches.
uint8_t SeamEffectAt(std::span<const int32_t> stretch, size_t at);

}  // namespace norumi::pron
