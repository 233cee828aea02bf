// SPDX-License-Identifier: GPL-3.0-or-later
// What 登録 in the word editor costs the window at a million words: the bytes of the file made
// on the window's thread and handed to the writer behind it (`gui_ms`, whose target is 50 ms;
// `first_ms` is the first of them, which has no buffer of an earlier write to make them in),
// beside the save the window itself made before (`x_sync`, the same run) and beside copying the
// file's bytes in memory (`x_copy`).
#include <benchmark/benchmark.h>

#include <cstring>

#include "BenchWords.h"
#include "editor/WordFileWriter.h"
#include "model/WordFileUpdate.h"
#include "storage/WordFileLock.h"

namespace norumi::bench {
namespace {

void BM_RegisterWordAt1M(benchmark::State& state) {
  test::TempDir dir;
  const auto path = dir / "words.wbk";
  SaveWords(path, 1'000'000);
  TTangoList list;
  list.LoadFromFile(path);
  auto lock = std::make_unique<WordFileLock>(path);
  const auto edit = [&](int round) {
    list.Tango(round % list.Count()).Japan = "\x82\xA4" + std::to_string(round);  // う…
  };
  const std::string bytes = test::ReadBytes(path);
  std::string copy(bytes.size(), '\0');
  const double raw = BestOf(5, [&] {
    std::memcpy(copy.data(), bytes.data(), bytes.size());
    benchmark::DoNotOptimize(copy.data());
  });
  int round = 0;
  const double sync = BestOf(3, [&] {
    edit(++round);
    SaveUnderLock(lock, list, path, [&] { list.SaveKeepingEmpty(path); }, kWindowLockWait, {});
  });
  WordFileWriter writer;
  double total = 0, first = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    edit(++round);
    SaveUnderLock(lock, list, path,
                  [&] {
                    ByteWriter out = writer.TakeSpare();
                    list.SaveKeepingEmpty(out);
                    writer.Submit(path, std::move(out));
                  },
                  kWindowLockWait, {});
    const double took = Seconds(std::chrono::steady_clock::now() - start);
    if (total == 0) first = took;
    total += took;
    state.PauseTiming();
    writer.WaitBlocking();  // the next 登録 comes after a human pause, not during the write
    state.ResumeTiming();
  }
  const double gui = total / double(state.iterations());
  state.counters["gui_ms"] = gui * 1000;
  state.counters["first_ms"] = first * 1000;
  state.counters["x_sync"] = gui / sync;
  state.counters["x_copy"] = gui / raw;
}

BENCHMARK(BM_RegisterWordAt1M)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace
}  // namespace norumi::bench
