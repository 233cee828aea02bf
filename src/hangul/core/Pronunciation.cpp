// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/core/Pronunciation.h"

#include "hangul/core/Jamo.h"
#include "hangul/core/PronounceRules.h"
#include "hangul/core/SaidLetters.h"
#include "model/Utf8.h"

namespace norumi {

namespace {

// One stretch of syllables, said and written in the three forms.
void AppendStretch(std::span<const int32_t> stretch, SaidForms& forms, bool& listDecided) {
  const pron::SaidStretch said = pron::SayStretch(stretch);
  for (const auto& s : said.syllables) forms.hangul.push_back(jamo::Join(s.sound));
  pron::AppendRoman(said.syllables, forms.roman);
  pron::AppendKatakana(said.syllables, forms.katakana);
  listDecided = listDecided || said.listDecided;
}

}  // namespace

SaidForms PronunciationOf(CodeView word, PronunciationStats& stats) {
  const HangulCodes codes = word.Shown().ToCodes();
  SaidForms forms;
  forms.hangul.reserve(codes.size());
  bool listDecided = false;
  size_t start = 0;
  for (size_t i = 0; i <= codes.size(); ++i) {
    if (i < codes.size() && jamo::IsSyllable(codes[i])) continue;
    if (i > start) AppendStretch(std::span(codes).subspan(start, i - start), forms, listDecided);
    if (i < codes.size()) {
      forms.hangul.push_back(codes[i]);
      // A 0 code stands for no character: it keeps its cell, and is no letter of the texts.
      if (codes[i] != 0) {
        AppendUtf8(codes[i], forms.roman);
        AppendUtf8(codes[i], forms.katakana);
      }
    }
    start = i + 1;
  }
  ++stats.words;
  if (listDecided) ++stats.listDecided;
  return forms;
}

SaidForms PronunciationOf(CodeView word) {
  PronunciationStats unused;
  return PronunciationOf(word, unused);
}

}  // namespace norumi
