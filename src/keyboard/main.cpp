// The keyboard program: the Hangul keyboard window on its own, for typing Korean to paste into
// the quiz, the word editor or any other program. It shares pomnor.dat and euc2uni.dll with the
// program beside it and ends when its window closes.
#include <QApplication>
#include <QDir>

#include "hangul/view/KeyboardWindow.h"
#include "hangul/view/PatternDialog.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionDisplay.h"
#include "platform/InterfaceFont.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/text/WordFileName.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("norumi-keyboard"));
  application.setOrganizationName(QStringLiteral("tarumo"));
  // Hiding the keyboard for the settings dialog must not end the program; closing it does.
  application.setQuitOnLastWindowClosed(false);
  norumi::UseInterfaceFont();

  norumi::SettingsRegistry registry;
  norumi::QtDialogs dialogs;
  norumi::DesktopShell shell;
  norumi::QtClipboard clipboard;
  norumi::Services services{registry, dialogs, shell};
  services.clipboard = &clipboard;
  services.executablePath = QDir::toNativeSeparators(QApplication::applicationFilePath());
  services.programFolder = norumi::ToPath(QApplication::applicationDirPath());
  norumi::RegisterKeyboardProgram(registry, services.executablePath);

  norumi::RunHandler(dialogs, nullptr, [&] {
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
