// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "model/TangoView.h"

namespace norumi {

// An entry as a loaded word file keeps it: a record of native 32-bit lengths, each before what
// it counts (Japanese length, Japanese, code count, codes, explanation length, explanation, URL
// length, URL), with no zero byte in its texts.
inline uint32_t LoadU32(const char* at) {
  uint32_t value;
  std::memcpy(&value, at, 4);
  return value;
}

inline void StoreU32(char* at, uint32_t value) {
  std::memcpy(at, &value, 4);
}

inline size_t RecordSize(const TangoView& entry) {
  return 16 + entry.Japan.size() + entry.Hangul.Bytes().size() + entry.Setsumei.size() +
         entry.Url.size();
}

// Writes `entry`'s record at `at`, which has RecordSize(entry) bytes of room.
void WriteRecord(char* at, const TangoView& entry);

inline TangoView RecordAt(const char* at) {
  TangoView entry;
  entry.Record = at;
  const auto text = [&at] {
    const uint32_t length = LoadU32(at);
    const std::string_view read(at + 4, length);
    at += 4 + length;
    return read;
  };
  entry.Japan = text();
  const uint32_t count = LoadU32(at);
  entry.Hangul = CodeView(at + 4, count);
  at += 4 + size_t(count) * 4;
  entry.Setsumei = text();
  entry.Url = text();
  return entry;
}

// `entry` as a file holds it: its texts up to their first zero byte.
TangoView Stored(TangoView entry);

// Records written one after another into blocks that never move: a record stays where it was
// written, and costs its bytes and no allocation of its own.
class RecordBlocks {
 public:
  // Writes `entry` with its texts cut at their first zero byte, as a file would hold them; where
  // its record lies.
  char* Append(const TangoView& entry);
  // Takes over the blocks of `other`, whose records stay where they are.
  void Adopt(RecordBlocks&& other);

 private:
  std::vector<std::unique_ptr<char[]>> blocks_;
  char* free_ = nullptr;  // the room left in the last block
  size_t room_ = 0;
};

// Entries on their way into a list: a word costs its record and a pointer.
class TangoRecords {
 public:
  int Count() const { return static_cast<int>(records_.size()); }
  bool empty() const { return records_.empty(); }
  TangoView View(int index) const { return RecordAt(records_[size_t(index)]); }
  void Append(const TangoView& entry) {
    records_.push_back(blocks_.Append(entry));
    bytes_ += RecordSize(View(Count() - 1));
  }
  // Takes over the records of `other`, after these.
  void Append(TangoRecords&& other);
  void Reserve(size_t entries) { records_.reserve(entries); }
  // The bytes of all the records.
  size_t Bytes() const { return bytes_; }

 private:
  RecordBlocks blocks_;
  std::vector<const char*> records_;
  size_t bytes_ = 0;
};

}  // namespace norumi
