// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Random.h"
#include "model/TangoList.h"

namespace norumi::test {

// Makes every reseed of the random source start from the same state, for the life of a test.
class FixedClock {
 public:
  explicit FixedClock(int32_t ms = 43'210'987) {
    RandomSource::Instance().SetClock([ms] { return ms; });
    RandomSource::Instance().SeedFromClock();
  }
  ~FixedClock() { RandomSource::Instance().SetClock({}); }
};

inline TTango& AddWord(TTangoList& list, const std::string& japan, HangulCodes hangul,
                       const std::string& setsumei = {}, const std::string& url = {}) {
  TTango& t = list.AddNew();
  t.Japan = japan;
  t.Hangul = std::move(hangul);
  t.Setsumei = setsumei;
  t.Url = url;
  return t;
}

// A list that uses every field of the format: header, three entries, both histories.
inline void FillSample(TTangoList& list) {
  list.Version = 7;
  list.Creator = "teacher01";
  list.UserName = "\x82\xBD\x82\xE0";  // たも
  list.Title = "\x95\x5C\x83\x5C";     // 表ソ: second bytes are backslashes
  list.Url = "https://example.org/words";
  list.ReadOnly = true;
  list.Kaisetsu = 1;
  AddWord(list, "\x8C\xA2", {0xAC1C, 0}, "dog", "https://example.org/dog");  // 犬 / 개
  AddWord(list, "\x94\x4C", {0xACE0, 0xC591, 0xC774, 0});                    // 猫 / 고양이
  AddWord(list, "", {0xD55C}, "", "");
  list.RirekiKor2Jap.SelectQuestions(3, 2, false, false);
  list.RirekiKor2Jap.MarkAnswer(0, true);
  list.RirekiJap2Kor.SelectQuestions(3, 3, false, false);
  list.RirekiJap2Kor.MarkAnswer(0, false);
  list.RirekiJap2Kor.FinishDrill();
}

}  // namespace norumi::test
