// SPDX-License-Identifier: GPL-3.0-or-later
// Loading and saving word files beside the raw limits measured in the same run: reading the same
// bytes into memory, and writing them to a new file. The counter `x_raw` is the ratio.
#include <benchmark/benchmark.h>

#include <fstream>

#include "BenchWords.h"
#include "storage/SafeSave.h"

namespace norumi::bench {
namespace {

void RawWrite(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), std::streamsize(bytes.size()));
}

void BM_LoadWordFile(benchmark::State& state) {
  test::TempDir dir;
  const auto path = dir / "words.wbk";
  SaveWords(path, int(state.range(0)));
  const double raw = BestOf(5, [&] { benchmark::DoNotOptimize(ReadWholeFile(path)); });
  double total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    TTangoList list;
    benchmark::DoNotOptimize(list.LoadFromFile(path));
    total += Seconds(std::chrono::steady_clock::now() - start);
  }
  state.counters["MiB"] = double(std::filesystem::file_size(path)) / (1 << 20);
  state.counters["x_raw"] = total / double(state.iterations()) / raw;
}

void BM_SaveWordFile(benchmark::State& state) {
  test::TempDir dir;
  TTangoList list;
  FillWords(list, int(state.range(0)));
  list.SaveToFile(dir / "words.wbk");
  const std::string bytes = test::ReadBytes(dir / "words.wbk");
  const double raw = BestOf(5, [&] { RawWrite(dir / "raw.wbk", bytes); });
  double total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    list.SaveToFile(dir / "words.wbk");
    total += Seconds(std::chrono::steady_clock::now() - start);
  }
  state.counters["x_raw"] = total / double(state.iterations()) / raw;
}

// Ten lists of 100,000 words merged into the first, beside loading the ten files.
void BM_MergeTenLists(benchmark::State& state) {
  test::TempDir dir;
  std::vector<std::filesystem::path> paths;
  for (int i = 0; i < 10; ++i) {
    TTangoList list;
    FillWords(list, 100'000, i % 5);  // half of the words are repeats
    paths.push_back(dir / ("w" + std::to_string(i) + ".wbk"));
    list.SaveToFile(paths.back());
  }
  std::vector<std::unique_ptr<TTangoList>> lists;
  const auto loadAll = [&] {
    lists.clear();
    for (const auto& p : paths) {
      lists.push_back(std::make_unique<TTangoList>());
      lists.back()->LoadFromFile(p);
    }
  };
  const double load = BestOf(3, loadAll);
  double total = 0;
  for (auto _ : state) {
    loadAll();
    TTangoList& target = *lists[0];
    std::vector<std::unique_ptr<TTangoList>> others(std::make_move_iterator(lists.begin() + 1),
                                                    std::make_move_iterator(lists.end()));
    const auto start = std::chrono::steady_clock::now();
    target.MergeAllMoving(std::move(others));
    total += Seconds(std::chrono::steady_clock::now() - start);
    state.counters["words"] = target.Count();
  }
  state.counters["x_load"] = total / double(state.iterations()) / load;
}

// A file that holds one word `range(0)` times merged with another such file, as a quiz over
// both builds it; beside loading the two files.
void BM_MergeRepeatedWord(benchmark::State& state) {
  test::TempDir dir;
  const int copies = int(state.range(0));
  for (const char* name : {"a.wbk", "b.wbk"}) {
    TTangoList list;
    for (int i = 0; i < copies; ++i) {
      TTango& t = list.AddNew();
      t.Japan = "\x8C\xA2";  // 犬
      t.Hangul = {0xAC1C, 0};
    }
    list.SaveToFile(dir / name);
  }
  const double load = BestOf(3, [&] {
    TTangoList a, b;
    a.LoadFromFile(dir / "a.wbk");
    b.LoadFromFile(dir / "b.wbk");
  });
  double total = 0;
  for (auto _ : state) {
    TTangoList target;
    target.LoadFromFile(dir / "a.wbk");
    std::vector<std::unique_ptr<TTangoList>> others;
    others.push_back(std::make_unique<TTangoList>());
    others.back()->LoadFromFile(dir / "b.wbk");
    const auto start = std::chrono::steady_clock::now();
    target.MergeAllMoving(std::move(others));
    total += Seconds(std::chrono::steady_clock::now() - start);
  }
  state.counters["merge_ms"] = total / double(state.iterations()) * 1000;
  state.counters["x_load"] = total / double(state.iterations()) / load;
}

// What `wbk import` does with its words: `range(0)` words, half of them new, added to a file of
// as many; beside loading that file.
void BM_ImportWords(benchmark::State& state) {
  test::TempDir dir;
  const int count = int(state.range(0));
  {
    TTangoList list;
    FillWords(list, count);
    list.SaveToFile(dir / "words.wbk");
  }
  TangoRecords words;  // as the TSV reader hands them on
  {
    TTangoList source;
    FillWords(source, count, 0);
    FillWords(source, count / 2, 3);
    for (int i = count / 2; i < source.Count(); ++i) words.Append(source.View(i));
  }
  const double load = BestOf(3, [&] {
    TTangoList list;
    list.LoadFromFile(dir / "words.wbk");
  });
  double total = 0;
  for (auto _ : state) {
    TTangoList list;
    list.LoadFromFile(dir / "words.wbk");
    const auto start = std::chrono::steady_clock::now();
    state.counters["added"] = list.AddAbsent(words);
    total += Seconds(std::chrono::steady_clock::now() - start);
  }
  state.counters["add_ms"] = total / double(state.iterations()) * 1000;
  state.counters["x_load"] = total / double(state.iterations()) / load;
}

BENCHMARK(BM_LoadWordFile)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveWordFile)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MergeTenLists)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_MergeRepeatedWord)->Arg(200'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportWords)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace norumi::bench
