// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's count of the day's review for a learner who has met every word both ways: 100 word
// files of 10,000 words and a card for each word in each direction, so that no file has a new
// word left. The first count looks through every file and its cards (first_ms); it notes each
// file as met, and later counts pass the files by while they stay as they are (ms). The floor
// is loading the files, what looking for new words in them would cost at the least. Counters:
// first_ms, ms, floor_ms, x_floor (of the later counts).
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include "BenchWords.h"
#include "TempDir.h"
#include "session/ReviewPlan.h"

namespace norumi::bench {
namespace {

constexpr int kFiles = 100;
constexpr int kWordsPerFile = 10'000;
constexpr int64_t kDay = 86'400;
constexpr int64_t kNow = 1'800'000'000;

void Check(int code, sqlite3* db) {
  if (code != SQLITE_OK && code != SQLITE_DONE && code != SQLITE_ROW)
    throw std::runtime_error(sqlite3_errmsg(db));
}

struct Folder {
  test::TempDir dir;
  std::vector<std::filesystem::path> files;
  ReviewSettings settings;  // 20 new words a day

  // The cards go in through SQLite directly, in one transaction: two million answers, one
  // transaction each, would take the benchmark hours.
  Folder() {
    ReviewBook book(dir.Path(), "mina", settings);
    book.Open();
    sqlite3* db = nullptr;
    Check(sqlite3_open((dir.Path() / review::ReviewStore::kFileName).c_str(), &db), db);
    Check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* card = nullptr;
    Check(sqlite3_prepare_v2(db,
                             "INSERT INTO card (learner, file_name, hangul, japan, direction, "
                             "stability, difficulty, last_review, due, reps, lapses, word_index) "
                             "VALUES (?, ?, ?, ?, ?, 90, 5, ?, ?, 3, 0, ?)",
                             -1, &card, nullptr),
          db);
    for (int f = 0; f < kFiles; ++f) {
      TTangoList list;
      FillWords(list, kWordsPerFile, f);
      files.push_back(dir / ("words" + std::to_string(f) + ".wbk"));
      list.SaveToFile(files.back());
      for (int i = 0; i < kWordsPerFile; ++i)
        for (const auto direction :
             {QuizDirection::KoreanToJapanese, QuizDirection::JapaneseToKorean}) {
          const review::CardKey key = book.CardOf(files.back(), list.Tango(i), direction);
          sqlite3_bind_text(card, 1, key.learner.data(), int(key.learner.size()), SQLITE_STATIC);
          sqlite3_bind_text(card, 2, key.fileName.data(), int(key.fileName.size()), SQLITE_STATIC);
          sqlite3_bind_blob(card, 3, key.hangul.data(), int(key.hangul.size()), SQLITE_STATIC);
          sqlite3_bind_blob(card, 4, key.japan.data(), int(key.japan.size()), SQLITE_STATIC);
          sqlite3_bind_int(card, 5, int(key.direction));
          sqlite3_bind_int64(card, 6, kNow - 30 * kDay);
          sqlite3_bind_int64(card, 7, kNow + 60 * kDay);
          sqlite3_bind_int(card, 8, i);
          Check(sqlite3_step(card), db);
          sqlite3_reset(card);
        }
    }
    sqlite3_finalize(card);
    Check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
  }
};

void BM_ReviewCountNoneNew(benchmark::State& state) {
  static Folder folder;
  ReviewBook book(folder.dir.Path(), "mina", folder.settings);
  book.Open();
  const ReviewDay day{kNow, kNow - kNow % kDay, kNow - kNow % kDay + kDay};
  const double floor = BestOf(3, [&] {
    for (const auto& file : folder.files) {
      TTangoList list;
      list.LoadFromFile(file);
      benchmark::DoNotOptimize(list.Count());
    }
  });
  // The first count looks through every file, and notes each as met.
  sqlite3* db = nullptr;
  Check(sqlite3_open((folder.dir.Path() / review::ReviewStore::kFileName).c_str(), &db), db);
  Check(sqlite3_exec(db, "DELETE FROM file_met", nullptr, nullptr, nullptr), db);
  sqlite3_close(db);
  auto start = std::chrono::steady_clock::now();
  int count = ReviewPlan::CountToday(book, folder.files, day);
  const double first = Seconds(std::chrono::steady_clock::now() - start);
  double best = 1e9;
  for (auto _ : state) {
    start = std::chrono::steady_clock::now();
    count = ReviewPlan::CountToday(book, folder.files, day);
    best = std::min(best, Seconds(std::chrono::steady_clock::now() - start));
  }
  if (count != 0) state.SkipWithError("a word was counted as new");
  state.counters["first_ms"] = first * 1e3;
  state.counters["ms"] = best * 1e3;
  state.counters["floor_ms"] = floor * 1e3;
  state.counters["x_floor"] = best / floor;
}
BENCHMARK(BM_ReviewCountNoneNew)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
}  // namespace norumi::bench
