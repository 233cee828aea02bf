// SPDX-License-Identifier: GPL-3.0-or-later
// Judging a typed meaning with the Japanese analyser, beside the same rules without it
// (`x_plain`). The analyser is opened once per process, as the program and wbk open it; what
// that costs is reported once, as `open_ms` and the resident memory it adds (`open_MiB`).
#include <benchmark/benchmark.h>

#include <QElapsedTimer>
#include <fstream>

#include "BenchWords.h"
#include "judging/MeaningJudge.h"
#include "judging/Readings.h"

namespace norumi::bench {
namespace {

struct Pair {
  const char* meaning;
  const char* answer;
};

// Typical textbook meanings and the answers learners type, right and wrong.
const Pair kPairs[] = {
    {"おいしい", "美味しい"},
    {"お疲れさまでした", "お疲れ様でした"},
    {"大丈夫です", "大丈夫"},
    {"行く", "行きます"},
    {"一つ", "1つ"},
    {"言う、話す", "話す"},
    {"さようなら（見送る側）", "さようなら"},
    {"高い（値段が）、背が高い", "安い"},
    {"アフターサービス、A/S", "A"},
    {"ドア・戸", "扉"},
    {"勉強（する）", "勉強します"},
    {"橋", "箸"},
};

double ResidentMiB() {
  std::ifstream statm("/proc/self/statm");
  double pages = 0;
  statm >> pages >> pages;
  return pages * 4096 / (1024 * 1024);
}

void JudgeAll(const JapaneseReadings* readings) {
  for (const Pair& pair : kPairs) {
    benchmark::DoNotOptimize(JudgeMeaning(QString::fromUtf8(pair.meaning),
                                          QString::fromUtf8(pair.answer), false, readings));
  }
}

void BM_JudgeMeaning(benchmark::State& state) {
  const double before = ResidentMiB();
  QElapsedTimer clock;
  clock.start();
  QString why;
  const auto readings = JapaneseReadings::Open(JapaneseReadings::DictionaryFolder(), &why);
  const double openMs = clock.nsecsElapsed() / 1e6;
  if (!readings) {
    state.SkipWithError(why.toStdString().c_str());
    return;
  }
  JudgeAll(readings.get());
  const double opened = ResidentMiB();
  const double plain = BestOf(3, [] { JudgeAll(nullptr); });
  const auto start = std::chrono::steady_clock::now();
  for (auto _ : state) JudgeAll(readings.get());
  const double round = Seconds(std::chrono::steady_clock::now() - start) / state.iterations();
  state.counters["us_per_answer"] = round / std::size(kPairs) * 1e6;
  state.counters["x_plain"] = round / plain;
  state.counters["open_ms"] = openMs;
  state.counters["open_MiB"] = opened - before;
}
BENCHMARK(BM_JudgeMeaning)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace norumi::bench
