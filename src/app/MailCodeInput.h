// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <filesystem>

#include "model/Tango.h"

namespace norumi {

class ReviewBook;

// What became of a pasted code.
enum class CodeInput {
  Unreadable,  // no code, or one whose title cannot name a word file: nothing shown or written
  Shown,       // a display-only code: shown, nothing written
  Stored,      // shown, asked once each way, and saved in the word file of its title
};

// The road of a pasted code: its word is added to the word file of the code's title in `folder`
// (made when missing) unless that holds it already, shown, asked once in each direction and
// saved. A damaged word file throws EFDamagedError before anything is shown or written. The two
// answers are reviews of the word in `reviews`, when given.
CodeInput ReceiveMailCode(const QString& text, const std::filesystem::path& folder,
                          ReviewBook* reviews = nullptr);

}  // namespace norumi
