// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QStringView>
#include <optional>

namespace norumi {

// The number a spin edit's text stands for: leading blanks, an optional sign, then decimal
// digits or hexadecimal ones after "$", "x" or "0x". Nothing may follow the digits. Decimal must
// fit a signed 32-bit integer; hexadecimal may use all 32 bits and reads as two's complement
// ("$FFFFFFFF" is -1), as it is usually written for such numbers.
std::optional<int> ReadSpinValue(QStringView text);

}  // namespace norumi
