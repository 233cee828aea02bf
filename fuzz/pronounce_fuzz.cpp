// SPDX-License-Identifier: GPL-3.0-or-later
// How a word is said, for any codes a word file may hold: the bytes read as 32-bit codes, as a
// word file stores them. Whatever they are, the three forms come out, the texts are valid UTF-8
// with no 0 byte, and the pronunciation keeps a cell for each cell the word shows.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "hangul/core/Pronunciation.h"
#include "model/Utf8.h"

using namespace norumi;

namespace {

// Valid UTF-8 reads back to the same bytes.
void CheckUtf8(const std::string& text) {
  std::string again;
  for (const int32_t code : CodesFromUtf8(text)) AppendUtf8(code, again);
  if (again != text) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  HangulCodes word(size / 4);
  if (!word.empty()) std::memcpy(word.data(), data, word.size() * 4);
  const SaidForms said = PronunciationOf(word);
  if (said.hangul.size() != CodeView(word).Shown().size()) std::abort();
  for (const std::string* text : {&said.roman, &said.katakana}) {
    if (text->find('\0') != std::string::npos) std::abort();
    CheckUtf8(*text);
  }
  return 0;
}
