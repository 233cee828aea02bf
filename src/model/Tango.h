// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <algorithm>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "model/ByteStream.h"

namespace norumi {

// A Korean word: one code point per character cell (0 means no character).
using HangulCodes = std::vector<int32_t>;
// The lines a mail-magazine code is written to and read from; parsers consume from the front.
using TextLines = std::deque<std::string>;

// One word entry. Text fields hold CP932 bytes and are never converted here.
class TTango {
 public:
  std::string Japan;
  HangulCodes Hangul;
  std::string Setsumei;
  std::string Url;
  bool DisplayOnly = false;
  // A key an entry may carry along; files are masked with the list's own key.
  int32_t Key = 0;

  // Copies the four stored fields; `DisplayOnly` and `Key` stay.
  void Assign(const TTango& source);
  // Same meaning and the same code list; explanation and URL are not compared.
  bool IsSameWord(const TTango& other) const;

  // Mail-magazine code of the entry (see MailCode.h for the result codes).
  int ToMailCode(TextLines& lines) const;
  int FromMailCode(TextLines& lines);
};

// The end of a Korean word without its trailing 0 codes: cells that show nothing, which the
// word editor leaves behind and a pasted answer never holds. Two words that differ only there
// read the same.
inline HangulCodes::const_iterator ShownEnd(const HangulCodes& codes) {
  auto end = codes.end();
  while (end != codes.begin() && *(end - 1) == 0) --end;
  return end;
}
inline bool SameShownWord(const HangulCodes& a, const HangulCodes& b) {
  return std::equal(a.begin(), ShownEnd(a), b.begin(), ShownEnd(b));
}

// A masked string: its length XOR the key, then its bytes XOR the key's low byte. A stored
// text ends at its first zero byte, so only the bytes before one are written.
void WriteMaskedString(ByteWriter& out, std::string_view text, int32_t key);
bool ReadMaskedString(ByteReader& in, std::string& text, int32_t key);

}  // namespace norumi
