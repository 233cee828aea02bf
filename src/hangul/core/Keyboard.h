// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include "hangul/core/KeyboardTables.h"
#include "model/Tango.h"

namespace norumi {

// Key tags name the jamo keys: consonants 1 to 19, vowels 50 to 70. Nothing else is a tag.
constexpr bool IsConsonantTag(int tag) {
  return tag >= kbd::kFirstConsonantTag && tag <= kbd::kLastConsonantTag;
}
constexpr bool IsVowelTag(int tag) {
  return tag >= kbd::kFirstVowelTag && tag <= kbd::kLastVowelTag;
}

// The tag typed by a letter key of the on-screen keyboard ('r' is ㄱ, 'R' ㄲ, 'A' the same as
// 'a'); 0 for a character that types no jamo.
int8_t TagForKeyLetter(char letter);

// The Korean text being typed: committed codes plus the syllable still being composed from the
// pending keys. Callers read and replace `Codes` directly.
class TKeyboard {
 public:
  std::array<int8_t, 8> Keys{};  // pending key tags; slots after the pending keys read 0
  int32_t Pending = 0;           // code of the pending keys, 0 when none
  int32_t KeyCount = 0;
  HangulCodes Codes;

  // Returns Pending. A value that is not a tag is ignored.
  int32_t AddKey(int8_t tag);
  // Commits what is pending, then `code`.
  void AppendCode(int32_t code);
  // Removes the last pending key, or else the last committed code whole. Returns Pending.
  int32_t BackSpace();
  void Clear();
  // `Codes` followed by `Pending`, also when that is 0.
  void GetCodes(HangulCodes& target) const;

 private:
  // One per number of keys pending before the new key; each leaves the keys still pending.
  void AddToNothing(int8_t tag);
  void AddToConsonant(int8_t tag);
  void AddToSyllable(int8_t tag);
  void AddToFinal(int8_t tag);
  void AddToCompoundFinal(int8_t tag);

  void Hold(int8_t tag);
  void KeepOnly(int8_t first, int8_t second = 0);
  int32_t PendingCode() const;
};

}  // namespace norumi
