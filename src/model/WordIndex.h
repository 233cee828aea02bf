#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "model/KeyedHash.h"
#include "model/TangoView.h"

namespace norumi {

// Hashes of the two identities of a word: its meaning and code list (IsSameWord), and all four
// stored fields (TTangoList::Contains). Words equal in an identity hash alike. The hashes are
// keyed per process, so that the words of no file can be made to crowd into one probe chain.
// The lengths go first, two to a word, so that the texts and codes after them follow one another
// without separators.
inline uint64_t HashedLengths(size_t first, size_t second) {
  return uint64_t(first) | (uint64_t(second) << 32);
}

inline uint64_t SameWordHash(const TangoView& t) {
  KeyedHasher h;
  h.AddSize(HashedLengths(t.Japan.size(), t.Hangul.size()));
  h.Add(t.Japan.data(), t.Japan.size());
  h.Add(t.Hangul.Bytes().data(), t.Hangul.Bytes().size());
  return h.Finish();
}

inline uint64_t SameEntryHash(const TangoView& t) {
  KeyedHasher h;
  h.AddSize(HashedLengths(t.Japan.size(), t.Hangul.size()));
  h.AddSize(HashedLengths(t.Setsumei.size(), t.Url.size()));
  h.Add(t.Japan.data(), t.Japan.size());
  h.Add(t.Hangul.Bytes().data(), t.Hangul.Bytes().size());
  h.Add(t.Setsumei.data(), t.Setsumei.size());
  h.Add(t.Url.data(), t.Url.size());
  return h.Finish();
}

// An open-addressing table of (hash, index) over the entries of a list: an entry is compared
// only when its hash matches. It holds one index per distinct word, so a word repeated a million
// times costs no longer probes than any other. Large merges are bound by cache misses on the
// table, so callers may hash a batch of words first and prefetch their slots.
class WordIndex {
 public:
  explicit WordIndex(size_t expected) {
    size_t capacity = 16;
    while (capacity < expected * 2) capacity *= 2;
    table_.assign(capacity, Slot{0, -1});
  }

  void Prefetch(uint64_t hash) const {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(&table_[hash & (table_.size() - 1)]);
#else
    (void)hash;
#endif
  }

  // Adds `index` unless an entry it `same`s is held already; true when it was added.
  template <typename Same>
  bool InsertNew(uint64_t hash, int32_t index, Same same) {
    if ((size_ + 1) * 2 > table_.size()) Rehash();
    const size_t mask = table_.size() - 1;
    size_t at = hash & mask;
    for (; table_[at].index >= 0; at = (at + 1) & mask)
      if (table_[at].hash == hash && same(table_[at].index)) return false;
    table_[at] = {hash, index};
    ++size_;
    return true;
  }

  template <typename Same>
  bool Contains(uint64_t hash, Same same) const {
    const size_t mask = table_.size() - 1;
    for (size_t at = hash & mask; table_[at].index >= 0; at = (at + 1) & mask)
      if (table_[at].hash == hash && same(table_[at].index)) return true;
    return false;
  }

 private:
  struct Slot {
    uint64_t hash;
    int32_t index;
  };

  void Rehash() {
    std::vector<Slot> old(table_.size() * 2, Slot{0, -1});
    old.swap(table_);
    const size_t mask = table_.size() - 1;
    for (const Slot& slot : old) {
      if (slot.index < 0) continue;
      size_t at = slot.hash & mask;
      while (table_[at].index >= 0) at = (at + 1) & mask;
      table_[at] = slot;
    }
  }

  std::vector<Slot> table_;
  size_t size_ = 0;
};

}  // namespace norumi
