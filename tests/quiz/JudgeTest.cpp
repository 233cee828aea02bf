#include <gtest/gtest.h>

#include "ModelSamples.h"
#include "quiz/Judge.h"

namespace norumi {
namespace {

using test::AddWord;
const char* const kInu = "\x8C\xA2";              // 犬
const char* const kInuKana = "\x82\xA2\x82\xCA";  // いぬ

TEST(JudgeMeaning, EveryEntryWithTheSameKoreanWordCounts) {
  TTangoList list;
  TTango& dog = AddWord(list, kInu, {0xAC1C, 0});
  TTango& dog2 = AddWord(list, kInuKana, {0xAC1C, 0});
  AddWord(list, "other", {0xAC1C});  // no trailing 0: another word
  TTango& empty = AddWord(list, "", {0xD55C, 0});
  for (TTango* word : {&dog, &dog2}) {
    EXPECT_TRUE(IsRightMeaning(list, *word, kInu));
    EXPECT_TRUE(IsRightMeaning(list, *word, kInuKana));
    EXPECT_FALSE(IsRightMeaning(list, *word, "other"));
    EXPECT_FALSE(IsRightMeaning(list, *word, std::string(kInu) + " "));
    EXPECT_EQ(AnswerMeanings(list, *word), std::string(kInu) + "," + kInuKana);
  }
  EXPECT_TRUE(IsRightMeaning(list, empty, ""));
  EXPECT_EQ(AnswerMeanings(list, list.Tango(2)), "other");
}

TEST(JudgeKorean, PastedCodesMustBeginAStoredWordOfTheSameMeaning) {
  TTangoList list;
  TTango& cat = AddWord(list, "neko", {0xACE0, 0xC591, 0xC774, 0});
  AddWord(list, "neko", {0xB0E5, 0xC774, 0});
  EXPECT_TRUE(IsRightKorean(list, cat, {0xACE0, 0xC591, 0xC774}));
  EXPECT_TRUE(IsRightKorean(list, cat, {0xACE0, 0xC591, 0xC774, 0}));
  EXPECT_TRUE(IsRightKorean(list, cat, {0xACE0}));  // only the first syllable
  EXPECT_TRUE(IsRightKorean(list, cat, {0xB0E5, 0xC774}));
  EXPECT_FALSE(IsRightKorean(list, cat, {}));
  EXPECT_FALSE(IsRightKorean(list, cat, {0xACE0, 0xC591, 0xC774, 32}));
  EXPECT_FALSE(IsRightKorean(list, cat, {0xACE0, 0xC591, 0xC774, 0, 0}));
  EXPECT_FALSE(IsRightKorean(list, cat, {0xACE0, 0xC591, 0xC774, '\n'}));
  EXPECT_EQ(AnswerKorean(list, cat),
            (HangulCodes{0xACE0, 0xC591, 0xC774, 0, 32, 0xB0E5, 0xC774, 0}));
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
