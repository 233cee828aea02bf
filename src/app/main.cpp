// The program's entry: set up the machine's services, create the windows, run until the menu
// closes.
#include <QApplication>
#include <QDir>

#include "app/WbkMenu.h"
#include "app/Windows.h"
#include "model/Random.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionDisplay.h"
#include "platform/InterfaceFont.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Translations.h"
#include "platform/text/WordFileName.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  application.setApplicationName(QStringLiteral("norumi"));
  application.setOrganizationName(QStringLiteral("tarumo"));
  // The menu ends the program; a dialog closed while the menu is hidden must not.
  application.setQuitOnLastWindowClosed(false);
  // Qt's standard buttons and boxes in Japanese too, where its translations are installed.
  norumi::InstallQtTranslations();
  norumi::UseInterfaceFont();

  norumi::SettingsRegistry registry;
  norumi::QtDialogs dialogs;
  norumi::DesktopShell shell;
  norumi::QtClipboard clipboard;
  norumi::Services services{registry, dialogs, shell};
  services.clipboard = &clipboard;
  services.executablePath = QDir::toNativeSeparators(QApplication::applicationFilePath());
  services.programFolder = norumi::ToPath(QApplication::applicationDirPath());
  // The keyboard program beside this one is offered in the quiz and the editor.
  norumi::RegisterKeyboardProgram(registry,
                                  norumi::KeyboardProgramIn(QApplication::applicationDirPath()));

  norumi::RunHandler(dialogs, nullptr, [&] {
    norumi::CreateWindows(services);
    QObject::connect(norumi::frmWBKMenu, &QDialog::finished, &application, &QApplication::quit);
    norumi::frmWBKMenu->show();
    application.exec();
  });
  norumi::DestroyWindows();
  return 0;
}
