// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/core/Keyboard.h"

namespace norumi {
namespace {

using namespace kbd;

// Lone jamo sit in the Hangul Jamo block in tag order: choseong from 0x1100, jungseong from 0x1161.
constexpr int32_t kLoneConsonantBase = 0x1100 - kFirstConsonantTag;
constexpr int32_t kLoneVowelBase = 0x1161 - kFirstVowelTag;
constexpr int32_t kFirstSyllable = 0xAC00;
constexpr int32_t kVowelCount = 21;
constexpr int32_t kFinalCount = 28;

int32_t LoneJamo(int tag) {
  return IsVowelTag(tag) ? kLoneVowelBase + tag : kLoneConsonantBase + tag;
}

int32_t Syllable(int initial, int vowel, int final) {
  const int32_t l = initial - kFirstConsonantTag;
  const int32_t v = vowel - kFirstVowelTag;
  return kFirstSyllable + (l * kVowelCount + v) * kFinalCount + final;
}

int SingleFinal(int tag) {
  return IsConsonantTag(tag) ? kSingleFinal[size_t(tag)] : 0;
}

int CompoundFinal(int first, int second) {
  for (const auto& row : kCompoundFinals)
    if (row.First == first && row.Second == second) return row.Final;
  return 0;
}

int8_t CompoundVowel(int pending, int added) {
  for (const auto& row : kCompoundVowels)
    if (row.Pending == pending && row.Added == added) return row.Combined;
  return 0;
}

}  // namespace

int8_t TagForKeyLetter(char letter) {
  for (const auto& row : kShiftedKeyLetters)
    if (row.Letter == letter) return row.Tag;
  const char plain = letter >= 'A' && letter <= 'Z' ? char(letter - 'A' + 'a') : letter;
  for (const auto& row : kKeyLetters)
    if (row.Letter == plain) return row.Tag;
  return 0;
}

int32_t TKeyboard::AddKey(int8_t tag) {
  if (!IsConsonantTag(tag) && !IsVowelTag(tag)) return Pending;
  int n = KeyCount;
  // A merged vowel replaces the pending one and is then handled as if it had been typed alone.
  if (n > 0) {
    if (const int8_t combined = CompoundVowel(Keys[size_t(n - 1)], tag)) {
      tag = combined;
      Keys[size_t(--n)] = 0;
      KeyCount = n;
    }
  }
  switch (n) {
    case 0:
      AddToNothing(tag);
      break;
    case 1:
      AddToConsonant(tag);
      break;
    case 2:
      AddToSyllable(tag);
      break;
    case 3:
      AddToFinal(tag);
      break;
    case 4:
      AddToCompoundFinal(tag);
      break;
    default:
      break;
  }
  Pending = PendingCode();
  return Pending;
}

// A lone vowel is committed at once: a vowel never waits for a consonant typed after it.
void TKeyboard::AddToNothing(int8_t tag) {
  if (IsVowelTag(tag))
    Codes.push_back(LoneJamo(tag));
  else
    Hold(tag);
}

void TKeyboard::AddToConsonant(int8_t tag) {
  if (IsVowelTag(tag)) return Hold(tag);
  Codes.push_back(LoneJamo(Keys[0]));
  KeepOnly(tag);
}

void TKeyboard::AddToSyllable(int8_t tag) {
  if (IsConsonantTag(tag) && SingleFinal(tag) != 0) return Hold(tag);
  Codes.push_back(Syllable(Keys[0], Keys[1], 0));
  KeepOnly(0);
  AddToNothing(tag);
}

// The final is only provisional: a vowel after it takes it as the next syllable's initial.
void TKeyboard::AddToFinal(int8_t tag) {
  if (IsVowelTag(tag)) {
    Codes.push_back(Syllable(Keys[0], Keys[1], 0));
    return KeepOnly(Keys[2], tag);
  }
  if (CompoundFinal(Keys[2], tag) != 0) return Hold(tag);
  Codes.push_back(Syllable(Keys[0], Keys[1], SingleFinal(Keys[2])));
  KeepOnly(tag);
}

// Before a vowel a compound final splits: its second consonant starts the next syllable.
void TKeyboard::AddToCompoundFinal(int8_t tag) {
  if (IsVowelTag(tag)) {
    Codes.push_back(Syllable(Keys[0], Keys[1], SingleFinal(Keys[2])));
    return KeepOnly(Keys[3], tag);
  }
  Codes.push_back(Syllable(Keys[0], Keys[1], CompoundFinal(Keys[2], Keys[3])));
  KeepOnly(tag);
}

void TKeyboard::Hold(int8_t tag) {
  Keys[size_t(KeyCount++)] = tag;
}

// Tag 0 means no key, so KeepOnly(0) leaves nothing pending.
void TKeyboard::KeepOnly(int8_t first, int8_t second) {
  Keys = {first, second};
  KeyCount = first == 0 ? 0 : second == 0 ? 1 : 2;
}

int32_t TKeyboard::PendingCode() const {
  switch (KeyCount) {
    case 1:
      return LoneJamo(Keys[0]);
    case 2:
      return Syllable(Keys[0], Keys[1], 0);
    case 3:
      return Syllable(Keys[0], Keys[1], SingleFinal(Keys[2]));
    case 4:
      return Syllable(Keys[0], Keys[1], CompoundFinal(Keys[2], Keys[3]));
    default:
      return 0;
  }
}

void TKeyboard::AppendCode(int32_t code) {
  if (KeyCount > 0) Codes.push_back(Pending);
  Codes.push_back(code);
  Keys = {};
  KeyCount = 0;
  Pending = 0;
}

int32_t TKeyboard::BackSpace() {
  if (KeyCount > 0)
    Keys[size_t(--KeyCount)] = 0;
  else if (!Codes.empty())
    Codes.pop_back();
  Pending = PendingCode();
  return Pending;
}

void TKeyboard::Clear() {
  Codes.clear();
  Keys = {};
  KeyCount = 0;
  Pending = 0;
}

void TKeyboard::GetCodes(HangulCodes& target) const {
  target = Codes;
  target.push_back(Pending);
}

}  // namespace norumi
