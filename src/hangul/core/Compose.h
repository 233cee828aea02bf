// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Tango.h"

namespace norumi {

// Korean some programs hand over decomposed, as conjoining jamo (an initial consonant U+1100 to
// U+1112, a vowel U+1161 to U+1175, a final U+11A8 to U+11C2), becomes the precomposed
// syllables the program draws and judges: an initial and a vowel make a syllable, and a syllable
// without a final takes a following final. Jamo that compose with nothing stay as they are. Only
// text arriving from outside goes through here; the keyboard's own lone consonants and vowels
// are never composed (they are never finals, so a syllable it typed never takes one).
HangulCodes ComposeJamo(HangulCodes codes);

}  // namespace norumi
