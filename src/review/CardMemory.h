// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

namespace norumi::review {

// How an answer is rated for the scheduler: a wrong answer is Again, a right one Good, which
// the learner may change to Hard or Easy.
enum class Rating : int32_t { Again = 1, Hard = 2, Good = 3, Easy = 4 };

// What the scheduler knows of one card, a word asked in one direction. Times are seconds since
// 1970 (UTC).
struct CardMemory {
  double stability = 0;    // days until the chance of recalling it falls to 90%
  double difficulty = 0;   // 1 (easiest) to 10 (hardest)
  int64_t lastReview = 0;  // 0: never reviewed
  int64_t due = 0;         // when it is next asked; 0 while new
  int32_t reps = 0;        // reviews so far
  int32_t lapses = 0;      // reviews rated Again after it was learned

  bool IsNew() const { return reps == 0; }
  friend bool operator==(const CardMemory&, const CardMemory&) = default;
};

}  // namespace norumi::review
