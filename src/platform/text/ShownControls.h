// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <filesystem>

#include "platform/text/ShownCodes.h"

namespace norumi {

// `text` from outside the program (a file name, a title, a lock record) as a window shows it:
// every character IsShownEscaped picks is written as an escape ("\x1b", "\u202e"), so that
// nothing invisible hides in it and no bidirectional control shows it in another order.
QString ShowControls(const QString& text);
// The same for text of several lines (an explanation): its line breaks ("\n", "\r\n") stay.
QString ShowControlsInLines(const QString& text);
// A path as messages name it: the system's separators, its controls shown as escapes.
QString ShownPath(const std::filesystem::path& path);

}  // namespace norumi
