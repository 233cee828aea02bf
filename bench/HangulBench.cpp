// SPDX-License-Identifier: GPL-3.0-or-later
// Typing on the Hangul keyboard beside the raw limit measured in the same run: appending one code
// per key to a list. The counter `x_raw` is the ratio.
#include <benchmark/benchmark.h>

#include <string_view>
#include <vector>

#include "BenchWords.h"
#include "hangul/core/Keyboard.h"

namespace norumi::bench {
namespace {

// Everyday sentences as their keys, so that finals, split finals and compound vowels come up
// about as often as they do in real typing. A space is tag 0.
std::vector<int8_t> KeyStream(size_t keys) {
  constexpr std::string_view kSentences[] = {
      "dkssudgktpdy ",                   // 안녕하세요
      "wjsms gkrtoddlqslek ",            // 저는 학생입니다
      "gksrnrdjfmf rhdqngkqslek ",       // 한국어를 공부합니다
      "ekfrrhrlfmf ajrdjTdjdy ",         // 닭고기를 먹었어요
      "rhoscksgtmqslRk ",                // 괜찮습니까
      "rkqtdl dkwn Tkqslek ",            // 값이 아주 쌉니다
      "dmltkdhk quddnjsdp rkTtmqslek ",  // 의사와 병원에 갔습니다
  };
  std::vector<int8_t> stream;
  stream.reserve(keys);
  while (stream.size() < keys)
    for (const auto sentence : kSentences)
      for (const char c : sentence) stream.push_back(TagForKeyLetter(c));
  stream.resize(keys);
  return stream;
}

void TypeStream(TKeyboard& kb, const std::vector<int8_t>& stream) {
  for (const int8_t tag : stream) {
    if (tag != 0)
      kb.AddKey(tag);
    else
      kb.AppendCode(32);
  }
}

void BM_AddKey(benchmark::State& state) {
  const auto stream = KeyStream(size_t(state.range(0)));
  HangulCodes raw_codes;
  const double raw = BestOf(5, [&] {
    raw_codes.clear();
    for (const int8_t tag : stream) raw_codes.push_back(tag);
    benchmark::DoNotOptimize(raw_codes.data());
    benchmark::ClobberMemory();
  });
  TKeyboard kb;
  double total = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    kb.Clear();
    TypeStream(kb, stream);
    benchmark::DoNotOptimize(kb.Codes.data());
    benchmark::ClobberMemory();
    total += Seconds(std::chrono::steady_clock::now() - start);
  }
  state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(stream.size()));
  state.counters["codes"] = double(kb.Codes.size());
  state.counters["x_raw"] = total / double(state.iterations()) / raw;
}

BENCHMARK(BM_AddKey)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace norumi::bench
