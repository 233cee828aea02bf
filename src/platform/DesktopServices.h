// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/Speech.h"

namespace norumi {

// Gives every window the program's icon. Reading the icon's pictures takes a few milliseconds,
// so the program does it once its first window is on the screen.
void UseProgramIcon();

// What both programs of ours set up alike once their QApplication exists: the application's
// names (the settings file is found by them), the word folder and the data folder, Japanese
// standard buttons, the interface font, and the real services of this machine
// for the windows, speech among them where the program was built with it.
class DesktopServices {
 public:
  explicit DesktopServices(const QString& applicationName);
  DesktopServices(const DesktopServices&) = delete;
  DesktopServices& operator=(const DesktopServices&) = delete;

 private:
  // Runs first: the registry below reads the names it sets.
  struct Application {
    explicit Application(const QString& name);
  } application_;

 public:
  SettingsRegistry registry;
  QtDialogs dialogs;
  DesktopShell shell;
  QtClipboard clipboard;
  // None in a build without speech.
  std::unique_ptr<ISpeech> speech;
  Services services;
};

}  // namespace norumi
