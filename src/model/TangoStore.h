// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/ByteStream.h"
#include "model/Tango.h"
#include "model/TangoRecords.h"
#include "model/TangoView.h"
#include "storage/LargeBlocks.h"

namespace norumi {

// The entries of a word list, each with its running-number label, in one of three forms:
// - masked: a record of the file's bytes, still as the file holds it. A load reads the file
//   once into a block that never moves and only finds where its records lie;
// - plain: a record (see TangoRecords.h), unmasked where it lay the first time the entry was
//   viewed, or written so when the entry was added;
// - owned: a TTango of its own, once the entry is handed out to be edited.
// A save writes a masked record under the new key without unmasking it, so that a file is
// loaded and saved at about the cost of reading and writing its bytes.
class TangoStore {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  int32_t Label(int index) const { return entries_.at(size_t(index)).label; }

  void Clear();
  // Takes `bytes`, whose masked records start at `first`, and appends entries for the first
  // `count` of them, labelled from `nextNo` on; where the records end, or none when one of them
  // runs past the end of the bytes (no entry is then appended).
  std::optional<size_t> Load(ByteBlock bytes, size_t size, size_t first, int32_t count, int32_t key,
                             int32_t& nextNo);
  // Room for `count` more entries.
  void Reserve(size_t count) { entries_.reserve(entries_.size() + count); }

  // The entry without copying it, valid until the store changes. Viewing an entry the first
  // time unmasks its record where it lies: entries may be viewed on several threads at once,
  // but never the same entry.
  TangoView View(int index) {
    const Entry& entry = entries_.at(size_t(index));
    // Most views are of a record viewed before: written inline, the rest out of line.
    return entry.form == kPlain ? RecordAt(file_.get() + entry.where) : FirstView(index);
  }
  // The same without changing the store: a record still masked is unmasked into `scratch`,
  // which the view then points into.
  TangoView View(int index, std::string& scratch) const;
  // The entry as a TTango of its own, whose address stays while the store holds the entry.
  TTango& Edit(int index);
  // Whether both its meaning and its Korean are empty, as they read after a load.
  bool IsEmpty(int index) const;

  TTango& AddOwned(int32_t label);
  void AddRecord(const TangoView& entry, int32_t label);
  // Appends the entry `index` of `other` without copying its record, which stays in the bytes of
  // `other` until TakeBytes.
  void AddFrom(TangoStore& other, int index, int32_t label);
  // Takes over the bytes of `other` that entries AddFrom appended lie in; `other` is then empty.
  void TakeBytes(TangoStore&& other);
  void Delete(int index);
  // Deletes the entries IsEmpty finds.
  void DeleteEmpty();

  // Writes the records of the entries, leaving out the empty ones when `skipEmpty`, masked
  // with `key`; stops early when `out` failed.
  void WriteRecords(ByteWriter& out, int32_t key, bool skipEmpty) const;
  // About how many bytes the records and histories of a save take: those of the file loaded,
  // and room for what came since.
  size_t SizeHint() const {
    return fileSize_ + fileSize_ / 16 + (added_.size() + owned_.size()) * 64 + 4096;
  }
  // How many entries WriteRecords writes.
  size_t Written(bool skipEmpty) const;

 private:
  // What an entry is: a record of the file, masked or plain; a record added; a TTango.
  enum Form : uint32_t { kMasked, kPlain, kAdded, kOwned };
  struct Entry {
    uint32_t where : 30;  // the record's offset in the file, or the entry's place in `added_`
                          // or `owned_`
    uint32_t form : 2;
    int32_t label;
  };
  static constexpr size_t kMaxWhere = size_t(1) << 30;
  char* Record(const Entry& entry) const;
  void Release(const Entry& entry);
  uint32_t NewSlot();
  uint32_t NewAdded(const TangoView& entry);
  // View for an entry not yet plain: a masked one is unmasked where it lies.
  TangoView FirstView(int index);
  // The size of a masked record of the file.
  size_t MaskedSize(const char* record) const;

  std::vector<Entry, LargeAllocator<Entry>> entries_;
  // The file's bytes, the masked records among them under `key_`.
  ByteBlock file_;
  size_t fileSize_ = 0;
  int32_t key_ = 0;
  RecordBlocks blocks_;
  std::vector<char*> added_;
  // The files of stores whose records were taken over.
  std::vector<ByteBlock> taken_;
  // Owned entries never move; the slots of deleted ones are used again.
  std::deque<TTango> owned_;
  std::vector<uint32_t> freeSlots_;
};

}  // namespace norumi
