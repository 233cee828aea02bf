// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <filesystem>
#include <string>

#include "TempDir.h"
#include "model/TangoList.h"

namespace norumi::bench {

// A list of `count` words shaped like real ones: a short Japanese meaning (CP932), a Korean word
// of two to four syllables ending in 0, an explanation on every fourth word.
inline void FillWords(TTangoList& list, int count, int seed = 0) {
  for (int i = 0; i < count; ++i) {
    TTango& t = list.AddNew();
    const int n = i + seed * count;
    t.Japan = "\x82\xA0\x82\xA2" + std::to_string(n);  // あい…
    t.Hangul = {0xAC00 + n % 11172, 0xAC00 + (n / 7) % 11172};
    if (n % 3 == 0) t.Hangul.push_back(0xB098);
    t.Hangul.push_back(0);
    if (n % 4 == 0) t.Setsumei = "explanation of word " + std::to_string(n);
  }
}

// A word file of `count` such words at `path`.
inline void SaveWords(const std::filesystem::path& path, int count) {
  TTangoList list;
  FillWords(list, count);
  list.SaveToFile(path);
}

inline double Seconds(std::chrono::steady_clock::duration d) {
  return std::chrono::duration<double>(d).count();
}

// The best of a few runs of `f`, in seconds: the raw limit a benchmark is measured against.
template <typename F>
double BestOf(int runs, F f) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    f();
    best = std::min(best, Seconds(std::chrono::steady_clock::now() - start));
  }
  return best;
}

}  // namespace norumi::bench
