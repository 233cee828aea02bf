#include "model/TangoList.h"

#include <algorithm>
#include <functional>

#include "model/FileErrors.h"
#include "model/Random.h"
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

void TTangoList::ClearEntries() {
  items_.clear();
  blocks_.clear();
  blockUsed_ = blockSize_ = 0;
  NextNo = 0;
}

TTango* TTangoList::NewSlot() {
  if (blockUsed_ == blockSize_) {
    blockSize_ = std::clamp<size_t>(items_.size(), 16, 65536);
    blocks_.push_back(std::make_unique<TTango[]>(blockSize_));
    blockUsed_ = 0;
  }
  return &blocks_.back()[blockUsed_++];
}

TTango& TTangoList::Append(TTango* tango) {
  items_.push_back({NextNo++, tango});
  return *tango;
}

TTango& TTangoList::AddNew() {
  return Append(NewSlot());
}

TTango& TTangoList::AddCopy(const TTango& source) {
  TTango& entry = AddNew();
  entry.Assign(source);
  return entry;
}

TTango& TTangoList::AddMoved(TTango& source) {
  TTango& entry = AddNew();
  entry.Japan = std::move(source.Japan);
  entry.Hangul = std::move(source.Hangul);
  entry.Setsumei = std::move(source.Setsumei);
  entry.Url = std::move(source.Url);
  return entry;
}

void TTangoList::DeleteAt(int index) {
  *items_.at(index).tango = TTango();
  items_.erase(items_.begin() + index);
}

namespace {

// The first `limit` bytes of a regular file, or all of a shorter one.
bool SameEntry(const TTango& a, const TTango& b) {
  return a.Japan == b.Japan && a.Setsumei == b.Setsumei && a.Url == b.Url && a.Hangul == b.Hangul;
}

}  // namespace

bool TTangoList::Contains(const TTango& entry) const {
  return std::any_of(items_.begin(), items_.end(),
                     [&](const Item& item) { return SameEntry(*item.tango, entry); });
}

template <typename Words, typename Add>
int TTangoList::AddAbsentWith(Words& words, Add add) {
  WordIndex index(items_.size() + words.size());
  for (int i = 0; i < Count(); ++i)
    index.InsertNew(SameEntryHash(Tango(i)), i,
                    [&](int32_t at) { return SameEntry(Tango(at), Tango(i)); });
  int added = 0;
  for (auto& word : words) {
    const auto same = [&](int32_t at) { return SameEntry(Tango(at), word); };
    if (!index.InsertNew(SameEntryHash(word), Count(), same)) continue;
    add(word);
    ++added;
  }
  return added;
}

int TTangoList::AddAbsent(const std::vector<TTango>& words) {
  return AddAbsentWith(words, [&](const TTango& word) { AddCopy(word); });
}

int TTangoList::AddAbsent(std::vector<TTango>&& words) {
  return AddAbsentWith(words, [&](TTango& word) { AddMoved(word); });
}

int TTangoList::FindByJapan(const std::string& japan, std::vector<TTango*>& result) {
  int found = 0;
  for (auto& item : items_)
    if (item.tango->Japan == japan) result.push_back(item.tango), ++found;
  return found;
}

int TTangoList::FindByHangul(const HangulCodes& hangul, std::vector<TTango*>& result) {
  int found = 0;
  for (auto& item : items_)
    if (item.tango->Hangul == hangul) result.push_back(item.tango), ++found;
  return found;
}

void TTangoList::Merge(const TTangoList& other) {
  MergeAll({&other});
}

void TTangoList::MergeAll(const std::vector<const TTangoList*>& others) {
  MergeAllWith(others, [&](const TTango& entry) { AddCopy(entry); });
}

void TTangoList::MergeAllMoving(std::vector<std::unique_ptr<TTangoList>>&& others) {
  std::vector<TTangoList*> lists;
  for (const auto& other : others) lists.push_back(other.get());
  MergeAllWith(lists, [&](TTango& entry) { AddMoved(entry); });
}

template <typename List, typename Add>
void TTangoList::MergeAllWith(const std::vector<List*>& others, Add add) {
  size_t expected = items_.size();
  for (const List* other : others) expected += other->items_.size();
  WordIndex index(expected);
  constexpr int kBatch = 16;
  uint64_t hashes[kBatch];
  // Hashes a batch of entries from `first`, prefetching their slots, then hands each on.
  const auto batched = [&](int first, int end, const auto& entryAt, const auto& handle) {
    for (int at = first; at < end; at += kBatch) {
      const int n = std::min(kBatch, end - at);
      for (int j = 0; j < n; ++j) index.Prefetch(hashes[j] = SameWordHash(entryAt(at + j)));
      for (int j = 0; j < n; ++j) handle(at + j, hashes[j]);
    }
  };
  int indexed = 0;
  for (List* other : others) {
    // Each merge compares only with the entries held before it, so a word the other list
    // holds twice is appended twice when this list held neither.
    const int held = Count();
    batched(
        indexed, held, [&](int i) -> const TTango& { return Tango(i); },
        [&](int i, uint64_t hash) {
          // A word held many times is indexed once: repeats would only lengthen the probes.
          index.InsertNew(hash, i, [&](int32_t at) { return Tango(at).IsSameWord(Tango(i)); });
        });
    indexed = held;
    const int otherCount = other->Count();  // `other` may be this list
    batched(
        0, otherCount, [&](int i) -> const TTango& { return other->Tango(i); },
        [&](int i, uint64_t hash) {
          auto& entry = other->Tango(i);
          const auto same = [&](int32_t at) { return Tango(at).IsSameWord(entry); };
          if (!index.Contains(hash, same)) add(entry);
        });
  }
}

void TTangoList::RemoveEmpty() {
  // The same test as the one WriteStream leaves entries out by.
  std::erase_if(items_, [](const Item& item) {
    const bool empty = item.tango->Hangul.empty() && item.tango->Japan.empty();
    if (empty) *item.tango = TTango();
    return empty;
  });
}

LoadStatus TTangoList::LoadFromFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::exists(path, error)) return LoadStatus::Missing;
  const std::string data = ReadWholeFile(path);
  ClearEntries();
  ByteReader in(data);
  return LoadFromStream(in);
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
  ByteWriter out;
  SaveToStream(out);
  SaveFileReplacing(path, out.Data(), fault);
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
  items_.reserve(items_.size() + count);
  for (int32_t i = 0; i < count; ++i) {
    TTango* entry = NewSlot();
    entry->Key = Key;
    if (!entry->LoadFromStream(in)) {
      ClearEntries();
      return LoadStatus::Truncated;
    }
    Append(entry);
  }

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
  WriteStream(out);
}

void TTangoList::SaveKeepingEmpty(const std::filesystem::path& path) {
  ByteWriter out;
  WriteStream(out);
  SaveFileReplacing(path, out.Data());
}

void TTangoList::WriteStream(ByteWriter& out) {
  const auto isEmpty = [](const Item& item) {
    return item.tango->Hangul.empty() && item.tango->Japan.empty();
  };
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
  const auto written = std::count_if(items_.begin(), items_.end(), std::not_fn(isEmpty));
  out.WriteInt32(static_cast<int32_t>(written) ^ Key);
  for (auto& item : items_) {
    if (isEmpty(item)) continue;
    item.tango->Key = Key;
    item.tango->SaveToStream(out);
  }
  out.WriteInt32(Key);
  RirekiJap2Kor.SaveToStream(out);
  RirekiKor2Jap.SaveToStream(out);
  out.WriteInt32(Key);
}

}  // namespace norumi
