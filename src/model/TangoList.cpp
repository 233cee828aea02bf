// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TangoList.h"

#include <algorithm>
#include <cstring>
#include <future>
#include <optional>
#include <system_error>
#include <thread>

#include "model/FileErrors.h"
#include "model/HugePages.h"
#include "model/Random.h"
#include "model/TangoRecords.h"
#include "model/WordIndex.h"

namespace norumi {

const char* LoadStatusName(LoadStatus status) {
  switch (status) {
    case LoadStatus::Intact:
      return "intact";
    case LoadStatus::Missing:
      return "missing";
    case LoadStatus::FirstMarker:
      return "first-marker";
    case LoadStatus::SecondMarker:
      return "second-marker";
    case LoadStatus::ThirdMarker:
      return "third-marker";
    case LoadStatus::Truncated:
      return "truncated";
  }
  return "unknown";
}

namespace {

// Unmasks one text of a file's record from `in` to `out`: its length, then its bytes up to the
// first zero byte. `out` may be `in` itself or lie before it, never after.
bool UnmaskText(const char*& in, const char* end, char*& out, int32_t key) {
  if (end - in < 4) return false;
  const int32_t length = int32_t(LoadU32(in)) ^ key;
  in += 4;
  if (length < 0 || size_t(length) > size_t(end - in)) return false;
  const char low = char(key & 0xFF);
  char* text = out + 4;
  const bool sawZero = MaskBytes(text, in, size_t(length), low);
  const void* zero = sawZero ? std::memchr(text, 0, size_t(length)) : nullptr;
  const size_t kept = zero ? size_t(static_cast<const char*>(zero) - text) : size_t(length);
  StoreU32(out, uint32_t(kept));
  out = text + kept;
  in += length;
  return true;
}

// Unmasks one entry record of a file as UnmaskText does its texts. False when it does not fit in
// what is left.
bool UnmaskRecord(const char*& in, const char* end, char*& out, int32_t key) {
  if (!UnmaskText(in, end, out, key) || end - in < 4) return false;
  const int32_t count = int32_t(LoadU32(in)) ^ key;
  in += 4;
  if (count < 0 || size_t(count) > size_t(end - in) / 4) return false;
  StoreU32(out, uint32_t(count));
  out += 4;
  for (int32_t i = 0; i < count; ++i) StoreU32(out + 4 * i, LoadU32(in + 4 * i) ^ uint32_t(key));
  in += 4 * size_t(count);
  out += 4 * size_t(count);
  return UnmaskText(in, end, out, key) && UnmaskText(in, end, out, key);
}

void PutMaskedText(char*& at, std::string_view text, int32_t key) {
  StoreU32(at, uint32_t(text.size()) ^ uint32_t(key));
  MaskBytes(at + 4, text.data(), text.size(), char(key & 0xFF));
  at += 4 + text.size();
}

// Writes an entry held as the file holds it (see Stored).
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

// The hashes of the entries `first` to `end`, in parts on every core when they are many.
template <typename Hash, typename EntryAt>
std::vector<uint64_t> HashAll(int first, int end, Hash hash, const EntryAt& entryAt) {
  std::vector<uint64_t> hashes(size_t(std::max(0, end - first)));
  const auto part = [&](int from, int to) {
    for (int i = from; i < to; ++i) hashes[size_t(i - first)] = hash(entryAt(i));
  };
  constexpr int kPart = 1 << 15;
  const int parts = std::clamp(int(hashes.size()) / kPart, 1,
                               int(std::max(1u, std::thread::hardware_concurrency())));
  std::vector<std::future<void>> later;
  const auto bound = [&](int p) { return first + int(int64_t(hashes.size()) * p / parts); };
  for (int p = 1; p < parts; ++p) {
    try {
      later.push_back(std::async(std::launch::async, part, bound(p), bound(p + 1)));
    } catch (const std::system_error&) {
      part(bound(p), bound(p + 1));  // no thread to spare
    }
  }
  part(first, bound(1));
  for (auto& done : later) done.get();
  return hashes;
}

// Hands each hash on with its entry's number, counted from `first`, prefetching the slot of a
// hash some entries ahead: large tables are bound by cache misses, not by hashing.
template <typename Handle>
void ForEachHashed(const WordIndex& index, int first, const std::vector<uint64_t>& hashes,
                   const Handle& handle) {
  constexpr size_t kAhead = 16;
  for (size_t i = 0; i < hashes.size(); ++i) {
    if (i + kAhead < hashes.size()) index.Prefetch(hashes[i + kAhead]);
    handle(first + int(i), hashes[i]);
  }
}

}  // namespace

void TTangoList::ClearEntries() {
  items_.clear();
  bytes_ = std::string();
  blocks_.clear();
  blockUsed_ = blockSize_ = 0;
  NextNo = 0;
}

TTango* TTangoList::NewSlot() const {
  if (blockUsed_ == blockSize_) {
    blockSize_ = std::clamp<size_t>(blocks_.size() * 16, 16, 4096);
    blocks_.push_back(std::make_unique<TTango[]>(blockSize_));
    blockUsed_ = 0;
  }
  return &blocks_.back()[blockUsed_++];
}

TTango& TTangoList::Append(TTango* tango) {
  items_.push_back({reinterpret_cast<uintptr_t>(tango), NextNo++, true});
  return *tango;
}

TTango& TTangoList::Edited(int index) const {
  Item& item = items_.at(index);
  if (!item.edited) {
    const TangoView entry = RecordAt(bytes_.data() + item.where);
    TTango* tango = NewSlot();
    tango->Japan = entry.Japan;
    tango->Hangul = entry.Hangul.ToCodes();
    tango->Setsumei = entry.Setsumei;
    tango->Url = entry.Url;
    item.where = reinterpret_cast<uintptr_t>(tango);
    item.edited = true;
  }
  return *reinterpret_cast<TTango*>(item.where);
}

void TTangoList::AppendRecord(const TangoView& entry) {
  const size_t size = RecordSize(entry);
  const size_t at = bytes_.size();
  const char* codes = entry.Hangul.Bytes().data();
  if (at + size > bytes_.capacity() && codes >= bytes_.data() && codes < bytes_.data() + at) {
    // Growing would move the entry away under the copy: copy it out first.
    std::string record(size, '\0');
    WriteRecord(record.data(), entry);
    bytes_ += record;
  } else {
    bytes_.resize(at + size);
    WriteRecord(bytes_.data() + at, entry);
  }
  items_.push_back({at, NextNo++, false});
}

TTango& TTangoList::AddNew() {
  return Append(NewSlot());
}

TTango& TTangoList::AddCopy(const TTango& source) {
  TTango& entry = AddNew();
  entry.Assign(source);
  return entry;
}

void TTangoList::DeleteAt(int index) {
  const Item& item = items_.at(index);
  if (item.edited) *reinterpret_cast<TTango*>(item.where) = TTango();
  items_.erase(items_.begin() + index);
}

bool TTangoList::Contains(const TTango& entry) const {
  const TangoView sought = ViewOf(entry);
  for (int i = 0; i < Count(); ++i)
    if (SameEntry(View(i), sought)) return true;
  return false;
}

int TTangoList::AddAbsent(const std::vector<TTango>& words) {
  TangoRecords records;
  for (const TTango& word : words) records.Append(ViewOf(word));
  return AddAbsent(records);
}

int TTangoList::AddAbsent(const TangoRecords& words) {
  const auto view = [this](int i) { return View(i); };
  const auto offered = [&words](int i) { return words.View(i); };
  const std::vector<uint64_t> heldHashes = HashAll(0, Count(), SameEntryHash, view);
  const std::vector<uint64_t> offeredHashes = HashAll(0, words.Count(), SameEntryHash, offered);
  // The block grows once, and only an added word is written to it.
  bytes_.reserve(bytes_.size() + words.Bytes());
  items_.reserve(items_.size() + size_t(words.Count()));
  WordIndex index(items_.size() + size_t(words.Count()));
  ForEachHashed(index, 0, heldHashes, [&](int i, uint64_t hash) {
    const TangoView entry = View(i);
    index.InsertNew(hash, i, [&](int32_t at) { return SameEntry(View(at), entry); });
  });
  int added = 0;
  ForEachHashed(index, 0, offeredHashes, [&](int i, uint64_t hash) {
    const TangoView entry = words.View(i);
    const auto same = [&](int32_t at) { return SameEntry(View(at), entry); };
    if (!index.InsertNew(hash, Count(), same)) return;
    AppendRecord(entry);
    ++added;
  });
  return added;
}

int TTangoList::FindByJapan(const std::string& japan, std::vector<TTango*>& result) {
  int found = 0;
  for (int i = 0; i < Count(); ++i)
    if (View(i).Japan == japan) result.push_back(&Tango(i)), ++found;
  return found;
}

int TTangoList::FindByHangul(const HangulCodes& hangul, std::vector<TTango*>& result) {
  int found = 0;
  for (int i = 0; i < Count(); ++i)
    if (View(i).Hangul == CodeView(hangul)) result.push_back(&Tango(i)), ++found;
  return found;
}

void TTangoList::Merge(const TTangoList& other) {
  MergeAll({&other});
}

void TTangoList::MergeAll(const std::vector<const TTangoList*>& others) {
  MergeAllWith(others);
}

void TTangoList::MergeAllMoving(std::vector<std::unique_ptr<TTangoList>>&& others) {
  std::vector<TTangoList*> lists;
  for (const auto& other : others) lists.push_back(other.get());
  MergeAllWith(lists);
  for (auto& other : others) other->ClearEntries();
}

template <typename List>
void TTangoList::MergeAllWith(const std::vector<List*>& others) {
  if (others.empty()) return;  // nothing to index the held entries for
  size_t expected = items_.size(), bytes = bytes_.size();
  for (const List* other : others) {
    expected += other->items_.size();
    bytes += other->bytes_.size();
  }
  // Room for every record of the others at once, so that the block grows once.
  bytes_.reserve(bytes);
  WordIndex index(expected);
  int indexed = 0;
  const auto view = [this](int i) { return View(i); };
  for (const List* other : others) {
    // Each merge compares only with the entries held before it, so a word the other list
    // holds twice is appended twice when this list held neither.
    const int held = Count();
    ForEachHashed(index, indexed, HashAll(indexed, held, SameWordHash, view),
                  [&](int i, uint64_t hash) {
                    // A word held many times is indexed once: repeats would only lengthen the
                    // probes.
                    const TangoView entry = View(i);
                    index.InsertNew(hash, i, [&](int32_t at) { return SameWord(View(at), entry); });
                  });
    indexed = held;
    const int otherCount = other->Count();  // `other` may be this list
    const auto otherView = [other](int i) { return other->View(i); };
    ForEachHashed(index, 0, HashAll(0, otherCount, SameWordHash, otherView),
                  [&](int i, uint64_t hash) {
                    const TangoView entry = other->View(i);
                    const auto same = [&](int32_t at) { return SameWord(View(at), entry); };
                    if (!index.Contains(hash, same)) AppendRecord(entry);
                  });
  }
}

void TTangoList::RemoveEmpty() {
  // The same test as the one WriteStream leaves entries out by.
  std::erase_if(items_, [this](const Item& item) {
    const bool empty = item.edited ? ViewOf(*reinterpret_cast<const TTango*>(item.where)).IsEmpty()
                                   : RecordAt(bytes_.data() + item.where).IsEmpty();
    if (empty && item.edited) *reinterpret_cast<TTango*>(item.where) = TTango();
    return empty;
  });
}

LoadStatus TTangoList::LoadFromFile(const std::filesystem::path& path, const RoomToAdd& room) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return LoadStatus::Missing;
  std::string data = ReadWholeFile(path, kMaxReadBytes, room.bytes);
  ClearEntries();
  bytes_ = std::move(data);
  ByteReader in(bytes_);
  return LoadFrom(in, true, room.entries);
}

