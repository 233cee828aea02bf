// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <filesystem>

namespace norumi {

class IClipboard;
class IDialogs;
class IRegistry;
class IShell;
class ISpeech;

// What the windows need from the machine, handed to them at creation. main() sets up the real
// services; a test hands in its own.
struct Services {
  Services(IRegistry& registry, IDialogs& dialogs, IShell& shell)
      : registry(registry), dialogs(dialogs), shell(shell) {}

  IRegistry& registry;
  IDialogs& dialogs;
  IShell& shell;
  IClipboard* clipboard = nullptr;
  // None where the program was built without speech.
  ISpeech* speech = nullptr;
  // The program file.
  QString executablePath;
  // The word folder (word files, teach.txt, pomnor.dat) and the data folder (euc2uni.dll, the
  // help page): both the program's own folder in a portable copy (see platform/Folders.h).
  std::filesystem::path wordFolder;
  std::filesystem::path dataFolder;
  // The application's help page, set at start-up when it exists; F1 opens it at the section of
  // the window's help context.
  QString helpFile;
};

// The application's title, the caption of the exception display.
inline const QString kApplicationTitle = QStringLiteral("ポミダル Norumi!");

}  // namespace norumi
