// SPDX-License-Identifier: GPL-3.0-or-later
#include <benchmark/benchmark.h>

#include <malloc.h>

#include "BenchWords.h"

namespace norumi::bench {
namespace {

void BM_SelectQuestionsShuffled(benchmark::State& state) {
  TRirekiList history;
  for (auto _ : state) history.SelectQuestions(int32_t(state.range(0)), 50, true, false);
  benchmark::DoNotOptimize(history.Order.data());
}
BENCHMARK(BM_SelectQuestionsShuffled)->Arg(100'000)->Unit(benchmark::kMillisecond);

// The heap a loaded list of a million words holds, as the allocator counts it: resident-size
// readings would miss memory that earlier frees left in the process.
double HeapBytes() {
#ifdef __GLIBC__
  const struct mallinfo2 info = mallinfo2();
  return double(info.uordblks + info.hblkhd);
#else
  return 0;
#endif
}

void BM_MemoryOfLoadedList(benchmark::State& state) {
  test::TempDir dir;
  {
    TTangoList list;
    FillWords(list, int(state.range(0)));
    list.SaveToFile(dir / "m.wbk");
  }
  for (auto _ : state) {
    const double before = HeapBytes();
    TTangoList list;
    list.LoadFromFile(dir / "m.wbk");
    state.counters["MiB"] = (HeapBytes() - before) / (1 << 20);
    state.counters["bytes_per_word"] = (HeapBytes() - before) / list.Count();
  }
}
BENCHMARK(BM_MemoryOfLoadedList)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace norumi::bench
