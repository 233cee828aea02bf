// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TangoStore.h"

#include <climits>
#include <cstdint>
#include <cstring>
#include <stdexcept>

namespace norumi {

namespace {

// Where the masked record at `at` ends, or null when it does not fit before `end`: a record is
// three texts with the codes, counted like a text of four-byte units, after the first.
const char* SkipMaskedRecord(const char* at, const char* end, int32_t key) {
  for (int field = 0; field < 4; ++field) {
    if (end - at < 4) return nullptr;
    const uint32_t length = LoadU32(at) ^ uint32_t(key);
    at += 4;
    const uint64_t bytes = field == 1 ? uint64_t(length) * 4 : length;
    if (length > uint32_t(INT32_MAX) || bytes > uint64_t(end - at)) return nullptr;
    at += bytes;
  }
  return at;
}

// Unmasks one text of a record from `in` to `out`: its length, then its bytes up to the first
// zero byte. `out` may be `in` itself or lie before it, or in a block of its own.
void UnmaskText(const char*& in, char*& out, int32_t key) {
  const uint32_t length = LoadU32(in) ^ uint32_t(key);
  in += 4;
  char* text = out + 4;
  const bool sawZero = MaskBytes(text, in, length, char(key & 0xFF));
  const void* zero = sawZero ? std::memchr(text, 0, length) : nullptr;
  const size_t kept = zero ? size_t(static_cast<const char*>(zero) - text) : length;
  StoreU32(out, uint32_t(kept));
  out = text + kept;
  in += length;
}

// Unmasks a record that SkipMaskedRecord found whole, as UnmaskText does its texts.
void UnmaskRecord(const char* in, char* out, int32_t key) {
  UnmaskText(in, out, key);
  const uint32_t count = LoadU32(in) ^ uint32_t(key);
  in += 4;
  StoreU32(out, count);
  out += 4;
  for (uint32_t i = 0; i < count; ++i) StoreU32(out + 4 * i, LoadU32(in + 4 * i) ^ uint32_t(key));
  in += 4 * size_t(count);
  out += 4 * size_t(count);
  UnmaskText(in, out, key);
  UnmaskText(in, out, key);
}

void PutMaskedText(char*& at, std::string_view text, int32_t key) {
  StoreU32(at, uint32_t(text.size()) ^ uint32_t(key));
  MaskBytes(at + 4, text.data(), text.size(), char(key & 0xFF));
  at += 4 + text.size();
}

void WriteMaskedRecord(ByteWriter& out, const TangoView& entry, int32_t key) {
  char* at = out.Grow(RecordSize(entry));
  PutMaskedText(at, entry.Japan, key);
  StoreU32(at, uint32_t(entry.Hangul.size()) ^ uint32_t(key));
  at += 4;
  const std::string_view codes = entry.Hangul.Bytes();
  for (size_t i = 0; i < codes.size(); i += 4, at += 4)
    StoreU32(at, LoadU32(codes.data() + i) ^ uint32_t(key));
  PutMaskedText(at, entry.Setsumei, key);
  PutMaskedText(at, entry.Url, key);
}

// Writes the masked record at `in`, `size` bytes under the key `was`, under `now` instead,
// without unmasking it. False, writing nothing, when one of its texts holds a zero byte: such a
// text is cut there, which only unmasking does.
bool RemaskRecord(ByteWriter& out, const char* in, size_t size, int32_t was, int32_t now) {
  char* const start = out.Grow(size);
  char* at = start;
  const uint32_t both = uint32_t(was ^ now);
  bool zero = false;
  const auto text = [&] {
    const uint32_t length = LoadU32(in) ^ uint32_t(was);
    StoreU32(at, LoadU32(in) ^ both);
    zero |= RemaskBytes(at + 4, in + 4, length, char(was & 0xFF), char(now & 0xFF));
    in += 4 + length, at += 4 + length;
  };
  text();
  const uint32_t count = LoadU32(in) ^ uint32_t(was);
  for (uint32_t i = 0; i <= count; ++i) StoreU32(at + 4 * i, LoadU32(in + 4 * i) ^ both);
  in += 4 + 4 * size_t(count), at += 4 + 4 * size_t(count);
  text();
  text();
  if (zero) out.Shrink(size);
  return !zero;
}

}  // namespace

void TangoStore::Clear() {
  entries_.clear();
  file_.reset();
  fileSize_ = 0;
  blocks_ = RecordBlocks();
  added_.clear();
  taken_.clear();
  owned_.clear();
  freeSlots_.clear();
}

std::optional<size_t> TangoStore::Load(ByteBlock bytes, size_t size, size_t first, int32_t count,
                                       int32_t key, int32_t& nextNo) {
  if (size > kMaxWhere) throw std::length_error("word list: more than 1 GiB of records");
  // The entries held before leave the earlier bytes: their key is not the new one.
  for (int i = 0; i < Count(); ++i) {
    Entry& entry = entries_[size_t(i)];
    if (entry.form != kMasked && entry.form != kPlain) continue;
    const TangoView view = View(i);
    entry = {NewAdded(view), kAdded, entry.label};
  }
  file_ = std::move(bytes);
  fileSize_ = size;
  key_ = key;
  const size_t before = entries_.size();
  entries_.reserve(before + size_t(count));
  const char* const start = file_.get();
  const char* const end = start + size;
  const char* at = start + first;
  for (int32_t i = 0; i < count; ++i) {
    const char* next = SkipMaskedRecord(at, end, key);
    if (!next) {
      entries_.resize(before);
      return std::nullopt;
    }
    entries_.push_back({uint32_t(at - start), kMasked, nextNo++});
    at = next;
  }
  return size_t(at - start);
}

char* TangoStore::Record(const Entry& entry) const {
  return entry.form == kAdded ? added_[entry.where] : file_.get() + entry.where;
}

uint32_t TangoStore::NewAdded(const TangoView& entry) {
  if (added_.size() >= kMaxWhere) throw std::length_error("word list: too many entries");
  added_.push_back(blocks_.Append(entry));
  return uint32_t(added_.size() - 1);
}

TangoView TangoStore::FirstView(int index) {
  Entry& entry = entries_.at(size_t(index));
  if (entry.form == kOwned) return ViewOf(owned_[entry.where]);
  char* const record = Record(entry);
  if (entry.form == kMasked) {
    UnmaskRecord(record, record, key_);
    entry.form = kPlain;
  }
  return RecordAt(record);
}

TangoView TangoStore::View(int index, std::string& scratch) const {
  const Entry& entry = entries_.at(size_t(index));
  if (entry.form == kOwned) return ViewOf(owned_[entry.where]);
  const char* const record = Record(entry);
  if (entry.form == kMasked) {
    scratch.resize(MaskedSize(record));
    UnmaskRecord(record, scratch.data(), key_);
    return RecordAt(scratch.data());
  }
  return RecordAt(record);
}

size_t TangoStore::MaskedSize(const char* record) const {
  return size_t(SkipMaskedRecord(record, file_.get() + fileSize_, key_) - record);
}

TTango& TangoStore::Edit(int index) {
  Entry& entry = entries_.at(size_t(index));
  if (entry.form != kOwned) {
    const TangoView view = View(index);
    const uint32_t slot = NewSlot();
    TTango& tango = owned_[slot];
    tango.Japan = view.Japan;
    tango.Hangul = view.Hangul.ToCodes();
    tango.Setsumei = view.Setsumei;
    tango.Url = view.Url;
    entry = {slot, kOwned, entry.label};
  }
  return owned_[entry.where];
}

bool TangoStore::IsEmpty(int index) const {
  const Entry& entry = entries_.at(size_t(index));
  if (entry.form == kOwned) return ViewOf(owned_[entry.where]).IsEmpty();
  const char* const record = Record(entry);
  if (entry.form != kMasked) return RecordAt(record).IsEmpty();
  // A meaning that starts with a zero byte reads as empty.
  const uint32_t length = LoadU32(record) ^ uint32_t(key_);
  const bool noJapan = length == 0 || record[4] == char(key_ & 0xFF);
  return noJapan && (LoadU32(record + 4 + length) ^ uint32_t(key_)) == 0;
}

uint32_t TangoStore::NewSlot() {
  if (!freeSlots_.empty()) {
    const uint32_t slot = freeSlots_.back();
    freeSlots_.pop_back();
    return slot;
  }
  if (owned_.size() >= kMaxWhere) throw std::length_error("word list: too many entries");
  owned_.emplace_back();
  return uint32_t(owned_.size() - 1);
}

TTango& TangoStore::AddOwned(int32_t label) {
  const uint32_t slot = NewSlot();
  entries_.push_back({slot, kOwned, label});
  return owned_[slot];
}

void TangoStore::AddRecord(const TangoView& entry, int32_t label) {
  entries_.push_back({NewAdded(entry), kAdded, label});
}

void TangoStore::AddFrom(TangoStore& other, int index, int32_t label) {
  const TangoView view = other.View(index);
  const Entry& entry = other.entries_[size_t(index)];
  if (entry.form == kOwned) return AddRecord(view, label);
  if (added_.size() >= kMaxWhere) throw std::length_error("word list: too many entries");
  added_.push_back(other.Record(entry));
  entries_.push_back({uint32_t(added_.size() - 1), kAdded, label});
}

void TangoStore::TakeBytes(TangoStore&& other) {
  if (other.file_) taken_.push_back(std::move(other.file_));
  for (ByteBlock& file : other.taken_) taken_.push_back(std::move(file));
  blocks_.Adopt(std::move(other.blocks_));
  other.Clear();
}

void TangoStore::Release(const Entry& entry) {
  if (entry.form != kOwned) return;
  owned_[entry.where] = TTango();
  freeSlots_.push_back(entry.where);
}

void TangoStore::Delete(int index) {
  Release(entries_.at(size_t(index)));
  entries_.erase(entries_.begin() + index);
}

void TangoStore::DeleteEmpty() {
  size_t kept = 0;
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (IsEmpty(int(i)))
      Release(entries_[i]);
    else
      entries_[kept++] = entries_[i];
  }
  entries_.resize(kept);
}

size_t TangoStore::Written(bool skipEmpty) const {
  if (!skipEmpty) return entries_.size();
  size_t written = 0;
  for (int i = 0; i < Count(); ++i) written += !IsEmpty(i);
  return written;
}

void TangoStore::WriteRecords(ByteWriter& out, int32_t key, bool skipEmpty) const {
  std::string scratch;
  for (int i = 0; i < Count() && !out.Failed(); ++i) {
    if (skipEmpty && IsEmpty(i)) continue;
    const Entry& entry = entries_[size_t(i)];
    if (entry.form == kMasked) {
      const char* const record = Record(entry);
      if (RemaskRecord(out, record, MaskedSize(record), key_, key)) continue;
    }
    // What an owned entry holds after a zero byte is no part of the file.
    WriteMaskedRecord(out, Stored(View(i, scratch)), key);
  }
}

}  // namespace norumi
