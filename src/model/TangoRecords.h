#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
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

// Entries on their way into a list, written one after another into one block: a word costs its
// bytes and an offset, and no allocation of its own.
class TangoRecords {
 public:
  int Count() const { return static_cast<int>(offsets_.size()); }
  bool empty() const { return offsets_.empty(); }
  TangoView View(int index) const { return RecordAt(bytes_.data() + offsets_[index]); }
  // Appends `entry` with its texts cut at their first zero byte, as a file would hold them.
  void Append(const TangoView& entry);
  // Appends the records of `other`, in their order.
  void Append(const TangoRecords& other);
  void Reserve(size_t entries, size_t bytes);
  // The bytes of all the records.
  size_t Bytes() const { return bytes_.size(); }

 private:
  std::string bytes_;
  std::vector<size_t> offsets_;
};

}  // namespace norumi
