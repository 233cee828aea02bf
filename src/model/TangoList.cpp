#include "model/TangoList.h"

#include <algorithm>
#include <unordered_set>

#include "model/Random.h"

namespace norumi {

const char* LoadStatusName(LoadStatus status) {
  switch (status) {
    case LoadStatus::Intact: return "intact";
    case LoadStatus::Missing: return "missing";
    case LoadStatus::FirstMarker: return "first-marker";
    case LoadStatus::SecondMarker: return "second-marker";
    case LoadStatus::ThirdMarker: return "third-marker";
    case LoadStatus::Truncated: return "truncated";
  }
  return "unknown";
}

void TTangoList::ClearEntries() {
  items_.clear();
  NextNo = 0;
}

TTango& TTangoList::Append(std::unique_ptr<TTango> tango) {
  items_.push_back({NextNo++, std::move(tango)});
  return *items_.back().tango;
}

TTango& TTangoList::AddNew() { return Append(std::make_unique<TTango>()); }

TTango& TTangoList::AddCopy(const TTango& source) {
  TTango& entry = AddNew();
  entry.Assign(source);
  return entry;
}

void TTangoList::DeleteAt(int index) {
  items_.at(index);  // refuses an index outside the list
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
    if (item.tango->Japan == japan) result.push_back(item.tango.get()), ++found;
  return found;
}

int TTangoList::FindByHangul(const HangulCodes& hangul, std::vector<TTango*>& result) {
  int found = 0;
  for (auto& item : items_)
    if (item.tango->Hangul == hangul) result.push_back(item.tango.get()), ++found;
  return found;
}

namespace {

struct SameWordHash {
  size_t operator()(const TTango* t) const {
    size_t h = std::hash<std::string>()(t->Japan);
    for (int32_t code : t->Hangul) h = h * 1000003u ^ static_cast<uint32_t>(code);
    return h;
  }
};
struct SameWordEqual {
  bool operator()(const TTango* a, const TTango* b) const { return a->IsSameWord(*b); }
};

}  // namespace

void TTangoList::Merge(const TTangoList& other) {
  // Only the entries held before the merge are compared, so a word the other list holds twice
  // is appended twice when this list held neither.
  std::unordered_set<const TTango*, SameWordHash, SameWordEqual> held;
  held.reserve(items_.size());
  for (const auto& item : items_) held.insert(item.tango.get());
  const int otherCount = other.Count();  // `other` may be this list
  for (int i = 0; i < otherCount; ++i) {
    const TTango& entry = other.Tango(i);
    if (!held.contains(&entry)) AddCopy(entry);
  }
}

void TTangoList::RemoveEmpty() {
  std::erase_if(items_, [](const Item& item) {
    return item.tango->Hangul.empty() && item.tango->Japan.empty();
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
    auto entry = std::make_unique<TTango>();
    entry->Key = Key;
    if (!entry->LoadFromStream(in)) {
      ClearEntries();
      return LoadStatus::Truncated;
    }
    Append(std::move(entry));
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
