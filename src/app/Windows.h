#pragma once

namespace norumi {

struct Services;

// Creates the program's windows once, in their fixed order, each reached through its global;
// the menu, created first, is the main window. DestroyWindows releases them in reverse order.
void CreateWindows(Services& services);
void DestroyWindows();
// Creates the windows and shows the menu; the application quits when the menu closes.
void StartWindows(Services& services);

}  // namespace norumi
