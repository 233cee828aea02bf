// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard program: the Hangul keyboard window on its own, for typing Korean to paste into
// the quiz, the word editor or any other program. It shares pomnor.dat and euc2uni.dll with the
// program, in the folders the platform layer decides for both, and ends when its window closes.
#include <QApplication>

#include "hangul/view/KeyboardWindow.h"
#include "hangul/view/PatternDialog.h"
#include "platform/DesktopServices.h"
#include "platform/ExceptionDisplay.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  norumi::DesktopServices desktop(QStringLiteral("norumi-keyboard"));
  norumi::Services& services = desktop.services;
  norumi::UseProgramIcon();
  norumi::RegisterKeyboardProgram(desktop.registry, services.executablePath);

  norumi::RunHandler(desktop.dialogs, nullptr, [&] {
    norumi::frmKeyboard = new norumi::TfrmKeyboard(services);
    norumi::frmPattern = new norumi::TfrmPattern(services);
    // Here the keyboard is the program's main window, with a place in the task bar, so that it
    // can be brought back after a copy has minimised it.
    norumi::frmKeyboard->setWindowFlags(
        (norumi::frmKeyboard->windowFlags() & ~Qt::WindowType_Mask) | Qt::Window);
    QObject::connect(norumi::frmKeyboard, &QDialog::finished, &application, &QApplication::quit);
    norumi::frmKeyboard->show();
    application.exec();
  });
  delete norumi::frmPattern;
  delete norumi::frmKeyboard;  // writes pomnor.dat
  return 0;
}
