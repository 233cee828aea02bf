#include "model/TangoRecords.h"

#include <cstdint>
#include <cstring>

namespace norumi {

namespace {

char* PutText(char* at, std::string_view text) {
  StoreU32(at, uint32_t(text.size()));
  if (!text.empty()) std::memcpy(at + 4, text.data(), text.size());
  return at + 4 + text.size();
}

std::string_view Stored(std::string_view text) {
  return text.substr(0, text.find('\0'));
}

}  // namespace

void WriteRecord(char* at, const TangoView& entry) {
  at = PutText(at, entry.Japan);
  at = PutText(at, entry.Hangul.Bytes());
  StoreU32(at - entry.Hangul.Bytes().size() - 4, uint32_t(entry.Hangul.size()));
  at = PutText(at, entry.Setsumei);
  PutText(at, entry.Url);
}

TangoView Stored(TangoView entry) {
  const size_t size = RecordSize(entry);
  entry.Japan = Stored(entry.Japan);
  entry.Setsumei = Stored(entry.Setsumei);
  entry.Url = Stored(entry.Url);
  if (RecordSize(entry) != size) entry.Record = nullptr;  // no longer the record's fields
  return entry;
}

void TangoRecords::Append(const TangoView& entry) {
  const TangoView stored = Stored(entry);
  const size_t at = bytes_.size();
  bytes_.resize(at + RecordSize(stored));
  WriteRecord(bytes_.data() + at, stored);
  offsets_.push_back(at);
}

void TangoRecords::Append(const TangoRecords& other) {
  const size_t base = bytes_.size();
  bytes_ += other.bytes_;
  offsets_.reserve(offsets_.size() + other.offsets_.size());
  for (const size_t at : other.offsets_) offsets_.push_back(base + at);
}

void TangoRecords::Reserve(size_t entries, size_t bytes) {
  offsets_.reserve(entries);
  bytes_.reserve(bytes);
}

}  // namespace norumi
