// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <filesystem>
#include <numeric>
#include <random>
#include <string>

#include "model/TangoList.h"

namespace norumi::bench {

// A word file shaped like a learner's: Korean of two to four syllables, meanings of two to
// twelve characters, an explanation on 30% of the words and a URL on 10%, and three finished
// drills in each direction, the last in shuffled order. Its histories are about a fifth of its
// bytes. The same `count` always makes the same file.
inline void SaveRealisticWords(const std::filesystem::path& path, int count) {
  std::mt19937 random(20240528u);
  const auto below = [&random](int n) { return int(random() % uint32_t(n)); };
  const auto cp932 = [&](int chars) {  // hiragana and kanji of the first level
    std::string text;
    for (int i = 0; i < chars; ++i) {
      const bool kana = below(3) != 0;
      text += char(kana ? 0x82 : 0x88 + below(8));
      text += char(kana ? 0x9F + below(83) : 0x9F + below(94));
    }
    return text;
  };
  TTangoList list;
  list.Title = "realistic";
  list.UserName = "learner";
  for (int i = 0; i < count; ++i) {
    TTango& t = list.AddNew();
    t.Japan = cp932(2 + below(11));
    for (int s = 2 + below(3); s > 0; --s) t.Hangul.push_back(0xAC00 + below(11172));
    if (below(10) < 3) t.Setsumei = cp932(8 + below(40));
    if (below(10) == 0) t.Url = "https://example.org/words/" + std::to_string(i);
  }
  for (TRirekiList* history : {&list.RirekiJap2Kor, &list.RirekiKor2Jap}) {
    for (int drill = 0; drill < 3; ++drill) {
      history->SelectQuestions(count, count, false, false);
      std::shuffle(history->Order.begin(), history->Order.end(), random);
      for (int32_t p = 0; p < count; ++p) history->MarkAnswer(p, below(10) < 7);
      history->FinishDrill();
    }
  }
  list.SaveToFile(path);
}

}  // namespace norumi::bench
