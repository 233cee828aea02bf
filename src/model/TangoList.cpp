// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/TangoList.h"

#include <algorithm>
#include <cstring>
#include <memory>
#include <optional>

#include "model/Parallel.h"
#include "model/Random.h"
#include "model/TangoRecords.h"
#include "model/WordIndex.h"
#include "storage/FileErrors.h"

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

// The hashes of the entries `first` to `end`, in parts on every core when they are many.
template <typename Hash, typename EntryAt>
std::vector<uint64_t> HashAll(int first, int end, Hash hash, const EntryAt& entryAt) {
  std::vector<uint64_t> hashes(size_t(std::max(0, end - first)));
  const auto part = [&](int from, int to) {
    for (int i = from; i < to; ++i) hashes[size_t(i - first)] = hash(entryAt(i));
  };
  constexpr size_t kPart = size_t(1) << 15;
  const size_t parts = Workers(hashes.size(), kPart);
  const auto bound = [&](size_t p) { return first + int(hashes.size() * p / parts); };
  RunParts(parts, [&](size_t p) { part(bound(p), bound(p + 1)); });
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
  entries_.Clear();
  NextNo = 0;
}

TTango TTangoList::Tango(int index) const {
  std::string scratch;
  const TangoView entry = View(index, scratch);
  TTango copy;
  copy.Japan = entry.Japan;
  copy.Hangul = entry.Hangul.ToCodes();
  copy.Setsumei = entry.Setsumei;
  copy.Url = entry.Url;
  return copy;
}

TTango& TTangoList::AddNew() {
  return entries_.AddOwned(NextNo++);
}

TTango& TTangoList::AddCopy(const TTango& source) {
  TTango& entry = AddNew();
  entry.Assign(source);
  return entry;
}

bool TTangoList::Contains(const TTango& entry) {
  const TangoView sought = ViewOf(entry);
  for (int i = 0; i < Count(); ++i)
    if (SameEntry(View(i), sought)) return true;
  return false;
}

int TTangoList::AddAbsent(const TangoRecords& words) {
  const auto view = [this](int i) { return View(i); };
  const auto offered = [&words](int i) { return words.View(i); };
  const std::vector<uint64_t> heldHashes = HashAll(0, Count(), SameEntryHash, view);
  const std::vector<uint64_t> offeredHashes = HashAll(0, words.Count(), SameEntryHash, offered);
  entries_.Reserve(size_t(words.Count()));
  WordIndex index(size_t(Count()) + size_t(words.Count()));
  ForEachHashed(index, 0, heldHashes, [&](int i, uint64_t hash) {
    const TangoView entry = View(i);
    index.InsertNew(hash, i, [&](int32_t at) { return SameEntry(View(at), entry); });
  });
  int added = 0;
  ForEachHashed(index, 0, offeredHashes, [&](int i, uint64_t hash) {
    const TangoView entry = words.View(i);
    const auto same = [&](int32_t at) { return SameEntry(View(at), entry); };
    if (!index.InsertNew(hash, Count(), same)) return;
    entries_.AddRecord(entry, NextNo++);
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

std::vector<int> TTangoList::MergeAllMoving(std::vector<std::unique_ptr<TTangoList>>&& others) {
  std::vector<int> ends;
  if (others.empty()) return ends;  // nothing to index the held entries for
  size_t expected = size_t(Count());
  for (const auto& other : others) expected += size_t(other->Count());
  entries_.Reserve(expected - size_t(Count()));
  WordIndex index(expected);
  int indexed = 0;
  const auto view = [this](int i) { return View(i); };
  for (const auto& other : others) {
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
    const auto otherView = [&other](int i) { return other->View(i); };
    ForEachHashed(index, 0, HashAll(0, other->Count(), SameWordHash, otherView),
                  [&](int i, uint64_t hash) {
                    const TangoView entry = other->View(i);
                    const auto same = [&](int32_t at) { return SameWord(View(at), entry); };
                    if (!index.Contains(hash, same)) entries_.AddFrom(other->entries_, i, NextNo++);
                  });
    entries_.TakeBytes(std::move(other->entries_));
    other->ClearEntries();
    ends.push_back(Count());
  }
  return ends;
}

LoadStatus TTangoList::LoadFromFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return LoadStatus::Missing;
  FileBytes file = ReadWholeFileBytes(path);
  ClearEntries();
  ByteReader in(std::string_view(file.data.get(), file.size));
  return LoadFrom(in, std::move(file.data));
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
  WriteFile(path, fault, false);
}

void TTangoList::WriteFile(const std::filesystem::path& path, const SaveFault& fault,
                           bool skipEmpty) {
  SaveFileReplacing(
      path,
      [this, skipEmpty](const WritePart& write) {
        // Made in parts small enough to stay in the cache.
        constexpr size_t kPart = size_t(1) << 20;
        ByteWriter out(write, kPart);
        out.Reserve(kPart + 65536);
        WriteStream(out, skipEmpty);
        return out.Flush();
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
  return LoadFrom(in, nullptr);
}

LoadStatus TTangoList::LoadFrom(ByteReader& in, ByteBlock bytes) {
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
  size_t first = in.Position();
  if (!bytes) {
    // The records stay in bytes of the list's own.
    bytes = NewByteBlock(in.Remaining());
    std::memcpy(bytes.get(), in.Here(), in.Remaining());
    first = 0;
  }
  const size_t size = first + in.Remaining();
  const std::optional<size_t> end =
      entries_.Load(std::move(bytes), size, first, count, Key, NextNo);
  if (!end) {
    ClearEntries();
    return LoadStatus::Truncated;
  }
  in.Skip(*end - first);

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
  return LoadStatus::Intact;
}

void TTangoList::SaveToStream(ByteWriter& out) {
  RemoveEmpty();
  WriteStream(out, false);
}

void TTangoList::SaveKeepingEmpty(const std::filesystem::path& path) {
  WriteFile(path, {}, true);
}

void TTangoList::SaveKeepingEmpty(ByteWriter& out) {
  out.Reserve(out.Written().size() + entries_.SizeHint());  // one buffer, never moved
  WriteStream(out, true);
}

void TTangoList::WriteStream(ByteWriter& out, bool skipEmpty) {
  const size_t count = entries_.Written(skipEmpty);
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
  entries_.WriteRecords(out, Key, skipEmpty);
  out.WriteInt32(Key);
  RirekiJap2Kor.SaveToStream(out);
  RirekiKor2Jap.SaveToStream(out);
  out.WriteInt32(Key);
}

}  // namespace norumi
