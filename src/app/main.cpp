// SPDX-License-Identifier: GPL-3.0-or-later
// The program's entry: set up the machine's services, create the windows, run until the menu
// closes.
#include <QApplication>

#include "app/WbkMenu.h"
#include "app/Windows.h"
#include "platform/DesktopServices.h"
#include "platform/ExceptionDisplay.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  norumi::DesktopServices desktop(QStringLiteral("norumi"));
  norumi::RunHandler(desktop.dialogs, nullptr, [&] {
    norumi::StartProgram(desktop);
    application.exec();
  });
  norumi::DestroyWindows();
  return 0;
}
