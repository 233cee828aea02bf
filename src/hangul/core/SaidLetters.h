// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>

#include "hangul/core/PronounceRules.h"

namespace norumi::pron {

// The Revised Romanization (2000) of a stretch as said: the consonants as the rules leave them
// but no tensing they made (학교 hakgyo), the vowels as spelled (희망 huimang), lower case and
// no hyphens.
void AppendRoman(std::span<const SaidSyllable> stretch, std::string& out);

// The katakana Japanese textbooks write for a stretch as said. Plain ㄱ ㄷ ㅂ ㅈ are voiced after
// a vowel or ㄴ ㄹ ㅁ ㅇ and voiceless at the start; a final is always a full-size kana of its
// own, one per sound: ㄱ ク, ㄴ ン, ㄷ ッ, ㄹ ル, ㅁ ム, ㅂ プ, ㅇ ン (학교 ハクキョ).
void AppendKatakana(std::span<const SaidSyllable> stretch, std::string& out);

}  // namespace norumi::pron
