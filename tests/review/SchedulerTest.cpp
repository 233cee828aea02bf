// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "review/Fsrs.h"

namespace norumi::review {
namespace {

using enum Rating;

constexpr int64_t kStart = 1'700'000'000;  // any moment; only the differences count

struct Step {
  int64_t hours;  // after the first review
  Rating rating;
};

struct Replay {
  const char* name;
  std::vector<Step> steps;
  double retention;
  double stability, difficulty;
  int32_t interval, lapses;
};

// The expected values were worked out apart from this code, from the published formulas and
// default weights: D0(G) = w4 - exp(w5 (G-1)) + 1, S0(G) = w[G-1], the curve
// R = (1 + F t/S)^-w20 with F = 0.9^(-1/w20) - 1, the interval S/F (r^(-1/w20) - 1).
const Replay kReplays[] = {
    // S0 = w0; D0 = w4 = 6.4133; 0.212 days rounds up to the shortest interval.
    {"FirstAgain", {{0, Again}}, 0.9, 0.212, 6.4133, 1, 0},
    // D0 = 7.4133 - exp(0.8334) = 7.4133 - 2.301129.
    {"FirstHard", {{0, Hard}}, 0.9, 1.2931, 5.112171, 1, 0},
    // D0 = 7.4133 - exp(1.6668) = 7.4133 - 5.295196.
    {"FirstGood", {{0, Good}}, 0.9, 2.3065, 2.118104, 2, 0},
    // D0 = 7.4133 - exp(2.5002) < 1, kept at 1.
    {"FirstEasy", {{0, Easy}}, 0.9, 8.2956, 1.0, 8, 0},
    // Good, Good on its due day 2 (R = 0.9095: S 2.3065 -> 10.964332, due in 11), Again on its
    // due day 13: S'f = w11 D^-w12 ((S+1)^w13 - 1) exp(w14 (1-R)) = 1.538337, below
    // S / exp(w17 w18) = 10.43; D = 2.111214 + 3.0194 * 2 * (10 - 2.111214) / 9, reverted.
    {"LapseAfterTwoGood", {{0, Good}, {48, Good}, {312, Again}}, 0.9, 1.538337, 7.392238, 2, 1},
    // Again, then forgotten again after 1,000 days (R = 0.2722): the formula's 0.227760 is more
    // than a same-day Again leaves, 0.212 / exp(w17 w18) = 0.201766, which it is cut to.
    {"LapseNeverRaisesStability", {{0, Again}, {24000, Again}}, 0.9, 0.201766, 8.806304, 1, 1},
    // Due on day 2, answered on day 100: R = (1 + F 100 / 2.3065)^-w20 = 0.5589 gives a far
    // larger gain than on time (51.06 against 10.96).
    {"LongOverdue", {{0, Good}, {2400, Good}}, 0.9, 51.058433, 2.111214, 51, 0},
    // Seven Easy answers, each on its due day (8, 74, 471, 2346, 9611, 33528): S = 68949.18,
    // whose interval is cut to 36,500 days.
    {"MaximumIntervalCap",
     {{0, Easy},
      {192, Easy},
      {1776, Easy},
      {11304, Easy},
      {56304, Easy},
      {230664, Easy},
      {805056, Easy}},
     0.9,
     68949.182201,
     1.0,
     36500,
     0},
    // S 10.964332 after Good, Good: 10.964332 / F * (0.8^(-1/w20) - 1) = 36.3 days.
    {"Retention80", {{0, Good}, {48, Good}}, 0.80, 10.964332, 2.111214, 36, 0},
    // ... and 10.964332 / F * (0.95^(-1/w20) - 1) = 4.0 days.
    {"Retention95", {{0, Good}, {48, Good}}, 0.95, 10.964332, 2.111214, 4, 0},
    // 23 hours later is the same day: exp(w17 (G - 3 + w18)) S^-w19 = 0.9945 for Good, raised
    // to 1, so S stays; the difficulty still moves (reverted toward D0(Easy)).
    {"SameDayGoodKeepsStability", {{0, Good}, {23, Good}}, 0.9, 2.3065, 2.111214, 2, 0},
    // 25 hours later is a whole day: the recall formula at R(1, 2.3065) = 0.9468.
    {"NextDayIsLongTerm", {{0, Good}, {25, Good}}, 0.9, 7.315301, 2.111214, 7, 0},
    // Same day after Again: S 0.212 * exp(0.5425 * 0.0912) * 0.212^-0.0658 = 0.246689.
    {"SameDayAfterAgain", {{0, Again}, {5, Good}}, 0.9, 0.246689, 6.402115, 1, 0},
    // Again twice in a day: 0.212 * exp(0.5425 * (0.0912 - 2)) * 0.212^-0.0658; a lapse.
    {"SameDayAgainTwice", {{0, Again}, {5, Again}}, 0.9, 0.083357, 8.806304, 1, 1},
};

TEST(Scheduler, ReplaysMatchTheFormulasWorkedByHand) {
  for (const Replay& replay : kReplays) {
    SCOPED_TRACE(replay.name);
    FsrsParameters parameters;
    parameters.desiredRetention = replay.retention;
    parameters.fuzz = false;
    const Scheduler scheduler(parameters);
    CardMemory card;
    for (const Step& step : replay.steps)
      card = scheduler.Review(card, step.rating, kStart + step.hours * 3600, 7);
    const int64_t last = kStart + replay.steps.back().hours * 3600;
    EXPECT_NEAR(card.stability, replay.stability, 1e-4 * std::max(1.0, replay.stability));
    EXPECT_NEAR(card.difficulty, replay.difficulty, 1e-4);
    EXPECT_EQ(card.due - last, int64_t{replay.interval} * 86400);
    EXPECT_EQ(card.lastReview, last);
    EXPECT_EQ(card.reps, int32_t(replay.steps.size()));
    EXPECT_EQ(card.lapses, replay.lapses);
  }
}

TEST(Scheduler, FuzzIsFixedBySeedAndStaysInItsRange) {
  struct Row {
    double stability;
    int64_t elapsedDays;
    int32_t low, high;
  } const rows[] = {
      // 30 days: 1 + 0.15 * 4.5 + 0.10 * 13 + 0.05 * 10 = 3.475 either side.
      {30.0, 0, 27, 33},
      // A card that waited 29 days is not given fewer than 30 again.
      {30.0, 29, 30, 33},
      // Under 2.5 days there is nothing to spread.
      {2.3065, 0, 2, 2},
      // 36,500 days less 1826.975, never more than the maximum.
      {40000.0, 0, 34673, 36500},
  };
  const Scheduler scheduler;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.stability);
    std::set<int32_t> seen;
    for (uint64_t seed = 0; seed < 400; ++seed) {
      const int32_t interval = scheduler.NextInterval(row.stability, row.elapsedDays, seed);
      EXPECT_EQ(interval, scheduler.NextInterval(row.stability, row.elapsedDays, seed));
      seen.insert(interval);
    }
    EXPECT_GE(*seen.begin(), row.low);
    EXPECT_LE(*seen.rbegin(), row.high);
    // A narrow range is reached end to end, so no day of it is left out.
    if (row.high - row.low < 10) {
      EXPECT_EQ(seen.size(), size_t(row.high - row.low + 1));
    }
  }
  // A review draws its fuzz from the seed it is given.
  const CardMemory card{30.0, 5.0, kStart, kStart + 30 * 86400, 3, 0};
  const int64_t now = kStart + 30 * 86400;
  EXPECT_EQ(scheduler.Review(card, Good, now, ReviewSeed("사랑", 3)),
            scheduler.Review(card, Good, now, ReviewSeed("사랑", 3)));
}

}  // namespace
}  // namespace norumi::review