LoadStatus TTangoList::LoadHeaderFromFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return LoadStatus::Missing;
  // A header is a few dozen bytes unless its texts are long: the prefix read grows only then,
  // and stops at the end of the file.
  for (size_t want = 4096;; want *= 16) {
    const std::string data = ReadFileStart(path, want);
    ByteReader in(data);
    if (LoadHeader(in)) return LoadStatus::Intact;
    if (data.size() < want) return LoadStatus::Truncated;
  }
}

LoadStatus TTangoList::LoadForUpdate(const std::filesystem::path& path) {
  const LoadStatus status = LoadFromFile(path);
  if (IsDamaged(status)) throw EFDamagedError(path);
  return status;
}

void TTangoList::SaveToFile(const std::filesystem::path& path, const SaveFault& fault) {
  RemoveEmpty();
  WriteFile(path, fault);
}

void TTangoList::WriteFile(const std::filesystem::path& path, const SaveFault& fault) {
  SaveFileReplacing(
      path,
      [this](const WritePart& write) {
        ByteWriter out;
        return WriteStream(out, &write) && write(out.Written());
      },
      fault);
}

bool TTangoList::LoadHeader(ByteReader& in) {
  int32_t ignored = 0, readOnly = 0, kaisetsu = 0;
  if (!in.ReadInt32(ignored) || !in.ReadInt32(Version) || !in.ReadInt32(Key)) return false;
  if (!ReadMaskedString(in, Creator, Key) || !ReadMaskedString(in, UserName, Key) ||
      !ReadMaskedString(in, Title, Key) || !ReadMaskedString(in, Url, Key))
    return false;
  if (!in.ReadInt32(readOnly)) return false;
  ReadOnly = (readOnly ^ Key) == 0;
  if (!in.ReadInt32(kaisetsu)) return false;
  Kaisetsu = kaisetsu ^ Key;
  return true;
}

