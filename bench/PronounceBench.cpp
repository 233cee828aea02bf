// SPDX-License-Identifier: GPL-3.0-or-later
// Saying every distinct reading of the system's hanja dictionary (Debian's libhangul-data): about
// 222,700 Sino-Korean words, the kind of word the pronunciation rules meet most. Beside the raw
// limit measured in the same run, copying each word's codes (`x_raw`); `listed` counts the
// readings for which the word list of compounds and suffixes decided a sound.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <set>
#include <string_view>
#include <vector>

#include "BenchWords.h"
#include "hangul/core/Jamo.h"
#include "hangul/core/Pronunciation.h"
#include "model/Utf8.h"
#include "storage/SafeSave.h"

namespace norumi::bench {
namespace {

constexpr const char* kHanjaDictionary = "/usr/share/libhangul/hanja/hanja.txt";

// The distinct readings of `reading:hanja:meaning` lines that are Hangul syllables only.
std::vector<HangulCodes> Readings(const std::string& text) {
  std::set<std::string_view> seen;
  std::vector<HangulCodes> readings;
  size_t at = 0;
  while (at < text.size()) {
    size_t end = text.find('\n', at);
    if (end == std::string::npos) end = text.size();
    const std::string_view line(text.data() + at, end - at);
    at = end + 1;
    const std::string_view reading = line.substr(0, line.find(':'));
    if (line.empty() || line[0] == '#' || reading.empty() || !seen.insert(reading).second) continue;
    HangulCodes codes = CodesFromUtf8(reading);
    if (std::all_of(codes.begin(), codes.end(), jamo::IsSyllable))
      readings.push_back(std::move(codes));
  }
  return readings;
}

void BM_PronounceHanjaReadings(benchmark::State& state) {
  std::string text;
  try {
    text = ReadWholeFile(kHanjaDictionary);
  } catch (const std::exception&) {
  }
  if (text.empty()) {
    state.SkipWithError("the hanja dictionary /usr/share/libhangul/hanja/hanja.txt is missing");
    return;
  }
  const std::vector<HangulCodes> readings = Readings(text);
  const double raw = BestOf(3, [&] {
    for (const HangulCodes& word : readings) benchmark::DoNotOptimize(CodeView(word).ToCodes());
  });
  PronunciationStats stats;
  double total = 0;
  for (auto _ : state) {
    stats = {};
    const auto start = std::chrono::steady_clock::now();
    for (const HangulCodes& word : readings) benchmark::DoNotOptimize(PronunciationOf(word, stats));
    total += Seconds(std::chrono::steady_clock::now() - start);
  }
  const double each = total / double(state.iterations());
  state.counters["ms"] = each * 1000;
  state.counters["readings"] = double(readings.size());
  state.counters["listed"] = double(stats.listDecided);
  state.counters["x_raw"] = each / raw;
}

BENCHMARK(BM_PronounceHanjaReadings)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace norumi::bench
