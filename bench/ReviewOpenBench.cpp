// SPDX-License-Identifier: GPL-3.0-or-later
// Opening the day's review: 200 due cards, two in each of 100 word files of 10,000 words, so
// that every file must be read. The review reads only the files that hold due cards, and finds
// each card's word where it lay when last answered; the floor is loading those same files and
// keeping them, as the review must to ask their words. Counter x_floor (target <= 2).
#include <benchmark/benchmark.h>

#include "ReviewRows.h"
#include "TempDir.h"

namespace norumi::bench {
namespace {

struct Folder {
  test::TempDir dir;
  std::vector<std::filesystem::path> files;
  ReviewSettings settings;

  Folder() {
    settings.newPerDay = 0;  // the due cards alone
    ReviewBook book(dir.Path(), "mina", settings);
    book.Open();
    files =
        SaveWordFiles(dir.Path(), [&](const std::filesystem::path& file, const TTangoList& list) {
          // Answered a week ago, and due since.
          for (const int i : {17, kWordsPerFile - 3}) {
            const TTango& word = list.Tango(i);
            book.Record(book.CardOf(file, word, QuizDirection::KoreanToJapanese),
                        {word, i, QuizDirection::KoreanToJapanese, review::Rating::Hard,
                         kNow - 7 * kDay, 3000},
                        i);
          }
        });
  }
};

Folder& Made() {
  static Folder folder;
  return folder;
}

void BM_ReviewOpen200Due(benchmark::State& state) {
  Folder& folder = Made();
  ReviewBook book(folder.dir.Path(), "mina", folder.settings);
  book.Open();
  const ReviewDay day = BenchDay();
  // Loaded and kept, as the review keeps the files whose words it asks.
  const double floor = BestOf(5, [&] {
    std::vector<TTangoList> lists(folder.files.size());
    for (size_t f = 0; f < lists.size(); ++f) lists[f].LoadFromFile(folder.files[f]);
    benchmark::DoNotOptimize(lists.data());
  });
  int asked = 0;
  double best = 1e9;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    ReviewPlan plan(book, folder.files, day);
    best = std::min(best, Seconds(std::chrono::steady_clock::now() - start));
    asked = plan.Left();
  }
  if (asked != 2 * kFiles) state.SkipWithError("not every due card was found");
  state.counters["floor_ms"] = floor * 1e3;
  state.counters["x_floor"] = best / floor;  // best of each, as the floor is taken
}
BENCHMARK(BM_ReviewOpen200Due)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace norumi::bench
