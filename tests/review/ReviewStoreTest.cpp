// SPDX-License-Identifier: GPL-3.0-or-later
#include "review/ReviewStore.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>

#include "TempDir.h"

namespace norumi::review {
namespace {

using test::TempDir;

CardKey Key(const std::string& learner, const std::string& file, int word,
            Direction direction = Direction::KoreanToJapanese) {
  return {learner, file, HangulKey(HangulCodes{0xAC00 + word, 0, 0}),
          "\x88\xa4" + std::to_string(word), direction};
}

ReviewEntry Answer(int64_t time, int64_t due) {
  ReviewEntry entry;
  entry.time = time;
  entry.rating = Rating::Good;
  entry.after = {2.5, 5.0, time, due, 1, 0};
  entry.answerMs = 1500;
  return entry;
}

// The first value a statement gives, as text, run as another program would, without the store.
std::string Query(const std::filesystem::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open(file.c_str(), &db);
  sqlite3_stmt* statement = nullptr;
  sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
  std::string value;
  if (sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_text(statement, 0))
    value = reinterpret_cast<const char*>(sqlite3_column_text(statement, 0));
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return value;
}

// Every part of the key tells cards apart: a meaning edited, the other direction, another
// learner or file, a longer word, each is a card never reviewed.
TEST(ReviewStore, EveryPartOfTheKeyMakesItsOwnCard) {
  TempDir folder;
  ReviewStore store(folder.Path());
  const CardKey key = Key("mina", "basic.wbk", 1);
  ReviewEntry first = Answer(1000, 5000);
  store.Record(key, first);
  ReviewEntry second = Answer(6000, 90000);
  second.before = first.after;
  second.after.reps = 2;
  store.Record(key, second);
  EXPECT_EQ(store.Memory(key), second.after);
  // Trailing empty cells are no part of the word.
  EXPECT_EQ(store.Memory({key.learner, key.fileName, HangulKey(HangulCodes{0xAC01}), key.japan,
                          key.direction}),
            second.after);

  const std::vector<std::function<void(CardKey&)>> changes = {
      [](CardKey& k) { k.japan += "x"; },
      [](CardKey& k) { k.direction = Direction::JapaneseToKorean; },
      [](CardKey& k) { k.learner = "jun"; },
      [](CardKey& k) { k.fileName = "other.wbk"; },
      [](CardKey& k) {
        k.hangul = HangulKey(HangulCodes{0xAC01, 0xAC00});
      },
  };
  for (size_t row = 0; row < changes.size(); ++row) {
    CardKey other = key;
    changes[row](other);
    EXPECT_EQ(store.Memory(other), std::nullopt) << "row " << row;
  }
  EXPECT_EQ(Query(folder / "review.db", "SELECT count(*) FROM review_log WHERE reps_before = 1"),
            "1");
}

TEST(ReviewStore, DueCardsComeMostOverdueFirstForTheirLearnerOnly) {
  TempDir folder;
  ReviewStore store(folder.Path());
  const int64_t now = 1'000'000;
  const int64_t dues[] = {now - 10, now + 1, now - 500, now, now - 20};
  for (int word = 0; word < 5; ++word)
    store.Record(Key("mina", "a.wbk", word), Answer(1, dues[word]));
  store.Record(Key("jun", "a.wbk", 9), Answer(1, now - 9999));

  EXPECT_EQ(store.DueCount("mina", now), 4);
  const std::vector<DueCard> due = store.Due("mina", now, 3);
  ASSERT_EQ(due.size(), 3u);
  EXPECT_EQ(due[0].key, Key("mina", "a.wbk", 2));
  EXPECT_EQ(due[1].key, Key("mina", "a.wbk", 4));
  EXPECT_EQ(due[2].key, Key("mina", "a.wbk", 0));
  EXPECT_EQ(due[2].memory.due, now - 10);
}

// Days are the bounds given, not 24 hours (the second day here is one of a clock change), each
// from its first second up to the next day's; a card counts as new only on its first answer.
TEST(ReviewStore, DayCountsKeepToTheirDaysAndTheirLearner) {
  TempDir folder;
  ReviewStore store(folder.Path());
  const int64_t t = 1'700'000'000, day = 86'400;
  const int64_t bounds[] = {t, t + day, t + 2 * day - 3600, t + 3 * day - 3600};
  struct Row {
    const char* learner;
    int word;
    int64_t time;
    Rating rating;
    int32_t repsBefore;
    int64_t due;
  };
  const Row rows[] = {
      {"mina", 1, t, Rating::Again, 0, bounds[1]},
      {"mina", 2, bounds[1] - 1, Rating::Hard, 0, bounds[2] - 1},
      {"mina", 2, bounds[2], Rating::Good, 1, bounds[3]},
      {"mina", 3, t - 1, Rating::Easy, 0, t},
      {"mina", 3, bounds[2] + 100, Rating::Easy, 1, bounds[3] - 1},
      {"mina", 4, t - 5, Rating::Good, 0, t},  // two copies answered it first at once
      {"mina", 4, t + 10, Rating::Again, 0, t},
      {"mina", 5, bounds[3], Rating::Good, 0, t - 1},
      {"mina", 6, t + day / 2, Rating::Good, 0, bounds[1] - 1},
      {"jun", 1, t + 20, Rating::Good, 0, t + 30},
  };
  for (const Row& row : rows) {
    ReviewEntry entry = Answer(row.time, row.due);
    entry.rating = row.rating;
    entry.before.reps = row.repsBefore;
    store.Record(Key(row.learner, "a.wbk", row.word), entry);
  }
  EXPECT_EQ(store.DueByDay("mina", bounds), (std::vector<int>{2, 1, 1}));
  const std::vector<DayAnswers> answered = store.AnsweredByDay("mina", bounds);
  ASSERT_EQ(answered.size(), 3u);
  EXPECT_EQ((std::pair{answered[0].answers, answered[0].right}), std::pair(4, 2));
  EXPECT_EQ((std::pair{answered[1].answers, answered[1].right}), std::pair(0, 0));
  EXPECT_EQ((std::pair{answered[2].answers, answered[2].right}), std::pair(2, 2));
  EXPECT_EQ(store.NewSince("mina", t), 4);
  EXPECT_EQ(store.NewSince("mina", bounds[1]), 1);
  EXPECT_TRUE(store.DueByDay("mina", std::span(bounds, 1)).empty());
}

TEST(ReviewStore, PruneRemovesTheCardsAndLogsOfGoneFilesOnly) {
  TempDir folder;
  ReviewStore store(folder.Path());
  for (const char* learner : {"mina", "jun"})
    for (const char* file : {"kept.wbk", "gone.wbk"})
      for (int word = 0; word < 3; ++word) store.Record(Key(learner, file, word), Answer(1, 2));
  const auto exists = [](const std::string& name) { return name == "kept.wbk"; };
  store.NoteAllMet("mina", "gone.wbk", {10, 20});

  EXPECT_EQ(store.Prune("mina", exists), 3);
  EXPECT_FALSE(store.AllMet("mina", "gone.wbk", {10, 20})) << "a file of that name is another";
  EXPECT_EQ(store.Cards("mina", "gone.wbk").size(), 0u);
  EXPECT_EQ(store.Cards("jun", "gone.wbk").size(), 3u);
  EXPECT_EQ(store.Prune(std::nullopt, exists), 3);
  EXPECT_EQ(store.Cards("mina", "kept.wbk").size() + store.Cards("jun", "kept.wbk").size(), 6u);
  EXPECT_EQ(Query(folder / "review.db", "SELECT count(*) FROM review_log"), "6");
}

TEST(ReviewStore, ARecordOfTheFirstVersionKeepsItsCardsAndLearnsTheMetFiles) {
  TempDir folder;
  { ReviewStore(folder.Path()).Record(Key("mina", "a.wbk", 1), Answer(1, 2)); }
  for (const char* step : {"DROP TABLE file_met", "PRAGMA user_version = 1"})
    Query(folder / "review.db", step);
  ReviewStore store(folder.Path());
  EXPECT_EQ(store.Cards("mina", "a.wbk").size(), 1u);
  store.NoteAllMet("mina", "a.wbk", {10, 20});
  EXPECT_TRUE(store.AllMet("mina", "a.wbk", {10, 20}));
  EXPECT_FALSE(store.AllMet("mina", "a.wbk", {10, 21}));
}

// A file the store cannot use is refused with words a learner reads, and never crashes it,
// whether the fault shows on opening or only when a page is read.
TEST(ReviewStore, UnusableFileThrowsReviewStoreError) {
  using Kind = ReviewStoreError::Kind;
  struct Row {
    const char* name;
    std::function<void(const std::filesystem::path&)> make;
    Kind kind;
  };
  const Row rows[] = {
      {"garbage", [](const auto& file) { test::WriteBytes(file, std::string(8192, '\x5a')); },
       Kind::NotADatabase},
      {"another program's database",
       [](const auto& file) { Query(file, "CREATE TABLE notes (text TEXT)"); }, Kind::NotADatabase},
      {"newer version", [](const auto& file) { Query(file, "PRAGMA user_version = 99"); },
       Kind::Newer},
      {"pages overwritten",
       [](const auto& file) {
         {
           ReviewStore store(file.parent_path());
           for (int word = 0; word < 300; ++word)
             store.Record(Key("mina", "a.wbk", word), Answer(1, 2));
         }
         std::string bytes = test::ReadBytes(file);
         for (size_t i = 4096; i < bytes.size(); ++i) bytes[i] = char(i * 7);
         test::WriteBytes(file, bytes);
       },
       Kind::Damaged},
  };
  for (const Row& row : rows) {
    TempDir folder;
    row.make(folder / "review.db");
    try {
      ReviewStore store(folder.Path());
      store.Due("mina", 3, 1000);
      ADD_FAILURE() << row.name << ": no error";
    } catch (const ReviewStoreError& error) {
      EXPECT_EQ(error.WhatKind(), row.kind) << row.name << ": " << error.what();
      EXPECT_NE(std::string(error.what()).find("review.db"), std::string::npos) << row.name;
    }
  }
}

// Runs `work` in a child process that ends with it: 0 when it returned, 1 when it threw.
pid_t Child(const std::function<void()>& work) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  try {
    work();
  } catch (...) {
    _exit(1);
  }
  _exit(0);
}

int ExitStatus(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(ReviewStore, TwoProcessesRecordingAtOnceLoseNoAnswer) {
  TempDir folder;
  const auto writer = [&](int process) {
    return [&folder, process] {
      ReviewStore store(folder.Path());
      // The same cards in both: their first answers race to make them.
      for (int i = 0; i < 1000; ++i)
        store.Record(Key("mina", "a.wbk", i % 10), Answer(process * 10'000 + i, 5));
    };
  };
  const pid_t first = Child(writer(1));
  const pid_t second = Child(writer(2));
  EXPECT_EQ(ExitStatus(first), 0);
  EXPECT_EQ(ExitStatus(second), 0);
  EXPECT_EQ(Query(folder / "review.db", "SELECT count(DISTINCT time) FROM review_log"), "2000");
  EXPECT_EQ(Query(folder / "review.db", "SELECT count(*) FROM card"), "10");
}

TEST(ReviewStore, AWriterKilledMidwayLeavesEveryCommittedAnswer) {
  TempDir folder;
  int reports[2];
  ASSERT_EQ(pipe(reports), 0);
  const pid_t writer = Child([&] {
    close(reports[0]);
    ReviewStore store(folder.Path());
    for (int32_t i = 0;; ++i) {
      store.Record(Key("mina", "a.wbk", i % 50), Answer(i, 5));
      if (write(reports[1], &i, sizeof i) != sizeof i) return;
    }
  });
  close(reports[1]);
  int32_t committed = -1;
  for (int32_t i; read(reports[0], &i, sizeof i) == sizeof i;) {
    committed = i;
    if (committed == 300) kill(writer, SIGKILL);
  }
  close(reports[0]);
  EXPECT_EQ(ExitStatus(writer), -1);

  ReviewStore store(folder.Path());
  EXPECT_EQ(store.DueCount("mina", 5), 50);
  EXPECT_EQ(Query(folder / "review.db", "PRAGMA integrity_check"), "ok");
  const std::string sql =
      "SELECT count(*) FROM review_log WHERE time <= " + std::to_string(committed);
  EXPECT_EQ(Query(folder / "review.db", sql), std::to_string(committed + 1));
}

}  // namespace
}  // namespace norumi::review
