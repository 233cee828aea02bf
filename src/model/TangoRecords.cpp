// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TangoRecords.h"

#include <algorithm>
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

char* RecordBlocks::Append(const TangoView& entry) {
  const TangoView stored = Stored(entry);
  const size_t size = RecordSize(stored);
  if (size > room_) {
    // Left unfilled: every byte of a record is written.
    constexpr size_t kBlock = size_t(1) << 20;
    room_ = std::max(kBlock, size);
    blocks_.push_back(std::make_unique_for_overwrite<char[]>(room_));
    free_ = blocks_.back().get();
  }
  char* const record = free_;
  WriteRecord(record, stored);
  free_ += size, room_ -= size;
  return record;
}

void RecordBlocks::Adopt(RecordBlocks&& other) {
  // `free_` goes on in the block it lies in, wherever that block now stands.
  for (auto& block : other.blocks_) blocks_.push_back(std::move(block));
  other = RecordBlocks();
}

void TangoRecords::Append(TangoRecords&& other) {
  blocks_.Adopt(std::move(other.blocks_));
  records_.insert(records_.end(), other.records_.begin(), other.records_.end());
  bytes_ += other.bytes_;
  other = TangoRecords();
}

}  // namespace norumi
