#include "model/TangoList.h"

#include <algorithm>

#include "model/FileErrors.h"
#include "model/Random.h"

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

void TTangoList::DeleteAt(int index) {
  *items_.at(index).tango = TTango();
  items_.erase(items_.begin() + index);
}

bool TTangoList::Contains(const TTango& entry) const {
  return std::any_of(items_.begin(), items_.end(), [&](const Item& item) {
    const TTango& t = *item.tango;
    return t.Japan == entry.Japan && t.Setsumei == entry.Setsumei && t.Url == entry.Url &&
           t.Hangul == entry.Hangul;
  });
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

namespace {

uint64_t SameWordHash(const TTango& t) {
  uint64_t h = std::hash<std::string_view>()(t.Japan);
  for (int32_t code : t.Hangul) {
    h ^= static_cast<uint32_t>(code) + 0x9E3779B97F4A7C15ull + (h << 6) + (h >> 2);
  }
  return h * 0xBF58476D1CE4E5B9ull;
}

}  // namespace

namespace {

// An open-addressing table of (hash, index) over the entries of a list: an entry is compared
// only when its hash matches. Large merges are bound by cache misses on the table, so callers
// hash a batch of words first and prefetch their slots before looking them up.
class SameWordIndex {
 public:
  explicit SameWordIndex(size_t expected) {
    size_t capacity = 16;
    while (capacity < expected * 2) capacity *= 2;
    table_.assign(capacity, Slot{0, -1});
  }

  void Prefetch(uint64_t hash) const {
#if defined(__GNUC__) || defined(__clang__)
    __builtin_prefetch(&table_[hash & (table_.size() - 1)]);
#else
    (void)hash;
#endif
  }

  void Insert(uint64_t hash, int32_t index) {
    if (++size_ * 2 > table_.size()) Rehash();
    Place(hash, index);
  }

  template <typename Same>
  bool Contains(uint64_t hash, Same same) const {
    const size_t mask = table_.size() - 1;
    for (size_t at = hash & mask; table_[at].index >= 0; at = (at + 1) & mask)
      if (table_[at].hash == hash && same(table_[at].index)) return true;
    return false;
  }

 private:
  struct Slot {
    uint64_t hash;
    int32_t index;
  };

  void Place(uint64_t hash, int32_t index) {
    const size_t mask = table_.size() - 1;
    size_t at = hash & mask;
    while (table_[at].index >= 0) at = (at + 1) & mask;
    table_[at] = {hash, index};
  }

  void Rehash() {
    std::vector<Slot> old(table_.size() * 2, Slot{0, -1});
    old.swap(table_);
    for (const Slot& slot : old)
      if (slot.index >= 0) Place(slot.hash, slot.index);
  }

  std::vector<Slot> table_;
  size_t size_ = 0;
};

}  // namespace

void TTangoList::Merge(const TTangoList& other) {
  MergeAll({&other});
}

void TTangoList::MergeAll(const std::vector<const TTangoList*>& others) {
  size_t expected = items_.size();
  for (const TTangoList* other : others) expected += other->items_.size();
  SameWordIndex index(expected);
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
  for (const TTangoList* other : others) {
    // Each merge compares only with the entries held before it, so a word the other list
    // holds twice is appended twice when this list held neither.
    const int held = Count();
    batched(
        indexed, held, [&](int i) -> const TTango& { return Tango(i); },
        [&](int i, uint64_t hash) { index.Insert(hash, i); });
    indexed = held;
    const int otherCount = other->Count();  // `other` may be this list
    batched(
        0, otherCount, [&](int i) -> const TTango& { return other->Tango(i); },
        [&](int i, uint64_t hash) {
          const TTango& entry = other->Tango(i);
          const auto same = [&](int32_t at) { return Tango(at).IsSameWord(entry); };
          if (!index.Contains(hash, same)) AddCopy(entry);
        });
  }
}

void TTangoList::RemoveEmpty() {
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

LoadStatus TTangoList::LoadFromStream(ByteReader& in) {
  int32_t ignored = 0, readOnly = 0, kaisetsu = 0, marker = 0, count = 0;
  if (!in.ReadInt32(ignored) || !in.ReadInt32(Version) || !in.ReadInt32(Key))
    return LoadStatus::Truncated;
  if (!ReadMaskedString(in, Creator, Key) || !ReadMaskedString(in, UserName, Key) ||
      !ReadMaskedString(in, Title, Key) || !ReadMaskedString(in, Url, Key))
    return LoadStatus::Truncated;
  if (!in.ReadInt32(readOnly)) return LoadStatus::Truncated;
  ReadOnly = (readOnly ^ Key) == 0;
  if (!in.ReadInt32(kaisetsu)) return LoadStatus::Truncated;
  Kaisetsu = kaisetsu ^ Key;

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
  out.WriteInt32(static_cast<int32_t>(items_.size()) ^ Key);
  for (auto& item : items_) {
    item.tango->Key = Key;
    item.tango->SaveToStream(out);
  }
  out.WriteInt32(Key);
  RirekiJap2Kor.SaveToStream(out);
  RirekiKor2Jap.SaveToStream(out);
  out.WriteInt32(Key);
}

}  // namespace norumi
