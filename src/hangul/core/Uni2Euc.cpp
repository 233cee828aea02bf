// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/core/Uni2Euc.h"

#include <algorithm>

#include "model/ByteStream.h"
#include "storage/FileErrors.h"
#include "storage/SafeSave.h"

namespace norumi {

namespace {

constexpr uint64_t kHeaderSize = 4;
constexpr uint64_t kEntrySize = 4;
// More entries than there are 16-bit codes would only repeat codes that lose to their first.
constexpr uint64_t kMaxEntries = 0x10000;

// KS X 1001 puts its 2,350 Hangul syllables in rows 0xB0 to 0xC8, in the order of Unicode's.
bool IsHangulRow(uint16_t euc) {
  return euc >= 0xB0A1 && euc <= 0xC8FE;
}
bool IsHangulSyllable(uint16_t uni) {
  return uni >= 0xAC00 && uni <= 0xD7A3;
}

// Whether the entries look like an EUC-KR table rather than damage of the right size (a block
// of zeros, bytes shifted, entries swapped). Every table written from the standard's mapping
// passes, whichever codec or edition made it, which a checksum of our own table would not: the
// file is data the learner may replace. Codes ascend (a repeated one is allowed, the first
// wins); each is a two-byte code (both bytes 0xA1 to 0xFE) and stands for a character beyond
// ASCII and the C1 controls that is no surrogate; a code in the Hangul rows stands for a Hangul
// syllable and a syllable for a code in those rows.
bool IsSoundTable(const std::vector<uint16_t>& euc, const std::vector<uint16_t>& uni) {
  for (size_t i = 0; i < euc.size(); ++i) {
    const int lead = euc[i] >> 8, trail = euc[i] & 0xFF;
    if (lead < 0xA1 || lead > 0xFE || trail < 0xA1 || trail > 0xFE) return false;
    if (i > 0 && euc[i] < euc[i - 1]) return false;
    if (uni[i] < 0xA0 || (uni[i] >= 0xD800 && uni[i] <= 0xDFFF) || uni[i] > 0xFFFD) return false;
    if (IsHangulRow(euc[i]) != IsHangulSyllable(uni[i])) return false;
  }
  return true;
}

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
  if (!IsSoundTable(EucCodes, UniCodes)) {
    EucCodes.clear();
    UniCodes.clear();
    return false;
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
