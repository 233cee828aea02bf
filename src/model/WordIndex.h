// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <string_view>

#include "model/KeyedHash.h"
#include "model/TangoRecords.h"
#include "model/TangoView.h"

namespace norumi {

// Hashes of the two identities of a word: its meaning and code list (IsSameWord), and all four
// stored fields (TTangoList::Contains). Words equal in an identity hash alike. The hashes are
// keyed per process, so that the words of no file can be made to crowd into one probe chain.
// Both hash the entry's record (see TangoRecords.h), which writes each length before what it
// counts, so that no two different entries give the same bytes: a word's identity is its record
// up to the end of its codes, an entry's the whole record. An entry that lies in a record is
// hashed where it lies, any other written out first.
inline uint64_t RecordHash(const TangoView& t, size_t size) {
  if (t.Record) return KeyedHash(t.Record, size);
  thread_local std::string record;
  record.resize(RecordSize(t));
  WriteRecord(record.data(), t);
  return KeyedHash(record.data(), size);
}

inline uint64_t SameWordHash(const TangoView& t) {
  return RecordHash(t, 8 + t.Japan.size() + t.Hangul.Bytes().size());
}

inline uint64_t SameEntryHash(const TangoView& t) {
  return RecordHash(t, RecordSize(t));
}

// An open-addressing table over the entries of a list, holding up to the number of entries it
// was made for: an entry is compared only when the high half of its hash matches, and its slot
// is found by the low half. It holds one index per distinct word, so a word repeated a million
// times costs no longer probes than any other. Large merges are bound by cache misses on the
// table, so callers may hash a batch of words first and prefetch their slots.
class WordIndex {
 public:
  explicit WordIndex(size_t expected) {
    while (capacity_ < expected * 2) capacity_ *= 2;
    // Zeroed memory is an empty table: a large one comes zeroed from the system, page by page
    // as it is first touched.
    table_.reset(static_cast<Slot*>(std::calloc(capacity_, sizeof(Slot))));
    if (!table_) throw std::bad_alloc();
  }

  void Prefetch(uint64_t hash) const {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(&table_[hash & (capacity_ - 1)]);
#else
    (void)hash;
#endif
  }

  // Adds `index` unless an entry it `same`s is held already; true when it was added.
  template <typename Same>
  bool InsertNew(uint64_t hash, int32_t index, Same same) {
    if ((size_ + 1) * 2 > capacity_)
      throw std::length_error("word index: more entries than made for");
    const size_t mask = capacity_ - 1;
    const uint32_t check = Check(hash);
    size_t at = hash & mask;
    for (; table_[at].entry != 0; at = (at + 1) & mask)
      if (table_[at].check == check && same(int32_t(table_[at].entry - 1))) return false;
    table_[at] = {check, uint32_t(index) + 1};
    ++size_;
    return true;
  }

  template <typename Same>
  bool Contains(uint64_t hash, Same same) const {
    const size_t mask = capacity_ - 1;
    const uint32_t check = Check(hash);
    for (size_t at = hash & mask; table_[at].entry != 0; at = (at + 1) & mask)
      if (table_[at].check == check && same(int32_t(table_[at].entry - 1))) return true;
    return false;
  }

 private:
  struct Slot {
    uint32_t check;  // the high half of the entry's hash
    uint32_t entry;  // its index + 1; 0 for an empty slot
  };
  struct Free {
    void operator()(Slot* slots) const { std::free(slots); }
  };
  static uint32_t Check(uint64_t hash) {
    return uint32_t(hash >> 32);
  }

  size_t capacity_ = 16;
  std::unique_ptr<Slot[], Free> table_;
  size_t size_ = 0;
};

}  // namespace norumi
