// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>

namespace norumi {

// The program's one pseudo-random source. It is reseeded from the time of day whenever an
// answer history is created, and it draws the question shuffle and the word-file masking key.
class RandomSource {
 public:
  // Milliseconds since midnight, UTC.
  using Clock = std::function<int32_t()>;

  static RandomSource& Instance();

  // random(k): uniform in 0..k-1; 0 when k is 0 or less.
  int32_t Random(int32_t k);

  void Seed(uint64_t seed);
  // Seeds from the clock: ((h × 60 + m) × 60 + s) × 1000 + ms of the current UTC time of day.
  void SeedFromClock();

  // The clock the reseeding reads. Tests set a fixed clock to make a run repeatable.
  void SetClock(Clock clock);
  static int32_t SystemTimeOfDayMs();

 private:
  RandomSource();
  uint64_t Next();

  uint64_t state_[4] = {};
  Clock clock_;
};

}  // namespace norumi
