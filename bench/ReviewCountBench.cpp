// SPDX-License-Identifier: GPL-3.0-or-later
// The menu's count of the day's review for a learner who has met every word both ways: 100 word
// files of 10,000 words and a card for each word in each direction, so that no file has a new
// word left. The first count looks through every file and its cards (first_ms); it notes each
// file as met, and later counts pass the files by while they stay as they are (ms). The floor
// is loading the files, what looking for new words in them would cost at the least. Counters:
// first_ms, ms, floor_ms, x_floor (of the later counts).
#include <benchmark/benchmark.h>

#include "ReviewRows.h"
#include "TempDir.h"

namespace norumi::bench {
namespace {

struct Folder {
  test::TempDir dir;
  std::vector<std::filesystem::path> files;
  ReviewSettings settings;  // 20 new words a day

  Folder() {
    ReviewBook book(dir.Path(), "mina", settings);
    CardRows rows(dir.Path());
    files =
        SaveWordFiles(dir.Path(), [&](const std::filesystem::path& file, const TTangoList& list) {
          for (int i = 0; i < kWordsPerFile; ++i)
            for (const auto direction :
                 {QuizDirection::KoreanToJapanese, QuizDirection::JapaneseToKorean})
              rows.Add(book.CardOf(file, list.Tango(i), direction), 90, kNow - 30 * kDay,
                       kNow + 60 * kDay, 3, i);
        });
    rows.Commit();
  }
};

void BM_ReviewCountNoneNew(benchmark::State& state) {
  static Folder folder;
  ReviewBook book(folder.dir.Path(), "mina", folder.settings);
  book.Open();
  const ReviewDay day = BenchDay();
  const double floor = BestOf(3, [&] {
    for (const auto& file : folder.files) {
      TTangoList list;
      list.LoadFromFile(file);
      benchmark::DoNotOptimize(list.Count());
    }
  });
  // The first count looks through every file, and notes each as met.
  {
    CardRows rows(folder.dir.Path());
    rows.Exec("DELETE FROM file_met");
    rows.Commit();
  }
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
