// SPDX-License-Identifier: GPL-3.0-or-later
// What a learner waits for around a quiz of a million words (a learner's file, RealisticWords.h):
// from the selection's OK to the first question (the file locked and loaded, a new drill chosen,
// the session started; the target is 200 ms), in file order and in random order, and from the
// last answer to the menu (the answers saved under the lock).
#include <benchmark/benchmark.h>

#include "BenchWords.h"
#include "RealisticWords.h"
#include "session/QuizRun.h"

namespace norumi::bench {
namespace {

void BM_QuizAt1M(benchmark::State& state) {
  test::TempDir dir;
  const auto path = dir / "words.wbk";
  SaveRealisticWords(path, 1'000'000);
  const bool random = state.range(0) != 0;
  double open = 0, close = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    QuizRun run({path}, dir / "combined.wbk");
    run.Lock();
    auto list = std::make_unique<TTangoList>();
    list->LoadFromFile(path);
    run.Take(std::move(list), "learner");
    run.Ready(QuizDirection::KoreanToJapanese, {std::nullopt, random, false});
    QuizSession session(run.List(), QuizDirection::KoreanToJapanese);
    benchmark::DoNotOptimize(session.Word());
    const auto asked = std::chrono::steady_clock::now();
    session.JudgeMeaning(std::string("x"));
    run.Save([](const EFileError&) { return false; });
    open += Seconds(asked - start);
    close += Seconds(std::chrono::steady_clock::now() - asked);
  }
  state.counters["open_ms"] = open / double(state.iterations()) * 1000;
  state.counters["close_ms"] = close / double(state.iterations()) * 1000;
}
BENCHMARK(BM_QuizAt1M)
    ->ArgName("random")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace norumi::bench
