// SPDX-License-Identifier: GPL-3.0-or-later
// The review record of a heavy learner: 100 word files of 10,000 words, a card for each word and
// 2,000,000 answers logged. What the menu asks of it on every start (the due count) and what
// every answer costs (one transaction, with the durability the program uses), and the day counts
// of the review's results chart. Counters in ms.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <random>
#include <vector>

#include "ReviewRows.h"
#include "review/ReviewStore.h"

namespace norumi::bench {
namespace {

using review::CardKey;
using review::Direction;
using review::ReviewStore;

constexpr int kAnswersPerCard = 2;

CardKey Key(int file, int word) {
  return {"mina", "words" + std::to_string(file) + ".wbk",
          review::HangulKey(HangulCodes{0xAC00 + word % 11'172, 0xAC00 + word / 11'172}),
          "\x88\xa4" + std::to_string(word), Direction::KoreanToJapanese};
}

void Fill(const std::filesystem::path& folder) {
  CardRows rows(folder);
  sqlite3_stmt* log = nullptr;
  Check(sqlite3_prepare_v2(rows.Db(),
                           "INSERT INTO review_log VALUES (NULL, ?1, ?2, 3, 10, 2, 5, 0, 0, 1, 0, "
                           "20, 5, ?2, ?3, 2, 0, 2000)",
                           -1, &log, nullptr),
        rows.Db());
  std::mt19937_64 random(42);
  // Due from a month ago to eleven months ahead: the spread of a learner who reviews daily.
  std::uniform_int_distribution<int64_t> due(kNow - 30 * kDay, kNow + 335 * kDay);
  for (int file = 0; file < kFiles; ++file)
    for (int word = 0; word < kWordsPerFile; ++word) {
      const int64_t next = due(random);
      const int64_t card = rows.Add(Key(file, word), 20, next - 20 * kDay, next, 2);
      for (int answer = 0; answer < kAnswersPerCard; ++answer) {
        sqlite3_bind_int64(log, 1, card);
        sqlite3_bind_int64(log, 2, next - (kAnswersPerCard - answer) * 20 * kDay);
        sqlite3_bind_int64(log, 3, next);
        Check(sqlite3_step(log), rows.Db());
        sqlite3_reset(log);
      }
    }
  sqlite3_finalize(log);
  rows.Commit();
}

// Made once for every benchmark of the run.
const std::filesystem::path& Filled() {
  static test::TempDir folder;
  static const bool filled = (Fill(folder.Path()), true);
  (void)filled;
  return folder.Path();
}

// range(0): how many days ahead the count looks; 0 counts a daily learner's due cards (about
// one in twelve), 400 counts every card, the worst case.
void BM_ReviewDueCount(benchmark::State& state) {
  ReviewStore store(Filled());
  const int64_t at = kNow + state.range(0) * kDay;
  double total = 0;
  int due = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    due = store.DueCount("mina", at);
    total += Seconds(std::chrono::steady_clock::now() - start);
  }
  state.counters["due"] = due;
  state.counters["ms"] = total * 1000 / double(state.iterations());
}

// One answer to a card already reviewed: its log row and the card's new memory, committed.
void BM_ReviewRecord(benchmark::State& state) {
  ReviewStore store(Filled());
  std::mt19937 random(7);
  std::uniform_int_distribution<int> file(0, kFiles - 1), word(0, kWordsPerFile - 1);
  review::ReviewEntry entry;
  entry.time = kNow;
  entry.after = {30, 5, kNow, kNow + 30 * kDay, 3, 0};
  double total = 0;
  for (auto _ : state) {
    const CardKey key = Key(file(random), word(random));
    const auto start = std::chrono::steady_clock::now();
    store.Record(key, entry);
    total += Seconds(std::chrono::steady_clock::now() - start);
  }
  state.counters["ms"] = total * 1000 / double(state.iterations());
}

// The raw limit of a day count: one count over the same rows, read from the same index, with no
// split into days and no card looked up; on its own connection, prepared once.
class RawCount {
 public:
  explicit RawCount(const char* sql) {
    Check(sqlite3_open((Filled() / ReviewStore::kFileName).c_str(), &db_), db_);
    Check(sqlite3_prepare_v2(db_, sql, -1, &count_, nullptr), db_);
  }
  ~RawCount() {
    sqlite3_finalize(count_);
    sqlite3_close(db_);
  }
  int64_t operator()(int64_t from, int64_t to) {
    sqlite3_bind_int64(count_, 1, from);
    sqlite3_bind_int64(count_, 2, to);
    Check(sqlite3_step(count_), db_);
    const int64_t result = sqlite3_column_int64(count_, 0);
    sqlite3_reset(count_);
    return result;
  }

 private:
  sqlite3* db_ = nullptr;
  sqlite3_stmt* count_ = nullptr;
};

// The chart's days: 31 midnights from `first` on.
std::vector<int64_t> Days(int64_t first) {
  std::vector<int64_t> bounds;
  for (int day = 0; day <= 30; ++day) bounds.push_back(first + day * kDay);
  return bounds;
}

// `count` timed against the raw count `sql` over the same 30 days, both run as often.
template <typename Count>
void TimeDays(benchmark::State& state, const std::vector<int64_t>& bounds, const char* sql,
              Count count) {
  RawCount rawCount(sql);
  double total = 0, raw = 0;
  for (auto _ : state) {
    auto start = std::chrono::steady_clock::now();
    state.counters["rows"] = count(bounds);
    total += Seconds(std::chrono::steady_clock::now() - start);
    start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(rawCount(bounds.front(), bounds.back()));
    raw += Seconds(std::chrono::steady_clock::now() - start);
  }
  state.counters["ms"] = total * 1000 / double(state.iterations());
  state.counters["raw_ms"] = raw * 1000 / double(state.iterations());
  state.counters["ratio"] = total / raw;
}

// The next 30 days' due cards, tomorrow first.
void BM_ReviewDueByDay(benchmark::State& state) {
  ReviewStore store(Filled());
  TimeDays(state, Days(kNow + kDay),
           "SELECT count(*) FROM card WHERE learner = 'mina' AND due >= ?1 AND due < ?2",
           [&](const std::vector<int64_t>& bounds) {
             int cards = 0;
             for (int due : store.DueByDay("mina", bounds)) cards += due;
             return cards;
           });
}

// The last 30 days' answers, today last.
void BM_ReviewAnsweredByDay(benchmark::State& state) {
  ReviewStore store(Filled());
  TimeDays(state, Days(kNow - 29 * kDay),
           "SELECT count(*) FROM review_log WHERE time >= ?1 AND time < ?2",
           [&](const std::vector<int64_t>& bounds) {
             int answers = 0;
             for (const review::DayAnswers& day : store.AnsweredByDay("mina", bounds))
               answers += day.answers;
             return answers;
           });
}

BENCHMARK(BM_ReviewDueCount)->Arg(0)->Arg(400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReviewRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReviewDueByDay)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReviewAnsweredByDay)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace norumi::bench
