// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <string_view>

#include "ModelSamples.h"
#include "TempDir.h"
#include "session/QuizRun.h"
#include "storage/FileErrors.h"

namespace norumi {
namespace {

using State = QuizSession::State;

// Marks written as letters: R right, W wrong, U unanswered.
std::vector<int32_t> Marks(std::string_view letters) {
  std::vector<int32_t> marks;
  for (const char c : letters)
    marks.push_back(c == 'R' ? kMarkRight : c == 'W' ? kMarkWrong : kMarkUnanswered);
  return marks;
}

// Three words asked in list order; `marks` and `position` as a drill closed earlier left them.
void FillDrill(TTangoList& list, std::string_view marks = "UUU", int32_t position = 0) {
  test::AddWord(list, "dog", {0xAC1C, 0});
  test::AddWord(list, "cat", {0xACE0, 0xC591, 0xC774, 0});
  test::AddWord(list, "horse", {0xB9D0, 0});
  list.RirekiKor2Jap.SelectQuestions(3, 3, false, false);
  list.RirekiKor2Jap.Marks = Marks(marks);
  list.RirekiKor2Jap.Position = position;
}

TEST(QuizSession, WalksADrillAsTheLearnerAnswersAndRecordsItsEnd) {
  // Steps: r answers right, w wrong, m is 正解にする, n is 次へ. The trace is the state (Asking,
  // Judged, Finished) at the start and after every step; `seikai` of the drill's record, if any.
  struct Row {
    const char* name;
    bool single;
    const char* marks;
    int32_t position;
    const char* steps;
    const char* trace;
    const char* marksAfter;
    int32_t positionAfter;
    int seikai;  // -1: no record
  };
  // clang-format off
  for (const Row& row : std::vector<Row>{
      {"judged once; 正解にする only after a wrong answer", false, "UUU", 0, "mrwmnwmnwn",
       "AAJJJAJJAJF", "RRW", 3, 2},
      {"closed midway: the resume point is the word asked", false, "UUU", 0, "rn", "AJA", "RUU",
       1, -1},
      {"resumed from the stored position", false, "RUU", 1, "wnrn", "AJAJF", "RWR", 3, 2},
      {"a word answered before the position is skipped", false, "WUU", 0, "rnrn", "AJAJF", "WRR",
       3, 2},
      {"no word left: finished at once, nothing judged", false, "RWR", 0, "rmn", "FFFF", "RWR",
       3, 2},
      {"a single word records nothing", true, "UUU", 0, "wmn", "AJJF", "UUU", 0, -1},
  }) {
    // clang-format on
    SCOPED_TRACE(row.name);
    TTangoList list;
    FillDrill(list, row.marks, row.position);
    const TRirekiList& history = list.RirekiKor2Jap;
    QuizSession session = row.single
                              ? QuizSession(list, QuizDirection::KoreanToJapanese, list.Tango(1))
                              : QuizSession(list, QuizDirection::KoreanToJapanese);
    std::string trace;
    for (const char* step = row.steps;; ++step) {
      trace += "AJF"[int(session.Current())];
      if (!*step) break;
      const std::string asked = session.Word() ? session.Word()->Japan : "";
      if (*step == 'r') session.JudgeMeaning(asked);
      if (*step == 'w') session.JudgeMeaning("wrong");
      if (*step == 'm') session.MarkRight();
      if (*step == 'n') session.Next();
    }
    EXPECT_EQ(trace, row.trace);
    EXPECT_EQ(history.Marks, Marks(row.marksAfter));
    EXPECT_EQ(history.Position, row.positionAfter);
    const auto record =
        row.seikai < 0 ? std::vector<TRireki>{} : std::vector{TRireki{3, row.seikai}};
    EXPECT_EQ(history.Records(), record);
    EXPECT_EQ(session.Word() == nullptr, session.Current() == State::Finished);
  }
}

TEST(QuizSession, HandsEachAnswerToTheReviewAsTheLearnerLeavesItsWord) {
  // Steps as above, and h, e, a: rated Hard, Easy, Again; x: the session ends. The review is
  // each answer's index and rating (A H G E), in the order handed over.
  struct Row {
    const char* name;
    const char* mode;  // drill, single, one
    const char* steps;
    const char* reviews;
  };
  // clang-format off
  for (const Row& row : std::vector<Row>{
      {"a drill: each answer as it is left, 正解にする counted right", "drill", "rnwnwmn",
       "0G 1A 2G"},
      {"a drill closed on an answer: handed over as it ends", "drill", "rnwx", "0G 1A"},
      {"a drill takes no rating", "drill", "rhn", "0G"},
      {"the review's ratings change only a right answer", "one", "rhen", "1E"},
      {"rated Again after all", "one", "ran", "1A"},
      {"a wrong answer stays Again", "one", "wehn", "1A"},
      {"a word left unanswered is no review", "one", "x", ""},
      {"a word received alone", "single", "wmx", "-1G"},
  }) {
    // clang-format on
    SCOPED_TRACE(row.name);
    TTangoList list;
    FillDrill(list);
    const std::string mode = row.mode;
    std::string reviews;
    {
      QuizSession session =
          mode == "drill" ? QuizSession(list, QuizDirection::KoreanToJapanese)
          : mode == "one"
              ? QuizSession(list, QuizDirection::KoreanToJapanese, QuizSession::OneWord{1})
              : QuizSession(list, QuizDirection::KoreanToJapanese, list.Tango(1));
      session.TakeReviews([&](const ReviewedAnswer& answer) {
        EXPECT_EQ(&answer.word, session.Word());
        EXPECT_GE(answer.answerMs, 0);
        reviews += (reviews.empty() ? "" : " ") + std::to_string(answer.index) +
                   "AHGE"[int(answer.rating) - 1];
      });
      for (const char* step = row.steps; *step && *step != 'x'; ++step) {
        const std::string asked = session.Word() ? session.Word()->Japan : "";
        if (*step == 'r') session.JudgeMeaning(asked);
        if (*step == 'w') session.JudgeMeaning("wrong");
        if (*step == 'm') session.MarkRight();
        if (*step == 'n') session.Next();
        if (*step == 'h') session.Rate(review::Rating::Hard);
        if (*step == 'e') session.Rate(review::Rating::Easy);
        if (*step == 'a') session.Rate(review::Rating::Again);
      }
    }
    EXPECT_EQ(reviews, row.reviews);
  }
}

TEST(QuizRun, AQuizGoesBackToTheFileItReadAndANewLearnerStartsAfresh) {
  test::TempDir folder;
  const auto file = folder / "words.wbk";
  TTangoList stored;
  FillDrill(stored);
  stored.UserName = "ann";
  stored.RirekiKor2Jap.FinishDrill();
  stored.SaveToFile(file);

  QuizRun run({file}, folder / "combined.wbk");
  run.Lock();
  EXPECT_FALSE(run.Unsaved());
  EXPECT_EQ(run.Previous(), nullptr) << "a quiz on one file takes no combined histories";
  auto list = std::make_unique<TTangoList>();
  list->LoadFromFile(file);
  run.Take(std::move(list), "ben");
  EXPECT_FALSE(run.Ready(QuizDirection::KoreanToJapanese, {1, false, false}));
  EXPECT_TRUE(run.Ready(QuizDirection::KoreanToJapanese, {}));  // the drill just chosen resumes
  QuizSession session(run.List(), QuizDirection::KoreanToJapanese);
  session.JudgeMeaning("dog");
  EXPECT_FALSE(session.Next());
  EXPECT_EQ(run.Save([](const EFileError&) { return false; }), -1);

  TTangoList saved;
  ASSERT_EQ(saved.LoadFromFile(file), LoadStatus::Intact);
  EXPECT_EQ(saved.UserName, "ben");
  EXPECT_EQ(saved.RirekiKor2Jap.Records(), (std::vector<TRireki>{{1, 1}}));
}

TEST(QuizRun, RefusesAFileGoneSinceItWasListedAndADamagedCombinedFile) {
  test::TempDir folder;
  QuizRun gone({folder / "gone.wbk"}, folder / "combined.wbk");
  EXPECT_THROW(gone.Lock(), EFOpenError);

  TTangoList combined;
  FillDrill(combined);
  combined.SaveToFile(folder / "combined.wbk");
  const std::string bytes = test::ReadBytes(folder / "combined.wbk");
  test::WriteBytes(folder / "combined.wbk", bytes.substr(0, bytes.size() - 9));
  QuizRun run({folder / "a.wbk", folder / "b.wbk"}, folder / "combined.wbk");
  run.Lock();
  EXPECT_THROW(run.Previous(), EFDamagedError) << "its lost histories would be written over";
}

}  // namespace
}  // namespace norumi
