// SPDX-License-Identifier: GPL-3.0-or-later
// The reference reader on arbitrary text: whatever it reads must write back, in both reference
// forms, to text that reads the same codes (less the 0 codes, which are written as nothing, so
// that jamo they kept apart compose once written side by side).
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "hangul/core/Compose.h"
#include "hangul/core/TextForms.h"

using namespace norumi;

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const HangulCodes codes = ReferencesToCodes(text);
  Require(codes.size() <= size);

  HangulCodes written, writtenHex;
  for (int32_t code : codes) {
    if (code == 0) continue;
    written.push_back(code);
    // Hexadecimal writes a negative code as its 32 bits, a number too large to read back.
    writtenHex.push_back(code < 0 ? 0 : code);
  }
  Require(ReferencesToCodes(CodesToReferences(codes, false)) == ComposeJamo(written));
  Require(ReferencesToCodes(CodesToReferences(codes, true)) == ComposeJamo(writtenHex));
  return 0;
}
