// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace norumi {

// One Japanese face for the whole interface where the system has one, rather than Latin letters
// and kana drawn from two different fonts. Needs the QApplication.
void UseInterfaceFont();

}  // namespace norumi
