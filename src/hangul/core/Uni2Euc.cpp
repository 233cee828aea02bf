#include "hangul/core/Uni2Euc.h"

#include <algorithm>
#include <fstream>

#include "model/ByteStream.h"

namespace norumi {

namespace {

constexpr std::streamoff kEntrySize = 4;

}  // namespace

TUni2Euc TUni2Euc::FromProgramFolder(const std::filesystem::path& folder) {
  TUni2Euc table;
  std::error_code error;
  const std::filesystem::path file = folder / kFileName;
  if (std::filesystem::is_regular_file(file, error)) table.LoadTable(file);
  return table;
}

bool TUni2Euc::LoadTable(const std::filesystem::path& path) {
  EucCodes.clear();
  UniCodes.clear();
  eucToUni_.clear();
  uniToEuc_.clear();
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;

  char header[4];
  if (!in.read(header, sizeof header)) return true;
  int32_t count = 0;
  ByteReader(std::string_view(header, sizeof header)).ReadInt32(count);
  if (count <= 0) return true;

  // Never more than the file holds, whatever the count claims.
  in.seekg(0, std::ios::end);
  const std::streamoff end = in.tellg();  // -1 when the file cannot tell its size
  const auto entries = std::min<std::streamoff>(
      count, std::max<std::streamoff>(0, end - std::streamoff(sizeof header)) / kEntrySize);
  if (entries == 0) return true;
  std::string bytes(size_t(entries * kEntrySize), '\0');
  in.seekg(sizeof header);
  if (!in.read(bytes.data(), std::streamsize(bytes.size()))) return true;

  ByteReader reader(bytes);
  EucCodes.resize(size_t(entries));
  UniCodes.resize(size_t(entries));
  for (size_t i = 0; i < size_t(entries); ++i) {
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
