// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <numeric>

#include "ModelSamples.h"
#include "model/Rireki.h"

namespace norumi {
namespace {

using Ints = std::vector<int32_t>;
constexpr int32_t X = kMarkNotChosen;

TEST(SelectQuestions, ChoosesTheFirstWordsInListOrder) {
  TRirekiList h;
  h.Position = 5;
  h.SelectQuestions(10, 3, false, false);
  EXPECT_EQ(h.Order, (Ints{0, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  EXPECT_EQ(h.Marks, (Ints{0, 0, 0, X, X, X, X, X, X, X}));
  EXPECT_EQ(h.Total, 3);
  EXPECT_EQ(h.Position, 0);
  EXPECT_TRUE(h.InProgress);

  h.SelectQuestions(4, 10, false, false);  // more wanted than there are
  EXPECT_EQ(h.Marks, (Ints{0, 0, 0, 0}));
  EXPECT_EQ(h.Total, 4);
}

TEST(SelectQuestions, OnlyWrongTakesTheWrongMarksOfTheLastDrill) {
  TRirekiList h;
  h.Marks = {1, -1, X, -1, 0};
  h.SelectQuestions(5, 10, false, true);
  EXPECT_EQ(h.Marks, (Ints{X, 0, X, 0, X}));
  EXPECT_EQ(h.Total, 2);

  // The list grew: words beyond the old marks never count as wrong.
  h.Marks = {-1, 1};
  h.SelectQuestions(4, 10, false, true);
  EXPECT_EQ(h.Marks, (Ints{0, X, X, X}));
  EXPECT_EQ(h.Total, 1);

  // Nothing wrong before: the first n of the order, at most N.
  h.Marks = {1, 1, 0};
  h.SelectQuestions(3, 2, false, true);
  EXPECT_EQ(h.Marks, (Ints{0, 0, X}));
  EXPECT_EQ(h.Total, 2);
  h.Marks.clear();
  h.SelectQuestions(3, 5, false, true);
  EXPECT_EQ(h.Marks, (Ints{0, 0, 0}));
  EXPECT_EQ(h.Total, 3);
}

TEST(SelectQuestions, NothingToChoose) {
  TRirekiList h;
  h.SelectQuestions(5, 0, true, false);
  EXPECT_EQ(h.Total, 0);
  EXPECT_TRUE(h.InProgress);
  EXPECT_EQ(std::count(h.Marks.begin(), h.Marks.end(), X), 5);
  int32_t p = 0;
  EXPECT_EQ(h.NextQuestion(p, false), -1);

  h.SelectQuestions(0, 3, false, false);
  EXPECT_EQ(h.Total, 0);
  EXPECT_TRUE(h.Marks.empty());

  // A negative count ("出題数" -3) asks nothing either, and records no negative total; nor does
  // a total read from a damaged file.
  h.SelectQuestions(5, -3, false, false);
  EXPECT_EQ(h.Total, 0);
  EXPECT_EQ(std::count(h.Marks.begin(), h.Marks.end(), X), 5);
  h.FinishDrill();
  h.Total = -7;
  h.FinishDrill();
  for (const TRireki& record : h.Records()) EXPECT_EQ(record.Total, 0);
}

TEST(SelectQuestions, RandomOrderIsAPermutationAskedInShuffledOrder) {
  test::FixedClock clock;
  TRirekiList h;
  h.SelectQuestions(50, 10, true, false);
  Ints sorted = h.Order;
  std::sort(sorted.begin(), sorted.end());
  Ints identity(50);
  std::iota(identity.begin(), identity.end(), 0);
  EXPECT_EQ(sorted, identity);
  EXPECT_NE(h.Order, identity);
  // The chosen words are the first ten of the shuffled order.
  for (int pos = 0; pos < 50; ++pos) EXPECT_EQ(h.Marks[h.Order[pos]], pos < 10 ? 0 : X);

  // A fixed clock makes the shuffle repeatable: every history reseeds from it.
  TRirekiList again;
  again.SelectQuestions(50, 10, true, false);
  EXPECT_EQ(again.Order, h.Order);
}

// Each order of three words comes about as often as any other: a shuffle that skips a place or
// draws from the wrong range favours some orders and never makes others.
TEST(SelectQuestions, EveryRandomOrderIsAboutEquallyLikely) {
  test::FixedClock clock;
  TRirekiList h;
  std::map<Ints, int> seen;
  for (int i = 0; i < 60000; ++i) {
    h.SelectQuestions(3, 3, true, false);
    ++seen[h.Order];
  }
  ASSERT_EQ(seen.size(), 6u);
  for (const auto& [order, count] : seen) EXPECT_NEAR(count, 10000, 500);
}

TEST(RandomSource, DrawsEveryValueInRangeAboutEvenly) {
  test::FixedClock clock;
  auto& rnd = RandomSource::Instance();
  EXPECT_EQ(rnd.Random(0), 0);
  EXPECT_EQ(rnd.Random(-4), 0);
  std::vector<int> counts(7);
  for (int i = 0; i < 70000; ++i) {
    const int32_t v = rnd.Random(7);
    ASSERT_GE(v, 0);
    ASSERT_LT(v, 7);
    ++counts[v];
  }
  for (int c : counts) EXPECT_NEAR(c, 10000, 500);
}

TEST(NextQuestion, SkipsAnsweredWordsAndStopsOnTheNextOne) {
  TRirekiList h;
  h.Marks = {1, X, 0};
  h.Order = {0, 1, 2};
  int32_t p = 0;
  EXPECT_EQ(h.NextQuestion(p, false), 2);
  EXPECT_EQ(p, 2);
  EXPECT_EQ(h.Position, 2);
  p = 0;
  EXPECT_EQ(h.NextQuestion(p, true), 0);
  EXPECT_EQ(p, 0);
  p = 3;
  EXPECT_EQ(h.NextQuestion(p, false), -1);
  EXPECT_EQ(h.Position, 3);
  // The word at position 2 is the second question: the word not chosen is not counted.
  EXPECT_EQ(h.QuestionNumber(2), 2);
  EXPECT_EQ(h.QuestionNumber(-1), 1);
}

TEST(Drill, MarksFinishAndRecords) {
  TRirekiList h;
  h.SelectQuestions(4, 3, false, false);
  h.MarkAnswer(0, true);
  h.MarkAnswer(1, false);
  h.MarkAnswer(2, true);
  EXPECT_EQ(h.Marks, (Ints{1, -1, 1, X}));
  h.FinishDrill();
  EXPECT_FALSE(h.InProgress);
  ASSERT_EQ(h.Count(), 1);
  EXPECT_EQ(h.Records()[0], (TRireki{3, 2}));
  EXPECT_EQ(h.Marks, (Ints{1, -1, 1, X}));  // kept for the results and the next selection

  h.ResetDrill();
  EXPECT_EQ(h.Count(), 1);
  EXPECT_TRUE(h.Marks.empty());
  h.ClearRecords();
  EXPECT_EQ(h.Count(), 0);
}

TEST(HistoryBlock, FreshHistoryIsSixValuesAndReadingReplacesEverything) {
  TRirekiList fresh;
  ByteWriter out;
  fresh.SaveToStream(out);
  EXPECT_EQ(out.Data(), std::string("\1\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 24));

  TRirekiList h;
  h.SelectQuestions(3, 3, false, false);
  h.FinishDrill();
  h.FinishDrill();
  ByteReader in(out.Data());
  ASSERT_TRUE(h.LoadFromStream(in));
  EXPECT_EQ(h.Count(), 0);
  EXPECT_TRUE(h.Marks.empty());
  EXPECT_FALSE(h.InProgress);
}

}  // namespace
}  // namespace norumi
