// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <random>

namespace norumi {

// A secret 128-bit key drawn once per process: words hashed under it land in table slots that
// nobody can foresee, so no file can be made whose words all fall into one slot.
struct HashKey {
  uint64_t k0 = 0;
  uint64_t k1 = 0;
};

inline HashKey DrawHashKey() {
  HashKey key;
  try {
    std::random_device device;
    for (uint64_t* half : {&key.k0, &key.k1}) *half = (uint64_t(device()) << 32) | device();
  } catch (...) {
    // No entropy source: the clock and the stack's address still differ between runs.
  }
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  key.k0 ^= uint64_t(now) * 0x9E3779B97F4A7C15ull;
  key.k1 ^= uint64_t(reinterpret_cast<uintptr_t>(&key)) * 0xBF58476D1CE4E5B9ull;
  return key;
}

inline const HashKey& ProcessHashKey() {
  static const HashKey key = DrawHashKey();
  return key;
}

// SipHash-1-3 of `size` bytes at `data` under `key`.
inline uint64_t KeyedHash(const char* data, size_t size, const HashKey& key = ProcessHashKey()) {
  uint64_t v0 = key.k0 ^ 0x736f6d6570736575ull, v1 = key.k1 ^ 0x646f72616e646f6dull;
  uint64_t v2 = key.k0 ^ 0x6c7967656e657261ull, v3 = key.k1 ^ 0x7465646279746573ull;
  const auto rotl = [](uint64_t x, int b) { return (x << b) | (x >> (64 - b)); };
  const auto round = [&] {
    v0 += v1, v1 = rotl(v1, 13), v1 ^= v0, v0 = rotl(v0, 32);
    v2 += v3, v3 = rotl(v3, 16), v3 ^= v2;
    v0 += v3, v3 = rotl(v3, 21), v3 ^= v0;
    v2 += v1, v1 = rotl(v1, 17), v1 ^= v2, v2 = rotl(v2, 32);
  };
  const auto compress = [&](uint64_t word) {
    v3 ^= word;
    round();
    v0 ^= word;
  };
  const size_t whole = size & ~size_t(7);
  for (size_t i = 0; i < whole; i += 8) {
    uint64_t word;
    std::memcpy(&word, data + i, 8);
    compress(word);
  }
  uint64_t last = uint64_t(size) << 56;
  if (size > whole) {
    uint64_t tail = 0;
    std::memcpy(&tail, data + whole, size - whole);
    last |= tail;
  }
  compress(last);
  v2 ^= 0xFF;
  round();
  round();
  round();
  return v0 ^ v1 ^ v2 ^ v3;
}

}  // namespace norumi
