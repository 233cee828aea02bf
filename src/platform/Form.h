// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>

#include "platform/Services.h"

namespace norumi {

// The base of the program's windows: a fixed-size window with the system menu and a minimise
// button, a help context number, and event handlers whose exceptions are shown, not fatal.
class TForm : public QDialog {
  Q_OBJECT

 public:
  explicit TForm(Services& services, QWidget* parent = nullptr);

  int HelpContext = 0;

 protected:
  // Runs an event handler under the exception display.
  void Run(const std::function<void()>& handler);
  // Connects `signal` of `sender` to an event handler of this window, run under the exception
  // display.
  template <typename Sender, typename Signal, typename Window>
  void Handle(Sender* sender, Signal signal, void (Window::*handler)()) {
    connect(sender, signal, this, [this, handler] {
      Run([this, handler] { (static_cast<Window*>(this)->*handler)(); });
    });
  }
  // Fixes the window's size to what its layout needs.
  void FixSize();
  void keyPressEvent(QKeyEvent* event) override;

  Services& services_;
};

}  // namespace norumi
