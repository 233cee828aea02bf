// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "hangul/core/Uni2Euc.h"
#include "model/Tango.h"
#include "model/TangoView.h"

namespace norumi {

// The four forms a Hangul code list takes on the clipboard. A 0 code stands for no character
// and is written as nothing in every form. Bytes taken from the clipboard end at their first 0,
// as the system's text does. Every reader composes decomposed Korean into syllables
// (ComposeJamo), so text from anywhere compares with the words as the program stores them.

// Unicode text: one code per UTF-16 unit, up to a terminating 0 unit. Every unit becomes a code,
// whatever it is (line breaks, Latin letters and surrogates included).
HangulCodes UnicodeTextToCodes(std::u16string_view text);
// The same into `codes`, whose room is reused: the way to convert many texts in a row.
void UnicodeTextToCodes(std::u16string_view text, HangulCodes& codes);
// The low 16 bits of every code but 0, which stands for no character.
std::u16string CodesToUnicodeText(const HangulCodes& codes);
// The same, appended to `out`, for codes wherever they lie.
void AppendUnicodeText(const CodeView& codes, std::u16string& out);

// EUC-KR bytes: a space is one byte; any other code becomes its table value written high byte
// first, a 0 byte ending the value (so a code without entry is written as its own two bytes).
std::string CodesToEucKr(const HangulCodes& codes, const TUni2Euc& table);
// A space byte is a space; any other byte leads a pair whose table value is the code (a space
// when the table has none). A lead byte without a trail ends the text.
HangulCodes EucKrToCodes(std::string_view bytes, const TUni2Euc& table);

// Appends pasted codes to `word`. Zero-width characters are left out: they show nothing but would
// each take a cell, splitting the word the learner sees whole. Nor does a word start with
// blanks or line breaks once pasted into, so that it starts in the first cell.
void AppendPasted(HangulCodes& word, const HangulCodes& pasted);

// Numeric character references, "&#54620;" or "&#xd55c;"; a space stays one space, and nothing
// separates the references.
std::string CodesToReferences(const HangulCodes& codes, bool hexadecimal);
// Reads both reference forms. A space counts only at the start or right after a reference;
// other text between references is skipped, and a number that cannot be read gives 0.
HangulCodes ReferencesToCodes(std::string_view text);

}  // namespace norumi
