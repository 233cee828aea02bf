#pragma once

#include <QString>

namespace norumi {

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
// Opens an address that came from a word file or a code, and only when it is a web address:
// anything else (a program path, a file: address) is ignored, so a shared word file cannot start
// a program on the learner's machine.
void OpenWebAddress(IShell& shell, const QString& address);

}  // namespace norumi