LoadStatus TTangoList::LoadFromStream(ByteReader& in) {
  return LoadFrom(in, false);
}

LoadStatus TTangoList::LoadFrom(ByteReader& in, bool inPlace, size_t roomEntries) {
  int32_t marker = 0, count = 0;
  if (!LoadHeader(in)) return LoadStatus::Truncated;
  if (!in.ReadInt32(marker)) return LoadStatus::Truncated;
  if (marker != Key) return LoadStatus::FirstMarker;

  // The smallest entry record is four int32 values: three empty strings and no codes.
  constexpr size_t kSmallestEntry = 16;
  if (!in.ReadInt32(count)) return LoadStatus::Truncated;
  count ^= Key;
  if (count < 0 || static_cast<size_t>(count) > in.Remaining() / kSmallestEntry)
    return LoadStatus::Truncated;
  items_.reserve(items_.size() + count + roomEntries);
  AdviseHugePages(items_.data(), items_.capacity() * sizeof(Item));
  const char* from = in.Here();
  const char* const end = from + in.Remaining();
  // Unmasked records never outgrow the masked ones, so in place each is written where it was
  // read or before, over bytes already read.
  const size_t first = inPlace ? size_t(from - bytes_.data()) : bytes_.size();
  if (!inPlace) bytes_.resize(first + in.Remaining());
  char* out = bytes_.data() + first;
  for (int32_t i = 0; i < count; ++i) {
    const size_t at = size_t(out - bytes_.data());
    if (!UnmaskRecord(from, end, out, Key)) {
      ClearEntries();
      return LoadStatus::Truncated;
    }
    items_.push_back({at, NextNo++, false});
  }
  const size_t used = size_t(out - bytes_.data());
  in.Skip(size_t(from - in.Here()));

  const bool hasSecond = in.ReadInt32(marker);
  if (!hasSecond || marker != Key) {
    ClearEntries();
    return hasSecond ? LoadStatus::SecondMarker : LoadStatus::Truncated;
  }
  if (!RirekiJap2Kor.LoadFromStream(in) || !RirekiKor2Jap.LoadFromStream(in)) {
    ClearEntries();
    return LoadStatus::Truncated;
  }
  const bool hasThird = in.ReadInt32(marker);
  if (!hasThird || marker != Key) {
    ClearEntries();
    return hasThird ? LoadStatus::ThirdMarker : LoadStatus::Truncated;
  }
  bytes_.resize(used);  // what follows the records has been read
  return LoadStatus::Intact;
}

