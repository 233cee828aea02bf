// SPDX-License-Identifier: GPL-3.0-or-later
// The EUC-KR reader on arbitrary bytes with the real table: every code it gives is a space or a
// character of the table, and writing them gives bytes that read back the same.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "hangul/core/TextForms.h"

using namespace norumi;

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

const TUni2Euc& Table() {
  static const TUni2Euc table = [] {
    TUni2Euc loaded;
    Require(loaded.LoadTable(NORUMI_EUC_TABLE) && loaded.IsAvailable());
    return loaded;
  }();
  return table;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const HangulCodes codes = EucKrToCodes(bytes, Table());
  Require(codes.size() <= size);
  for (int32_t code : codes) Require(code == 32 || Table().UnicodeToEuc(code) >= 0xA1A1);
  Require(EucKrToCodes(CodesToEucKr(codes, Table()), Table()) == codes);
  return 0;
}
