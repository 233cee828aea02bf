// SPDX-License-Identifier: GPL-3.0-or-later
// The text bridge beside the raw limits measured in the same run. Exporting a word file's words
// as text (what `wbk export` does after loading) is set beside loading the file (`x_load`) and
// beside reading its bytes (`x_raw`); the CP932 conversions alone beside Qt's own UTF-8
// conversion of the same text (`x_utf8`).
#include <benchmark/benchmark.h>

#include <memory>

#include "BenchWords.h"
#include "exchange/Tsv.h"
#include "platform/text/Cp932.h"
#include "storage/SafeSave.h"

namespace norumi::bench {
namespace {

// The words as lines of tab-separated text, a field at a time, as wbk export writes them.
std::string ExportText(TTangoList& list) {
  std::string out;
  for (int i = 0; i < list.Count(); ++i) {
    const TangoView word = list.View(i);
    AppendTsvFieldFromCodes(word.Hangul, true, out);
    for (const std::string_view text : {word.Japan, word.Setsumei, word.Url}) {
      out += '\t';
      AppendTsvFieldFromCp932(text, out);
    }
    out += '\n';
  }
  return out;
}

void BM_ExportWords(benchmark::State& state) {
  test::TempDir dir;
  const auto path = dir / "words.wbk";
  SaveWords(path, int(state.range(0)));
  const double raw = BestOf(3, [&] { benchmark::DoNotOptimize(ReadWholeFile(path)); });
  std::unique_ptr<TTangoList> list;
  const double load = BestOf(3, [&] {
    list = std::make_unique<TTangoList>();
    list->LoadFromFile(path);
  });
  double total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(ExportText(*list));
    total += Seconds(std::chrono::steady_clock::now() - start);
  }
  state.counters["x_load"] = total / double(state.iterations()) / load;
  state.counters["x_raw"] = total / double(state.iterations()) / raw;
}

// The Japanese of `count` words, as CP932 bytes and as the same text in UTF-8.
void JapaneseOf(int count, std::vector<std::string>& cp932, std::vector<std::string>& utf8) {
  TTangoList list;
  FillWords(list, count);
  for (int i = 0; i < count; ++i) {
    cp932.push_back(list.Tango(i).Japan);
    utf8.push_back(FromCp932(cp932.back()).toStdString());
  }
}

void BM_FromCp932(benchmark::State& state) {
  std::vector<std::string> cp932, utf8;
  JapaneseOf(int(state.range(0)), cp932, utf8);
  const double raw = BestOf(3, [&] {
    for (const auto& s : utf8) benchmark::DoNotOptimize(QString::fromStdString(s));
  });
  double total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (const auto& s : cp932) benchmark::DoNotOptimize(FromCp932(s));
    total += Seconds(std::chrono::steady_clock::now() - start);
  }
  state.counters["x_utf8"] = total / double(state.iterations()) / raw;
}

void BM_ToCp932(benchmark::State& state) {
  std::vector<std::string> cp932, utf8;
  JapaneseOf(int(state.range(0)), cp932, utf8);
  std::vector<QString> texts;
  for (const auto& s : utf8) texts.push_back(QString::fromStdString(s));
  const double raw = BestOf(3, [&] {
    for (const auto& t : texts) benchmark::DoNotOptimize(t.toStdString());
  });
  double total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    for (const auto& t : texts) benchmark::DoNotOptimize(ToCp932(t));
    total += Seconds(std::chrono::steady_clock::now() - start);
  }
  state.counters["x_utf8"] = total / double(state.iterations()) / raw;
}

BENCHMARK(BM_ExportWords)->Arg(1'000'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FromCp932)->Arg(100'000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ToCp932)->Arg(100'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace norumi::bench
