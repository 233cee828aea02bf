#pragma once

#include <algorithm>
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

// SipHash-1-3 over bytes fed in pieces: the same pieces fed in the same order give the same
// hash. Callers feed the lengths of their fields before the fields, so that no two different
// entries feed the same bytes.
class KeyedHasher {
 public:
  explicit KeyedHasher(const HashKey& key = ProcessHashKey())
      : v0_(key.k0 ^ 0x736f6d6570736575ull),
        v1_(key.k1 ^ 0x646f72616e646f6dull),
        v2_(key.k0 ^ 0x6c7967656e657261ull),
        v3_(key.k1 ^ 0x7465646279746573ull) {}

  void Add(const void* data, size_t size) {
    auto* p = static_cast<const unsigned char*>(data);
    length_ += size;
    while (size > 0) {
      if (filled_ == 0) {
        for (; size >= 8; p += 8, size -= 8) {
          uint64_t word;
          std::memcpy(&word, p, 8);
          Compress(word);
        }
        if (size == 0) break;
      }
      const size_t n = std::min<size_t>(8 - filled_, size);
      uint64_t bytes = 0;
      std::memcpy(&bytes, p, n);
      pending_ |= bytes << (8 * filled_);
      filled_ += n, p += n, size -= n;
      if (filled_ < 8) break;
      Compress(pending_);
      pending_ = 0;
      filled_ = 0;
    }
  }
  void AddSize(uint64_t size) { Add(&size, sizeof size); }

  uint64_t Finish() const {
    KeyedHasher h = *this;
    const uint64_t last = (uint64_t(h.length_) << 56) | h.pending_;
    h.Compress(last);
    h.v2_ ^= 0xFF;
    h.Round();
    h.Round();
    h.Round();
    return h.v0_ ^ h.v1_ ^ h.v2_ ^ h.v3_;
  }

 private:
  static uint64_t Rotl(uint64_t x, int b) { return (x << b) | (x >> (64 - b)); }

  void Round() {
    v0_ += v1_, v1_ = Rotl(v1_, 13), v1_ ^= v0_, v0_ = Rotl(v0_, 32);
    v2_ += v3_, v3_ = Rotl(v3_, 16), v3_ ^= v2_;
    v0_ += v3_, v3_ = Rotl(v3_, 21), v3_ ^= v0_;
    v2_ += v1_, v1_ = Rotl(v1_, 17), v1_ ^= v2_, v2_ = Rotl(v2_, 32);
  }
  void Compress(uint64_t word) {
    v3_ ^= word;
    Round();
    v0_ ^= word;
  }
  uint64_t v0_, v1_, v2_, v3_;
  uint64_t pending_ = 0;
  size_t filled_ = 0;
  uint64_t length_ = 0;
};

}  // namespace norumi
