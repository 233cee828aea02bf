#pragma once

#include <QString>
#include <filesystem>

namespace norumi {

class IClipboard;
class IDialogs;
class IRegistry;
class IShell;

// What the windows need from the machine, handed to them at creation. main() sets up the real
// services; a test hands in its own.
struct Services {
  Services(IRegistry& registry, IDialogs& dialogs, IShell& shell)
      : registry(registry), dialogs(dialogs), shell(shell) {}

  IRegistry& registry;
  IDialogs& dialogs;
  IShell& shell;
  IClipboard* clipboard = nullptr;
  // The program file and its folder: word files, teach.txt and the data files lie there.
  QString executablePath;
  std::filesystem::path programFolder;
  // The application's help page, set at start-up when it exists; F1 opens it at the section of
  // the window's help context.
  QString helpFile;
};

// The application's title, the caption of the exception display.
inline const QString kApplicationTitle = QStringLiteral("ポミダル Norumi!");

}  // namespace norumi