void TTangoList::SaveToStream(ByteWriter& out) {
  RemoveEmpty();
  WriteStream(out);
}

void TTangoList::SaveKeepingEmpty(const std::filesystem::path& path) {
  WriteFile(path, {});
}

bool TTangoList::WriteStream(ByteWriter& out, const WritePart* write) {
  // The entries written, as the file holds them: texts in the block hold no zero byte, those of
  // an edited entry are cut at their first. An entry is left out by what it holds in memory.
  const auto written = [&](const Item& item) -> std::optional<TangoView> {
    if (!item.edited) {
      const TangoView entry = RecordAt(bytes_.data() + item.where);
      return entry.IsEmpty() ? std::nullopt : std::optional(entry);
    }
    const TangoView entry = ViewOf(*reinterpret_cast<const TTango*>(item.where));
    return entry.IsEmpty() ? std::nullopt : std::optional(Stored(entry));
  };
  size_t count = 0, size = 0;
  for (const Item& item : items_)
    if (const auto entry = written(item)) ++count, size += RecordSize(*entry);
  // Made whole, or in parts small enough to stay in the cache.
  constexpr size_t kPart = size_t(1) << 20;
  out.Reserve(write ? kPart + 65536 : size + 4096);
  out.WriteInt32(FileFormat);
  out.WriteInt32(Version);
  Key = RandomSource::Instance().Random(240) + 3;
  out.WriteInt32(Key);
  WriteMaskedString(out, Creator, Key);
  WriteMaskedString(out, UserName, Key);
  WriteMaskedString(out, Title, Key);
  WriteMaskedString(out, Url, Key);
  out.WriteInt32((ReadOnly ? 0 : 1) ^ Key);
  out.WriteInt32(Kaisetsu ^ Key);
  out.WriteInt32(Key);
  out.WriteInt32(static_cast<int32_t>(count) ^ Key);
  for (const Item& item : items_) {
    if (const auto entry = written(item)) WriteMaskedRecord(out, *entry, Key);
    if (write && out.Written().size() >= kPart) {
      if (!(*write)(out.Written())) return false;
      out.Clear();
    }
  }
  out.WriteInt32(Key);
  RirekiJap2Kor.SaveToStream(out);
  RirekiKor2Jap.SaveToStream(out);
  out.WriteInt32(Key);
  return true;
}

}  // namespace norumi
