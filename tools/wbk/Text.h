// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "exchange/TsvWords.h"
#include "model/Tango.h"

namespace norumi::wbk {

// What the tool prints of a stored CP932 text.
std::string Cp932ToUtf8(std::string_view cp932);
// A stored text in a message: its control characters escaped (see EscapeControls).
std::string ShowText(const std::string& cp932);

// `where`: "`text`" has a character CP932 cannot hold ("개", U+AC1C).
std::string UncodableMessage(std::string_view where, const QString& text,
                             const Uncodable& character);
// The CP932 bytes of `text`. A character CP932 cannot hold is refused with a Failure that names
// `where` (as in "line 3, Japanese column") and the character.
std::string ToCp932OrRefuse(const QString& text, std::string_view where);

}  // namespace norumi::wbk
