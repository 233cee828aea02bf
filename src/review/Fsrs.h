// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "review/CardMemory.h"

namespace norumi::review {

// The memory model's weights and the learner's choices. The weights are the published
// defaults, fitted to many learners' review logs; w[20] is the decay of the forgetting curve.
struct FsrsParameters {
  static constexpr double kMinRetention = 0.70;
  static constexpr double kMaxRetention = 0.97;

  std::array<double, 21> w = {0.212,  1.2931, 2.3065, 8.2956, 6.4133, 0.8334, 3.0194,
                              0.001,  1.8722, 0.1666, 0.796,  1.4835, 0.0614, 0.2629,
                              1.6483, 0.6014, 1.8729, 0.5425, 0.0912, 0.0658, 0.1542};
  // The chance of recalling a card on the day it comes back.
  double desiredRetention = 0.90;
  int32_t maximumInterval = 36500;  // days
  // Spreads cards learned together over nearby days, so that they do not come back in a clump.
  bool fuzz = true;
};

class Scheduler {
 public:
  // Throws std::invalid_argument for a retention outside 0.70 to 0.97, a maximum interval
  // below one day or a decay that is not positive.
  explicit Scheduler(const FsrsParameters& parameters = {});

  const FsrsParameters& Parameters() const { return p_; }

  // The card after it was answered with `rating` at `now`. The same `seed` gives the same
  // fuzzed interval, so that a log replayed schedules exactly as it did.
  CardMemory Review(const CardMemory& before, Rating rating, int64_t now, uint64_t seed) const;
  // The chance of recalling the card at `now`; 0 for a card never reviewed.
  double Retrievability(const CardMemory& card, int64_t now) const;

  // The whole days since the last review, as the model counts them: less than 24 hours is 0.
  static int64_t ElapsedDays(const CardMemory& card, int64_t now);
  double ForgettingCurve(double elapsedDays, double stability) const;

  double InitialStability(Rating first) const;
  double InitialDifficulty(Rating first) const;
  double NextDifficulty(double difficulty, Rating rating) const;
  double RecallStability(double difficulty, double stability, double retrievability,
                         Rating rating) const;
  double ForgetStability(double difficulty, double stability, double retrievability) const;
  // A review less than a day after the last one: memory has had no night to settle.
  double SameDayStability(double stability, Rating rating) const;
  // Whole days until the chance of recall falls to the desired retention, fuzzed (when asked)
  // within a range that widens with the interval.
  int32_t NextInterval(double stability, int64_t elapsedDays, uint64_t seed) const;

 private:
  double Factor() const;

  FsrsParameters p_;
};

// The seed of the fuzz of a card's review: the card's text and which review of it this is
// (0 for the first). A hash that is the same on every machine and build, so a log replays alike
// everywhere.
uint64_t ReviewSeed(std::string_view card, int32_t reviewIndex);

}  // namespace norumi::review
