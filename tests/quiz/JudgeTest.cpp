// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "AppFixture.h"
#include "ModelSamples.h"
#include "quiz/Judge.h"

namespace norumi {
namespace {

using test::AddWord;
using test::Sj;
const char* const kInu = "\x8C\xA2";              // 犬
const char* const kInuKana = "\x82\xA2\x82\xCA";  // いぬ

TEST(JudgeMeaning, EveryEntryThatShowsTheSameKoreanWordCounts) {
  TTangoList list;
  TTango& dog = AddWord(list, kInu, {0xAC1C, 0});
  TTango& dog2 = AddWord(list, kInuKana, {0xAC1C, 0, 0});  // registered twice: one more 0
  TTango& dog3 = AddWord(list, "other", {0xAC1C});         // pasted without any 0
  AddWord(list, "not", {0xAC1C, 0xAC1C});
  TTango& empty = AddWord(list, "", {0xD55C, 0});
  for (TTango* word : {&dog, &dog2, &dog3}) {
    EXPECT_TRUE(IsRightMeaning(list, *word, kInu));
    EXPECT_TRUE(IsRightMeaning(list, *word, kInuKana));
    EXPECT_TRUE(IsRightMeaning(list, *word, "other"));
    EXPECT_FALSE(IsRightMeaning(list, *word, "not"));
    EXPECT_FALSE(IsRightMeaning(list, *word, std::string(kInu) + kInu));
    EXPECT_EQ(AnswerMeanings(list, *word), std::string(kInu) + "," + kInuKana + ",other");
  }
  EXPECT_FALSE(IsRightMeaning(list, empty, ""));  // an empty answer never
}

TEST(JudgeKorean, TheWholeWordIsRightWhateverBlankCellsStandAroundIt) {
  TTangoList list;
  TTango& cat = AddWord(list, "neko", {0xACE0, 0xC591, 0xC774, 0});
  AddWord(list, "neko", {0xB0E5, 0xC774, 0, 0});
  const HangulCodes goyangi{0xACE0, 0xC591, 0xC774};
  struct Row {
    HangulCodes answer;
    bool right;
  };
  const auto with = [&](std::initializer_list<int32_t> tail) {
    HangulCodes codes = goyangi;
    codes.insert(codes.end(), tail);
    return codes;
  };
  for (const Row& row : std::initializer_list<Row>{
           {goyangi, true},
           {with({0, 0}), true},
           {with({'\n'}), true},  // printf '고양이\n' copied
           {with({'\r', '\n', ' ', '\t'}), true},
           {{' ', '\n', 0x3000, 0xA0, 0xFEFF, 0xACE0, 0xC591, 0xC774, 0x200B, 0x3000}, true},
           {{0x200B, 0x3000, 0}, false},
           {{0xB0E5, 0xC774}, true},  // the other word of the same meaning
           {{0xACE0}, false},         // only the first syllable
           {{0xACE0, 0xC591}, false},
           {{}, false},
           {{'\n', 0}, false},
           {with({0xACE0}), false},                // a second word after it
           {{0xACE0, 32, 0xC591, 0xC774}, false},  // a space inside
           {with({32, 0xB0E5, 0xC774}), false},    // both words
       }) {
    EXPECT_EQ(IsRightKorean(list, cat, row.answer), row.right)
        << ::testing::PrintToString(row.answer);
  }
  EXPECT_EQ(AnswerKorean(list, cat),
            (HangulCodes{0xACE0, 0xC591, 0xC774, 0, 32, 0xB0E5, 0xC774, 0, 0}));
}

TEST(WordAt, NeverStepsOutsideTheListOrMovesTheResumePoint) {
  TTangoList list;
  AddWord(list, "a", {1});
  AddWord(list, "b", {2});
  TRirekiList& h = list.RirekiKor2Jap;
  h.Marks = {1, 0, 0};  // a damaged history: one mark more than words
  h.Order = {0, 2, 1};
  h.Position = 1;
  EXPECT_EQ(WordAt(list, h, 0, true), &list.Tango(0));
  EXPECT_EQ(WordAt(list, h, 1, false), nullptr);  // index 2 lies outside the list
  EXPECT_EQ(WordAt(list, h, 2, false), &list.Tango(1));
  EXPECT_EQ(WordAt(list, h, 3, true), nullptr);
  EXPECT_EQ(h.Position, 1);
}

}  // namespace
}  // namespace norumi
