// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "hangul/core/Keyboard.h"

namespace norumi {
namespace {

// Types keys written as the on-screen keyboard's letters ('r' ㄱ, 'k' ㅏ, 'R' ㄲ …), with '<' for
// back space and ' ' for the space key.
void Type(TKeyboard& kb, std::string_view keys) {
  for (const char c : keys) {
    if (c == '<') {
      kb.BackSpace();
    } else if (c == ' ') {
      kb.AppendCode(32);
    } else {
      const int8_t tag = TagForKeyLetter(c);
      ASSERT_NE(tag, 0) << "no key for '" << c << "'";
      kb.AddKey(tag);
    }
  }
}

struct Row {
  std::string_view Keys;
  HangulCodes Codes;
  int32_t Pending;
};

void PrintTo(const Row& row, std::ostream* os) {
  *os << '"' << row.Keys << '"';
}

class KeyboardTyping : public testing::TestWithParam<Row> {};

TEST_P(KeyboardTyping, CommitsAndKeepsPending) {
  const Row& row = GetParam();
  TKeyboard kb;
  Type(kb, row.Keys);
  EXPECT_EQ(kb.Codes, row.Codes);
  EXPECT_EQ(kb.Pending, row.Pending);

  HangulCodes shown = {7, 7, 7};
  kb.GetCodes(shown);
  HangulCodes expected = row.Codes;
  expected.push_back(row.Pending);
  EXPECT_EQ(shown, expected);

  EXPECT_EQ(kb.Pending == 0, kb.KeyCount == 0);
  ASSERT_GE(kb.KeyCount, 0);
  ASSERT_LE(kb.KeyCount, 4);
  for (size_t i = size_t(kb.KeyCount); i < kb.Keys.size(); ++i) EXPECT_EQ(kb.Keys[i], 0) << i;
}

const Row kExamples[] = {
    {"gks", {}, U'한'},          {"gksrnr", {U'한'}, U'국'},  {"ekfr", {}, U'닭'},
    {"ekfrk", {U'달'}, U'가'},   {"rksk", {U'가'}, U'나'},    {"rhk", {}, U'과'},
    {"rkE", {U'가'}, 0x1104},    {"rs", {0x1100}, 0x1102},    {"k", {0x1161}, 0},
    {"rkk", {U'가', 0x1161}, 0}, {"hk", {0x1169, 0x1161}, 0}, {"rkrr", {U'각'}, 0x1100},
};
INSTANTIATE_TEST_SUITE_P(Examples, KeyboardTyping, testing::ValuesIn(kExamples));

const Row kEdges[] = {
    {"", {}, 0},
    {"ml", {0x1173, 0x1175}, 0},   // vowels combine only after a consonant
    {"rhkl", {U'과', 0x1175}, 0},  // a combined vowel never combines again
    {"rhh", {U'고', 0x1169}, 0},
    {"ekfrs", {U'닭'}, 0x1102},  // ㄴ forms no compound with ㄺ
    {"ekfrt", {U'닭'}, 0x1109},  // nor does ㅅ, although ㄱ ㅅ would
    {"rksr", {U'간'}, 0x1100},
    {"rkQ", {U'가'}, 0x1108},  // ㅃ and ㅉ never end a syllable
    {"rkW", {U'가'}, 0x110D},
    {"rkRk", {U'가'}, U'까'},
    {"glg", {}, 0xD7A3},
    {" ", {32}, 0},
    {"r ", {0x1100, 32}, 0},
    {"gks ", {U'한', 32}, 0},
    {"r< ", {32}, 0},  // nothing pending, so no 0 before the space
    {"gks  k", {U'한', 32, 32, 0x1161}, 0},
};
INSTANTIATE_TEST_SUITE_P(Edges, KeyboardTyping, testing::ValuesIn(kEdges));

const Row kBackSpaces[] = {
    {"ekfr<", {}, U'달'},
    {"ekfr<<", {}, U'다'},
    {"ekfr<<<", {}, 0x1103},
    {"ekfr<<<<", {}, 0},
    {"ekfr<<<<<", {}, 0},
    {"rhk<", {}, 0x1100},  // the merged vowel goes whole
    {"rhk<k", {}, U'가'},
    {"ekfrk<", {U'달'}, 0x1100},  // a split final is not joined again
    {"gksr<", {U'한'}, 0},
    {"gksr<<", {}, 0},               // a committed syllable goes whole
    {"gksr<k", {U'한', 0x1161}, 0},  // and is not reopened
    {"gksr<<s", {}, 0x1102},
    {"gks <", {U'한'}, 0},
};
INSTANTIATE_TEST_SUITE_P(BackSpace, KeyboardTyping, testing::ValuesIn(kBackSpaces));

// Every compound final, kept and then split by a vowel.
const Row kCompoundFinals[] = {
    {"rkrt", {}, U'갃'}, {"rkrtk", {U'각'}, U'사'}, {"rksw", {}, U'갅'}, {"rkswk", {U'간'}, U'자'},
    {"rksg", {}, U'갆'}, {"rksgk", {U'간'}, U'하'}, {"rkfr", {}, U'갉'}, {"rkfrk", {U'갈'}, U'가'},
    {"rkfa", {}, U'갊'}, {"rkfak", {U'갈'}, U'마'}, {"rkfq", {}, U'갋'}, {"rkfqk", {U'갈'}, U'바'},
    {"rkft", {}, U'갌'}, {"rkftk", {U'갈'}, U'사'}, {"rkfx", {}, U'갍'}, {"rkfxk", {U'갈'}, U'타'},
    {"rkfv", {}, U'갎'}, {"rkfvk", {U'갈'}, U'파'}, {"rkfg", {}, U'갏'}, {"rkfgk", {U'갈'}, U'하'},
    {"rkqt", {}, U'값'}, {"rkqtk", {U'갑'}, U'사'},
};
INSTANTIATE_TEST_SUITE_P(CompoundFinals, KeyboardTyping, testing::ValuesIn(kCompoundFinals));

const Row kCompoundVowels[] = {
    {"rhk", {}, U'과'}, {"rho", {}, U'괘'}, {"rhl", {}, U'괴'}, {"rnj", {}, U'궈'},
    {"rnp", {}, U'궤'}, {"rnl", {}, U'귀'}, {"rml", {}, U'긔'},
};
INSTANTIATE_TEST_SUITE_P(CompoundVowels, KeyboardTyping, testing::ValuesIn(kCompoundVowels));

// The keys of each syllable, by index: initial L, vowel V (compounds as two keys), final T.
constexpr std::string_view kInitialKeys = "rRseEfaqQtTdwWczxvg";
constexpr std::string_view kVowelKeys[21] = {"k",  "o",  "i",  "O",  "j",  "p",  "u",
                                             "P",  "h",  "hk", "ho", "hl", "y",  "n",
                                             "nj", "np", "nl", "b",  "m",  "ml", "l"};
constexpr std::string_view kFinalKeys[28] = {
    "",   "r",  "R", "rt", "s",  "sw", "sg", "e", "f", "fr", "fa", "fq", "ft", "fx",
    "fv", "fg", "a", "q",  "qt", "t",  "T",  "d", "w", "c",  "z",  "x",  "v",  "g"};

TEST(KeyboardSyllables, EverySyllableTypedThenSpaceComesOutWhole) {
  for (int32_t s = 0; s < 11172; ++s) {
    const int32_t l = s / 588, v = s / 28 % 21, t = s % 28;
    const HangulCodes expected = {0xAC00 + s, 32};
    std::string keys(1, kInitialKeys[size_t(l)]);
    keys += kVowelKeys[v];
    keys += kFinalKeys[t];
    keys += ' ';
    TKeyboard twoKeys;
    Type(twoKeys, keys);
    ASSERT_EQ(twoKeys.Codes, expected) << "syllable " << s;

    TKeyboard oneKey;  // the vowel from its own key, compound or not
    Type(oneKey, kInitialKeys.substr(size_t(l), 1));
    oneKey.AddKey(int8_t(50 + v));
    Type(oneKey, kFinalKeys[t]);
    Type(oneKey, " ");
    ASSERT_EQ(oneKey.Codes, expected) << "syllable " << s << " with one vowel key";
    ASSERT_EQ(oneKey.Pending, 0);
  }
}

TEST(KeyboardKeys, CompoundVowelKeysAndForeignTags) {
  TKeyboard kb;
  EXPECT_EQ(kb.AddKey(61), 0);  // ㅚ alone is committed like any lone vowel
  EXPECT_EQ(kb.Codes, HangulCodes{0x116C});
  kb.AddKey(1);
  EXPECT_EQ(kb.AddKey(64), U'궈');
  EXPECT_EQ(kb.BackSpace(), 0x1100);

  kb.Clear();
  for (std::string_view keys : {"", "r", "rk", "rkf", "rkfr"}) {
    Type(kb, keys);
    const TKeyboard before = kb;
    for (const int tag : {0, -1, -128, 20, 49, 71, 99, 100, 127}) {
      EXPECT_EQ(kb.AddKey(int8_t(tag)), before.Pending) << keys << " + " << tag;
      EXPECT_EQ(kb.Keys, before.Keys);
      EXPECT_EQ(kb.KeyCount, before.KeyCount);
      EXPECT_EQ(kb.Codes, before.Codes);
    }
    kb.Clear();
  }
}

TEST(KeyboardKeys, ClearAndCodesSetFromOutside) {
  TKeyboard kb;
  Type(kb, "gksrnr");
  kb.Clear();
  EXPECT_TRUE(kb.Codes.empty());
  EXPECT_EQ(kb.Keys, (std::array<int8_t, 8>{}));
  EXPECT_EQ(kb.KeyCount, 0);
  EXPECT_EQ(kb.Pending, 0);

  kb.Codes = {U'한', 0};  // a stored word, as the word editor loads it
  Type(kb, "rk");
  kb.AppendCode(0x41);
  EXPECT_EQ(kb.Codes, (HangulCodes{U'한', 0, U'가', 0x41}));
}

TEST(KeyboardKeys, LetterKeys) {
  EXPECT_EQ(TagForKeyLetter('r'), 1);
  EXPECT_EQ(TagForKeyLetter('R'), 2);
  EXPECT_EQ(TagForKeyLetter('O'), 53);
  EXPECT_EQ(TagForKeyLetter('A'), 7);  // Shift changes only seven keys
  EXPECT_EQ(TagForKeyLetter('K'), 50);
  EXPECT_EQ(TagForKeyLetter('G'), 19);
  for (const char c : {'\0', ' ', '<', '1', '@', '[', '`', '{', char(0xB1)})
    EXPECT_EQ(TagForKeyLetter(c), 0) << int(c);
}

}  // namespace
}  // namespace norumi
