#include "hangul/core/Uni2Euc.h"

#include <algorithm>

#include "model/ByteStream.h"
#include "model/FileErrors.h"
#include "model/SafeSave.h"

namespace norumi {

namespace {

constexpr uint64_t kHeaderSize = 4;
constexpr uint64_t kEntrySize = 4;
// More entries than there are 16-bit codes would only repeat codes that lose to their first.
constexpr uint64_t kMaxEntries = 0x10000;

}  // namespace

TUni2Euc TUni2Euc::FromProgramFolder(const std::filesystem::path& folder) {
  TUni2Euc table;
  table.LoadTable(folder / kFileName);
  return table;
}

bool TUni2Euc::LoadTable(const std::filesystem::path& path) {
  EucCodes.clear();
  UniCodes.clear();
  eucToUni_.clear();
  uniToEuc_.clear();
  std::string bytes;
  try {
    // Never waits on a pipe or a device, and never reads more than a table can be.
    bytes = ReadWholeFile(path, kHeaderSize + kEntrySize * kMaxEntries);
  } catch (const EFileError&) {
    return false;
  }
  ByteReader reader(bytes);
  int32_t count = -1;
  // A table cut short or run on was not written whole: a half table would copy and paste some
  // syllables right and others as raw bytes or spaces, with nothing to tell which.
  if (!reader.ReadInt32(count) || count < 0 ||
      bytes.size() != kHeaderSize + kEntrySize * uint64_t(count))
    return false;

  EucCodes.resize(size_t(count));
  UniCodes.resize(size_t(count));
  for (size_t i = 0; i < size_t(count); ++i) {
    reader.ReadUInt16(EucCodes[i]);
    reader.ReadUInt16(UniCodes[i]);
  }
  eucToUni_ = BuildLookup(EucCodes, UniCodes);
  uniToEuc_ = BuildLookup(UniCodes, EucCodes);
  return true;
}

TUni2Euc::Lookup TUni2Euc::BuildLookup(const std::vector<uint16_t>& keys,
                                       const std::vector<uint16_t>& values) {
  Lookup lookup(keys.size());
  for (size_t i = 0; i < keys.size(); ++i) lookup[i] = {keys[i], values[i]};
  // A stable sort keeps equal keys in file order, so the first entry of each survives.
  std::stable_sort(lookup.begin(), lookup.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  lookup.erase(std::unique(lookup.begin(), lookup.end(),
                           [](const auto& a, const auto& b) { return a.first == b.first; }),
               lookup.end());
  return lookup;
}

const uint16_t* TUni2Euc::Find(const Lookup& lookup, uint16_t key) {
  auto it = std::lower_bound(lookup.begin(), lookup.end(), key,
                             [](const auto& entry, uint16_t k) { return entry.first < k; });
  return it != lookup.end() && it->first == key ? &it->second : nullptr;
}

int32_t TUni2Euc::UnicodeToEuc(int32_t code) const {
  const uint16_t* euc = Find(uniToEuc_, uint16_t(code & 0xFFFF));
  return euc ? *euc : code;
}

int32_t TUni2Euc::EucToUnicode(int32_t code) const {
  const uint16_t* uni = Find(eucToUni_, uint16_t(code & 0xFFFF));
  return uni ? *uni : 32;
}

void TUni2Euc::ListToEuc(const HangulCodes& source, std::vector<int32_t>& target) const {
  target.reserve(target.size() + source.size());
  for (int32_t code : source) target.push_back(UnicodeToEuc(code) & 0xFFFF);
}

}  // namespace norumi
