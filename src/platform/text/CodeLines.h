// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include "model/Tango.h"

namespace norumi {

// Pasted text as the lines of a mail-magazine code, in CP932, with CR LF or LF line ends. A
// line CP932 cannot hold keeps its UTF-8 bytes, which match no marker and no code letter: it
// can only be one of the lines around the code, or a wrong one.
TextLines CodeLines(const QString& text);

}  // namespace norumi
