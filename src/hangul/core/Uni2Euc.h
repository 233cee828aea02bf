// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <filesystem>
#include <utility>
#include <vector>

#include "model/Tango.h"

namespace norumi {

// The EUC-KR table: entry i maps the EUC-KR code EucCodes[i] (lead byte × 256 + trail byte) to
// the Unicode value UniCodes[i]. When a code occurs twice, the first entry wins in both
// directions. Without a table every code passes through UnicodeToEuc unchanged and every
// EucToUnicode gives a space.
class TUni2Euc {
 public:
  // The table file in the program's folder. Despite its name it is data, never a library.
  static constexpr const char* kFileName = "euc2uni.dll";

  // The table of the program's folder as LoadTable leaves it: empty unless the file is whole.
  static TUni2Euc FromProgramFolder(const std::filesystem::path& folder);

  // Empties the table, then reads the count and that many entries. Only a regular file of
  // exactly that size is read (a pipe is never waited on); false, leaving the table empty, for
  // anything else: no file, a pipe, a device, a folder, a negative count, a file cut short or
  // longer than its count says, entries that are no EUC-KR table (see Uni2Euc.cpp).
  bool LoadTable(const std::filesystem::path& path);
  bool IsAvailable() const { return !EucCodes.empty(); }

  // The EUC-KR code of the low 16 bits of `code`, or `code` itself when the table has none.
  int32_t UnicodeToEuc(int32_t code) const;
  // The Unicode value of the 16-bit `code`, or 32 (a space) when the table has none.
  int32_t EucToUnicode(int32_t code) const;
  // Appends UnicodeToEuc of each code, cut to 16 bits.
  void ListToEuc(const HangulCodes& source, std::vector<int32_t>& target) const;

  // Read them freely; they change only through LoadTable, which also builds the lookups.
  std::vector<uint16_t> EucCodes, UniCodes;

 private:
  using Lookup = std::vector<std::pair<uint16_t, uint16_t>>;  // sorted by key, first entry only
  static Lookup BuildLookup(const std::vector<uint16_t>& keys, const std::vector<uint16_t>& values);
  static const uint16_t* Find(const Lookup& lookup, uint16_t key);

  // A word is copied and pasted code by code, so each lookup is a binary search, not a scan of
  // some 8,000 entries.
  Lookup eucToUni_, uniToEuc_;
};

}  // namespace norumi
