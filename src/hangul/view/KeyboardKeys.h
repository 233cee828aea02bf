// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

#include <QString>

namespace norumi {

// One jamo button of the keyboard window: its control name, its jamo as a letter of its own
// (compatibility jamo), its key tag, the letter key that types it (0: none; with `shift`, only
// together with Shift), its hint (nullptr: none) and, for a compound vowel, which no one key
// types and which shows no hint, its reading.
struct JamoKey {
  const char* name;
  char16_t jamo;
  int8_t tag;
  char letter;
  bool shift;
  const char* hint;               // UTF-8
  const char* reading = nullptr;  // UTF-8, as a hint reads: "wa わ段"
};

// The 40 jamo buttons in the order of the window's KeyButtons: the consonants by tag (1..19),
// then the vowels by tag (50..70), so that entry i also names key glyph i.
extern const std::array<JamoKey, 40> kJamoKeys;

// The entry the letter key `letter` ('A'..'Z') types, with Shift held or not: a shifted jamo
// where the letter has one, otherwise the letter's plain jamo. -1 for anything else.
int JamoKeyForLetter(char letter, bool shift);

// What a screen reader says of a key: its jamo and the keys that type it, as "ㄱ (r)",
// "ㄲ (Shift+r)" or, for a compound vowel, "ㅘ (h k)".
QString SpokenKeyName(const JamoKey& key);
// What it says next: the key's hint; for a compound vowel one made in the same form.
QString SpokenKeyDescription(const JamoKey& key);

}  // namespace norumi
