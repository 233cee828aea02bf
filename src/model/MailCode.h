// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "model/Tango.h"

namespace norumi {

// Result codes of the mail-magazine code writers and parsers.
enum MailCodeResult : int {
  kMailCodeOk = 0,
  kMailCodeBadMarker = -1,  // a marker line is missing where one is due
  kMailCodeBadNumber = -2,  // a quotient is not a number; or the "$001" block ends early
  kMailCodeBadLetter = -3,  // a letter is not in the digit alphabet
  kMailCodeEnded = -4,      // the lines end inside a block, or where a line is due
  kMailCodeCodeRange = -5,  // writer: a Hangul code outside 0..61999 cannot be written
  kMailCodeZeroByte = -6,   // writer: a zero byte in a text would not read back
};

// The 62 letters of the code's digit alphabet.
inline constexpr std::string_view kMailCodeAlphabet =
    "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
inline constexpr int32_t kMailCodeMaxCode = 999 * 62 + 61;  // 61999
inline constexpr size_t kMailCodeLineWidth = 70;

// A code carries one word: pasted text longer than this is no code, and is refused as an
// invalid one before it is split into lines (which would take time and memory without end).
inline constexpr size_t kMailCodeMaxInput = size_t(1) << 20;
inline bool MailCodeInputFits(size_t bytes) {
  return bytes <= kMailCodeMaxInput;
}
// Nor does a code, or the mail around it, hold a line longer than this (mail ends its lines
// within 998 characters): the code field refuses a paste that would make one, since one line
// that long would make every key typed in the field lay out all of it.
inline constexpr size_t kMailCodeMaxLine = size_t(1) << 14;

// The lines the word editor writes around a code, and the address in the closing line.
inline constexpr std::string_view kMailCodeHomePage = "https://norumi.example/";
std::string MailCodeOpeningLine();  // CP932
std::string MailCodeClosingLine();  // CP932

class TTangoList;

// The whole text issued for one word, as the word editor shows it and `wbk mailcode` prints it:
// the opening line, the code of the list's header and of `entry`, the closing line. A word the
// code cannot carry gives the writer's result code and leaves `lines` as they were.
int WriteIssuedCode(const TTangoList& list, const TTango& entry, TextLines& lines);

// Field encodings, exposed for tests and tools.
std::string EncodeMailText(std::string_view bytes);
std::string EncodeMailCodes(const HangulCodes& codes);

}  // namespace norumi
