// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

namespace norumi {

class DesktopServices;
struct Services;

// Creates the program's windows once, in their fixed order, each reached through its global;
// the menu, created first, is the main window. DestroyWindows releases them in reverse order.
void CreateWindows(Services& services);
void DestroyWindows();
// Creates the menu and shows it; the other windows are created as soon as it has been painted,
// then `afterPainted` runs. The application quits when the menu closes.
void StartWindows(Services& services, std::function<void()> afterPainted = {});
// The program's start: its windows, then, once the menu is on the screen, the keyboard program's
// registration and the program's icon.
void StartProgram(DesktopServices& desktop);

}  // namespace norumi
