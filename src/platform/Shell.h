// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

class QWidget;

namespace norumi {

class IDialogs;

// The shell's "open": a web address opens in the browser, a document in its program, a program
// path starts the program. A file: address (the help page at a section) opens as an address, so
// its section is kept.
class IShell {
 public:
  virtual ~IShell() = default;
  virtual void Open(const QString& target) = 0;
};

class DesktopShell : public IShell {
 public:
  void Open(const QString& target) override;
};

// True for an absolute http or https address.
bool IsWebAddress(const QString& text);
// The address to open for a link written in a word file or a code: itself when it is a web
// address, "https://" in front of one that starts with "www.", none otherwise.
std::optional<QString> WebAddressOf(const QString& text);
// Opens an address that came from a word file or a code, and only as a web address: anything
// else (a program path, a file: address) is refused with a message, so a shared word file cannot
// start a program on the learner's machine. An empty address does nothing.
void OpenWebAddress(IShell& shell, IDialogs& dialogs, QWidget* parent, const QString& address);

}  // namespace norumi
