// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Random.h"

#include <chrono>

namespace norumi {

namespace {

uint64_t SplitMix(uint64_t& x) {
  uint64_t z = (x += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

uint64_t Rotl(uint64_t x, int k) {
  return (x << k) | (x >> (64 - k));
}

}  // namespace

RandomSource& RandomSource::Instance() {
  static RandomSource instance;
  return instance;
}

RandomSource::RandomSource() : clock_(&RandomSource::SystemTimeOfDayMs) {
  SeedFromClock();
}

int32_t RandomSource::SystemTimeOfDayMs() {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  constexpr int64_t kDay = 24LL * 60 * 60 * 1000;
  return static_cast<int32_t>(((ms % kDay) + kDay) % kDay);
}

void RandomSource::SetClock(Clock clock) {
  clock_ = clock ? std::move(clock) : Clock(&RandomSource::SystemTimeOfDayMs);
}

void RandomSource::SeedFromClock() {
  Seed(static_cast<uint64_t>(clock_()));
}

void RandomSource::Seed(uint64_t seed) {
  for (auto& s : state_) s = SplitMix(seed);
}

// xoshiro256**: fast, and good enough for shuffles and keys.
uint64_t RandomSource::Next() {
  const uint64_t result = Rotl(state_[1] * 5, 7) * 9;
  const uint64_t t = state_[1] << 17;
  state_[2] ^= state_[0];
  state_[3] ^= state_[1];
  state_[1] ^= state_[2];
  state_[0] ^= state_[3];
  state_[2] ^= t;
  state_[3] = Rotl(state_[3], 45);
  return result;
}

int32_t RandomSource::Random(int32_t k) {
  if (k <= 0) return 0;
  // Lemire's multiply-and-reject: unbiased without a division in the common case.
  const auto range = static_cast<uint64_t>(k);
  uint64_t x = Next() >> 32;
  uint64_t m = x * range;
  uint32_t low = static_cast<uint32_t>(m);
  if (low < range) {
    const uint32_t threshold = static_cast<uint32_t>(-static_cast<uint32_t>(range) % range);
    while (low < threshold) {
      x = Next() >> 32;
      m = x * range;
      low = static_cast<uint32_t>(m);
    }
  }
  return static_cast<int32_t>(m >> 32);
}

}  // namespace norumi
