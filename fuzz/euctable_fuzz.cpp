// SPDX-License-Identifier: GPL-3.0-or-later
// The table loader on arbitrary file contents: it takes a file only when its size is exactly
// what its count says, keeps the entries in file order, and its lookups agree with a plain
// first-entry-wins map.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>

#include "hangul/core/Uni2Euc.h"

using namespace norumi;

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

struct TempFile {
  std::filesystem::path path =
      std::filesystem::temp_directory_path() / ("norumi-fuzz-euctable-" + std::to_string(getpid()));
  ~TempFile() {
    std::error_code error;
    std::filesystem::remove(path, error);
  }
};

uint16_t Get16(const uint8_t* p) {
  return uint16_t(p[0] | p[1] << 8);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const TempFile file;
  std::ofstream(file.path, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), std::streamsize(size));
  size_t expected = 0;
  bool whole = false;
  if (size >= 4) {
    const auto count =
        int32_t(uint32_t(data[0] | data[1] << 8 | data[2] << 16) | uint32_t(data[3]) << 24);
    whole = count >= 0 && count <= 0x10000 && size == 4 + 4 * size_t(count);
    if (whole) expected = size_t(count);
  }
  TUni2Euc table;
  Require(table.LoadTable(file.path) == whole);
  Require(table.EucCodes.size() == expected && table.UniCodes.size() == expected);
  Require(table.IsAvailable() == (expected > 0));

  std::map<uint16_t, uint16_t> eucToUni, uniToEuc;
  for (size_t i = 0; i < expected; ++i) {
    const uint16_t euc = Get16(data + 4 + 4 * i), uni = Get16(data + 6 + 4 * i);
    Require(table.EucCodes[i] == euc && table.UniCodes[i] == uni);
    eucToUni.emplace(euc, uni);  // keeps the first
    uniToEuc.emplace(uni, euc);
  }
  for (const auto& [euc, uni] : eucToUni) {
    Require(table.EucToUnicode(euc) == uni);
    Require(table.EucToUnicode(euc | 0x10000) == uni);
    const uint16_t next = uint16_t(euc + 1);
    Require(table.EucToUnicode(next) == (eucToUni.count(next) ? eucToUni[next] : 32));
  }
  for (const auto& [uni, euc] : uniToEuc) {
    Require(table.UnicodeToEuc(uni) == euc);
    Require(table.UnicodeToEuc(uni | 0x70000) == euc);
    const uint16_t next = uint16_t(uni + 1);
    Require(table.UnicodeToEuc(next) == (uniToEuc.count(next) ? uniToEuc[next] : next));
  }
  return 0;
}
