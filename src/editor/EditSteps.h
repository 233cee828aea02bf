// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <filesystem>

#include "model/TangoList.h"

namespace norumi {

// The word editor's rules that need no window.

// The codes a registration stores: the composition as shown, without the 0 codes it carries
// over from the stored word, and one closing 0 code. An empty composition stays empty, so an
// entry without Korean never holds an invisible code.
HangulCodes RegisteredCodes(const HangulCodes& composed);

// The index typed for "Jump": a decimal number, or -1 when the text is not one.
int32_t ParseJumpIndex(const QString& text);

// An explanation's line breaks: CR LF in the word file, as the files are exchanged with
// Windows; a single line feed in the memo.
QString MemoText(const QString& stored);
QString StoredText(const QString& memo);

}  // namespace norumi
