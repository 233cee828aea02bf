// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ModelSamples.h"
#include "TempDir.h"
#include "session/ReviewPlan.h"

namespace norumi {
namespace {

constexpr int64_t kDay = 86400;
constexpr int64_t kMonday = 1'800'000'000 - 1'800'000'000 % kDay;

ReviewDay DayOf(int64_t day) {
  const int64_t start = kMonday + day * kDay;
  return {start + 9 * 3600, start, start + kDay};
}

// A word file of `words` words, named by their meanings; a word's Korean comes from its meaning.
std::filesystem::path WordFile(const test::TempDir& folder, const std::string& name,
                               const std::vector<std::string>& words) {
  TTangoList list;
  for (const std::string& word : words)
    test::AddWord(list, word, {0xAC00 + word.front(), 0xAC00 + word.back(), 0});
  const auto path = folder / (name + ".wbk");
  list.SaveToFile(path);
  return path;
}

// Walks the plan, answering each card at `day` with the rating `ratingOf` its meaning gives,
// and returns what was asked: "meaning>" from Korean, "meaning<" from Japanese.
std::string Walk(ReviewBook& book, ReviewPlan& plan, const ReviewDay& day,
                 const std::function<review::Rating(const std::string&)>& ratingOf) {
  std::string asked;
  while (plan.Left() > 0) {
    const ReviewPlan::Card card = plan.Current();
    const TTango& word = plan.ListOf(card).Tango(card.index);
    asked += word.Japan + (card.direction == QuizDirection::KoreanToJapanese ? ">" : "<");
    const review::Rating rating = ratingOf(word.Japan);
    book.Record(book.CardOf(plan.PathOf(card), word, card.direction),
                {word, card.index, card.direction, rating, day.now, 1500}, card.index);
    plan.Answered(rating);
  }
  return asked;
}

TEST(ReviewPlan, AsksDueCardsFirstThenTheDaysNewWordsAndAWrongAnswerOnceMore) {
  test::TempDir folder;
  const auto a = WordFile(folder, "a", {"one", "two", "three"});
  const auto b = WordFile(folder, "b", {"four", "five"});
  ReviewSettings settings;
  settings.newPerDay = 3;
  settings.scheduler.fuzz = false;
  ReviewBook book(folder.Path(), "ann", settings);
  ASSERT_TRUE(book.Open()) << book.Why().toStdString();
  const auto good = [](const std::string& word) {
    return word == "two" ? review::Rating::Again : review::Rating::Good;
  };
  // Rows: the day, what the menu counts before, what is asked (and answered `good`).
  struct Row {
    int64_t day;
    int counted;
    const char* asked;
  };
  for (const Row& row : std::vector<Row>{
           // New words of the files in order, from Korean first; "two" again at the end, once.
           {0, 3, "one>two>three>two>"},
           // Nothing left today: the day's new words are taken.
           {0, 0, ""},
           // "two" is due; the Japanese-to-Korean cards of yesterday's words are new.
           {1, 4, "two>one<two<three<two>two<"},
       }) {
    SCOPED_TRACE(row.day);
    const ReviewDay day = DayOf(row.day);
    EXPECT_EQ(ReviewPlan::CountToday(book, {a, b}, day), row.counted);
    ReviewPlan plan(book, {a, b}, day);
    EXPECT_EQ(Walk(book, plan, day, good), row.asked);
  }
  // A word added before the others moves them in their file: their cards are found all the same.
  ReviewSettings dueOnly = settings;
  dueOnly.newPerDay = 0;
  ReviewBook due(folder.Path(), "ann", dueOnly);
  ASSERT_TRUE(due.Open());
  const auto cardsOf = [&](const ReviewDay& day) {
    ReviewPlan plan(due, {a, b}, day);
    std::string asked;
    for (; plan.Left() > 0; plan.Answered(review::Rating::Good)) {
      const ReviewPlan::Card& card = plan.Current();
      asked += std::to_string(card.index) + plan.ListOf(card).Tango(card.index).Japan + " ";
    }
    return asked;
  };
  EXPECT_EQ(cardsOf(DayOf(30)), "0one 1two 2three 1two 0one 2three ");
  WordFile(folder, "a", {"zero", "one", "two", "three"});
  EXPECT_EQ(cardsOf(DayOf(30)), "1one 2two 3three 2two 1one 3three ");
  // A word file gone leaves its cards unasked; the new words come from the files still there.
  std::filesystem::remove(a);
  const ReviewDay later = DayOf(400);
  ReviewPlan plan(book, {b}, later);
  EXPECT_EQ(Walk(book, plan, later, good), "four>five>");
}

TEST(ReviewPlan, AFileWhoseWordsWereAllMetIsPassedByUntilItChanges) {
  test::TempDir folder;
  const auto a = WordFile(folder, "a", {"one", "two"});
  ReviewSettings settings;
  settings.scheduler.fuzz = false;
  ReviewBook book(folder.Path(), "ann", settings);
  ASSERT_TRUE(book.Open());
  for (const int64_t day : {0, 1}) {
    ReviewPlan plan(book, {a}, DayOf(day));
    Walk(book, plan, DayOf(day), [](const std::string&) { return review::Rating::Easy; });
  }
  EXPECT_EQ(ReviewPlan::CountToday(book, {a}, DayOf(2)), 0);
  EXPECT_TRUE(book.Store()->AllMet("ann", "a.wbk", *review::StampOf(a)));
  WordFile(folder, "a", {"one", "two", "six"});
  EXPECT_EQ(ReviewPlan::CountToday(book, {a}, DayOf(2)), 1) << "the word the file gained";
}

TEST(ReviewBook, ADamagedRecordTurnsTheReviewOffAndSaysWhy) {
  test::TempDir folder;
  test::WriteBytes(folder / "review.db", std::string(4096, 'x'));
  ReviewBook book(folder.Path(), "ann", {});
  EXPECT_FALSE(book.Open());
  EXPECT_EQ(book.Why().toStdString(), "review.db が復習の記録ではありません");
  EXPECT_EQ(book.Store(), nullptr);
  // A quiz's answer goes nowhere, and nothing is thrown.
  TTangoList list;
  const TTango& word = test::AddWord(list, "one", {0xAC00, 0});
  book.Record(book.CardOf(folder / "a.wbk", word, QuizDirection::KoreanToJapanese),
              {word, 0, QuizDirection::KoreanToJapanese, review::Rating::Good, kMonday, 10}, 0);
  EXPECT_FALSE(book.Why().isEmpty());
}

}  // namespace
}  // namespace norumi
