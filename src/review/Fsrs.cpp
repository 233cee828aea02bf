// SPDX-License-Identifier: GPL-3.0-or-later
#include "review/Fsrs.h"

#include <algorithm>
#include <cmath>
#include <random>
#include <stdexcept>

namespace norumi::review {
namespace {

constexpr int64_t kSecondsPerDay = 86400;
// A floor that keeps the curve, which divides by the stability, finite.
constexpr double kMinStability = 0.001;

double Grade(Rating rating) {
  return static_cast<double>(static_cast<int32_t>(rating));
}

// Unclamped, since the mean reversion below pulls toward the Easy value even where it lies
// below 1.
double RawInitialDifficulty(const FsrsParameters& p, Rating first) {
  return p.w[4] - std::exp(p.w[5] * (Grade(first) - 1.0)) + 1.0;
}

double ClampDifficulty(double difficulty) {
  return std::clamp(difficulty, 1.0, 10.0);
}

// How far a fuzzed interval may stray: one day, and a share of the interval that shrinks as the
// interval grows (a week early or late matters less after a year than after a fortnight).
double FuzzDelta(double interval) {
  struct Band {
    double start, end, share;
  };
  constexpr Band kBands[] = {{2.5, 7.0, 0.15}, {7.0, 20.0, 0.10}, {20.0, INFINITY, 0.05}};
  double delta = 1.0;
  for (const Band& band : kBands)
    delta += band.share * std::max(std::min(interval, band.end) - band.start, 0.0);
  return delta;
}

// A fraction in [0, 1) from the seed. mt19937_64's output is fixed by the standard, unlike the
// standard distributions, so the fraction is made here to be the same with every library.
double UnitFraction(uint64_t seed) {
  std::mt19937_64 generator(seed);
  return static_cast<double>(generator() >> 11) * 0x1.0p-53;
}

}  // namespace

Scheduler::Scheduler(const FsrsParameters& parameters) : p_(parameters) {
  if (!(p_.desiredRetention >= FsrsParameters::kMinRetention &&
        p_.desiredRetention <= FsrsParameters::kMaxRetention))
    throw std::invalid_argument("the desired retention lies from 0.70 to 0.97");
  if (p_.maximumInterval < 1) throw std::invalid_argument("the maximum interval is at least 1");
  if (!(p_.w[20] > 0)) throw std::invalid_argument("the decay w20 must be positive");
}

// Chosen so that the curve passes 90% when the elapsed days equal the stability, whatever the
// decay: that is what stability means.
double Scheduler::Factor() const {
  return std::pow(0.9, -1.0 / p_.w[20]) - 1.0;
}

int64_t Scheduler::ElapsedDays(const CardMemory& card, int64_t now) {
  return std::max<int64_t>(0, (now - card.lastReview) / kSecondsPerDay);
}

double Scheduler::ForgettingCurve(double elapsedDays, double stability) const {
  return std::pow(1.0 + Factor() * elapsedDays / stability, -p_.w[20]);
}

double Scheduler::Retrievability(const CardMemory& card, int64_t now) const {
  if (card.IsNew() || !(card.stability > 0)) return 0.0;
  return ForgettingCurve(static_cast<double>(ElapsedDays(card, now)), card.stability);
}

double Scheduler::InitialStability(Rating first) const {
  return std::max(p_.w[static_cast<int32_t>(first) - 1], kMinStability);
}

double Scheduler::InitialDifficulty(Rating first) const {
  return ClampDifficulty(RawInitialDifficulty(p_, first));
}

double Scheduler::NextDifficulty(double difficulty, Rating rating) const {
  const double change = -p_.w[6] * (Grade(rating) - 3.0);
  // Linear damping: the nearer a card is to the hardest, the less one more Again adds.
  const double damped = difficulty + change * (10.0 - difficulty) / 9.0;
  // Mean reversion, so that a run of Good answers slowly undoes old Again answers.
  const double reverted =
      p_.w[7] * RawInitialDifficulty(p_, Rating::Easy) + (1.0 - p_.w[7]) * damped;
  return ClampDifficulty(reverted);
}

double Scheduler::RecallStability(double difficulty, double stability, double retrievability,
                                  Rating rating) const {
  const double hardPenalty = rating == Rating::Hard ? p_.w[15] : 1.0;
  const double easyBonus = rating == Rating::Easy ? p_.w[16] : 1.0;
  const double increase = std::exp(p_.w[8]) * (11.0 - difficulty) * std::pow(stability, -p_.w[9]) *
                          (std::exp(p_.w[10] * (1.0 - retrievability)) - 1.0) * hardPenalty *
                          easyBonus;
  return stability * (1.0 + increase);
}

double Scheduler::ForgetStability(double difficulty, double stability,
                                  double retrievability) const {
  const double longTerm = p_.w[11] * std::pow(difficulty, -p_.w[12]) *
                          (std::pow(stability + 1.0, p_.w[13]) - 1.0) *
                          std::exp(p_.w[14] * (1.0 - retrievability));
  // A lapse never leaves a card more stable than an Again on the same day would.
  const double sameDayAgain = stability / std::exp(p_.w[17] * p_.w[18]);
  return std::min(longTerm, sameDayAgain);
}

double Scheduler::SameDayStability(double stability, Rating rating) const {
  double increase =
      std::exp(p_.w[17] * (Grade(rating) - 3.0 + p_.w[18])) * std::pow(stability, -p_.w[19]);
  // A right answer never makes a card less stable, however stable it already is.
  if (rating == Rating::Good || rating == Rating::Easy) increase = std::max(increase, 1.0);
  return stability * increase;
}

int32_t Scheduler::NextInterval(double stability, int64_t elapsedDays, uint64_t seed) const {
  const double exact = stability / Factor() * (std::pow(p_.desiredRetention, -1.0 / p_.w[20]) - 1);
  const double limit = static_cast<double>(p_.maximumInterval);
  const auto interval = static_cast<int32_t>(std::round(std::clamp(exact, 1.0, limit)));
  if (!p_.fuzz || interval < 2.5) return interval;
  const double delta = FuzzDelta(interval);
  int64_t low = std::max<int64_t>(2, std::llround(interval - delta));
  const int64_t high = std::min<int64_t>(std::llround(interval + delta), p_.maximumInterval);
  // The fuzz never gives a shorter wait than the one just survived, unless the model asked for
  // one itself.
  if (interval > elapsedDays) low = std::max(low, elapsedDays + 1);
  low = std::min(low, high);
  const auto span = static_cast<double>(high - low + 1);
  return static_cast<int32_t>(low + static_cast<int64_t>(UnitFraction(seed) * span));
}

CardMemory Scheduler::Review(const CardMemory& before, Rating rating, int64_t now,
                             uint64_t seed) const {
  CardMemory after = before;
  int64_t elapsed = 0;
  if (before.IsNew()) {
    after.stability = InitialStability(rating);
    after.difficulty = InitialDifficulty(rating);
  } else {
    elapsed = ElapsedDays(before, now);
    const double recall = ForgettingCurve(static_cast<double>(elapsed), before.stability);
    if (elapsed == 0)
      after.stability = SameDayStability(before.stability, rating);
    else if (rating == Rating::Again)
      after.stability = ForgetStability(before.difficulty, before.stability, recall);
    else
      after.stability = RecallStability(before.difficulty, before.stability, recall, rating);
    after.stability = std::max(after.stability, kMinStability);
    after.difficulty = NextDifficulty(before.difficulty, rating);
    if (rating == Rating::Again) ++after.lapses;
  }
  ++after.reps;
  after.lastReview = now;
  after.due = now + int64_t{NextInterval(after.stability, elapsed, seed)} * kSecondsPerDay;
  return after;
}

uint64_t ReviewSeed(std::string_view card, int32_t reviewIndex) {
  // FNV-1a over the card's bytes, then over the index's four bytes, low byte first.
  uint64_t hash = 0xCBF29CE484222325ull;
  const auto mix = [&hash](uint8_t byte) { hash = (hash ^ byte) * 0x100000001B3ull; };
  for (const char c : card) mix(static_cast<uint8_t>(c));
  for (int shift = 0; shift < 32; shift += 8)
    mix(static_cast<uint8_t>(static_cast<uint32_t>(reviewIndex) >> shift));
  return hash;
}

}  // namespace norumi::review
