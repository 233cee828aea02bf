// SPDX-License-Identifier: GPL-3.0-or-later
// Starts as the program starts, or as a bare Qt window ("bare"), and writes one byte to its
// standard output when its first window is first painted, then ends at once: the benchmark
// times a start against the floor of the same toolkit on the same display.
#include <unistd.h>

#include <QApplication>
#include <QWidget>
#include <cstring>

#include "app/WbkMenu.h"
#include "app/Windows.h"
#include "platform/DesktopServices.h"

namespace {

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      // Painted: the window is on the screen. Nothing after this is timed.
      if (::write(STDOUT_FILENO, "p", 1) != 1) _exit(1);
      _exit(0);
    }
    return QObject::eventFilter(watched, event);
  }
};

}  // namespace

int main(int argc, char* argv[]) {
  const bool bare = argc > 1 && std::strcmp(argv[1], "bare") == 0;
  QApplication application(argc, argv);
  FirstPaint painted;
  if (bare) {
    QWidget window;
    window.installEventFilter(&painted);
    window.show();
    return application.exec();
  }
  norumi::DesktopServices desktop(QStringLiteral("norumi"));
  norumi::StartProgram(desktop);
  norumi::frmWBKMenu->installEventFilter(&painted);
  return application.exec();
}
