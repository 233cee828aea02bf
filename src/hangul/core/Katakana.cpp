// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/core/SaidLetters.h"

namespace norumi::pron {

namespace {

using namespace jamo;

// The vowels as kana columns: a i u e o ya yu yo ye wa wi we wo, and ㅢ.
enum Column {
  kColA,
  kColI,
  kColU,
  kColE,
  kColO,
  kColYa,
  kColYu,
  kColYo,
  kColYe,
  kColWa,
  kColWi,
  kColWe,
  kColWo,
  kColUi,
  kColumns
};

constexpr Column kColumnOf[21] = {kColA,  kColE,  kColYa, kColYe, kColO,  kColE,  kColYo,
                                  kColYe, kColO,  kColWa, kColWe, kColWe, kColYo, kColU,
                                  kColWo, kColWe, kColWi, kColYu, kColU,  kColUi, kColI};

// One row per consonant sound as Japanese hears it.
enum Row {
  kRowVowel,
  kRowK,
  kRowG,
  kRowN,
  kRowT,
  kRowD,
  kRowR,
  kRowM,
  kRowP,
  kRowB,
  kRowS,
  kRowCh,
  kRowJ,
  kRowH,
  kRows
};

constexpr const char* kKana[kRows][kColumns] = {
    {"ア", "イ", "ウ", "エ", "オ", "ヤ", "ユ", "ヨ", "イェ", "ワ", "ウィ", "ウェ", "ウォ", "ウィ"},
    {"カ", "キ", "ク", "ケ", "コ", "キャ", "キュ", "キョ", "キェ", "クァ", "クィ", "クェ", "クォ",
     "クィ"},
    {"ガ", "ギ", "グ", "ゲ", "ゴ", "ギャ", "ギュ", "ギョ", "ギェ", "グァ", "グィ", "グェ", "グォ",
     "グィ"},
    {"ナ", "ニ", "ヌ", "ネ", "ノ", "ニャ", "ニュ", "ニョ", "ニェ", "ヌァ", "ヌィ", "ヌェ", "ヌォ",
     "ヌィ"},
    {"タ", "ティ", "トゥ", "テ", "ト", "ティャ", "ティュ", "ティョ", "ティェ", "トァ", "トゥィ",
     "トェ", "トォ", "トゥィ"},
    {"ダ", "ディ", "ドゥ", "デ", "ド", "ディャ", "ディュ", "ディョ", "ディェ", "ドァ", "ドゥィ",
     "ドェ", "ドォ", "ドゥィ"},
    {"ラ", "リ", "ル", "レ", "ロ", "リャ", "リュ", "リョ", "リェ", "ルァ", "ルィ", "ルェ", "ルォ",
     "ルィ"},
    {"マ", "ミ", "ム", "メ", "モ", "ミャ", "ミュ", "ミョ", "ミェ", "ムァ", "ムィ", "ムェ", "ムォ",
     "ムィ"},
    {"パ", "ピ", "プ", "ペ", "ポ", "ピャ", "ピュ", "ピョ", "ピェ", "プァ", "プィ", "プェ", "プォ",
     "プィ"},
    {"バ", "ビ", "ブ", "ベ", "ボ", "ビャ", "ビュ", "ビョ", "ビェ", "ブァ", "ブィ", "ブェ", "ブォ",
     "ブィ"},
    {"サ", "シ", "ス", "セ", "ソ", "シャ", "シュ", "ショ", "シェ", "スァ", "スィ", "スェ", "スォ",
     "スィ"},
    {"チャ", "チ", "チュ", "チェ", "チョ", "チャ", "チュ", "チョ", "チェ", "チュァ", "チュィ",
     "チュェ", "チュォ", "チュィ"},
    {"ジャ", "ジ", "ジュ", "ジェ", "ジョ", "ジャ", "ジュ", "ジョ", "ジェ", "ジュァ", "ジュィ",
     "ジュェ", "ジュォ", "ジュィ"},
    {"ハ", "ヒ", "フ", "ヘ", "ホ", "ヒャ", "ヒュ", "ヒョ", "ヒェ", "ファ", "フィ", "フェ", "フォ",
     "フィ"},
};

Row RowOf(Consonant c, bool voiced) {
  switch (c) {
    case kG:
      return voiced ? kRowG : kRowK;
    case kD:
      return voiced ? kRowD : kRowT;
    case kB:
      return voiced ? kRowB : kRowP;
    case kJ:
      return voiced ? kRowJ : kRowCh;
    case kKK:
    case kK:
      return kRowK;
    case kTT:
    case kT:
      return kRowT;
    case kPP:
    case kP:
      return kRowP;
    case kJJ:
    case kCh:
      return kRowCh;
    case kN:
      return kRowN;
    case kR:
      return kRowR;
    case kM:
      return kRowM;
    case kS:
    case kSS:
      return kRowS;
    case kH:
      return kRowH;
    default:
      return kRowVowel;
  }
}

const char* FinalKana(Consonant c) {
  switch (c) {
    case kG:
      return "ク";
    case kN:
    case kNg:
      return "ン";
    case kD:
      return "ッ";
    case kR:
      return "ル";
    case kM:
      return "ム";
    case kB:
      return "プ";
    default:
      return "";
  }
}

}  // namespace

void AppendKatakana(std::span<const SaidSyllable> stretch, std::string& out) {
  bool afterVoiced = false;  // a stretch starts voiceless
  bool afterVowel = false;
  for (const SaidSyllable& s : stretch) {
    // A tense consonant after a vowel holds the breath as a Japanese double consonant: オッパ.
    const Consonant c = s.sound.initial;
    if (afterVowel && (c == kKK || c == kTT || c == kPP || c == kSS || c == kJJ)) out += "ッ";
    out += kKana[RowOf(c, afterVoiced)][kColumnOf[s.sound.vowel]];
    const Consonant final = s.sound.final.first;
    out += FinalKana(final);
    afterVowel = final == kNone;
    afterVoiced = afterVowel || final == kN || final == kR || final == kM || final == kNg;
  }
}

}  // namespace norumi::pron
