#include "platform/DesktopServices.h"

#include <QApplication>
#include <QDir>

#include "platform/InterfaceFont.h"
#include "platform/Translations.h"
#include "platform/text/WordFileName.h"

namespace norumi {

DesktopServices::Application::Application(const QString& name) {
  QApplication::setApplicationName(name);
  QApplication::setOrganizationName(QStringLiteral("tarumo"));
  // A window hidden for a while (a dialog over it, the menu during a quiz) must not end the
  // program: each program ends when its main window closes.
  QApplication::setQuitOnLastWindowClosed(false);
  // Qt's standard buttons and boxes in Japanese too, where its translations are installed.
  InstallQtTranslations();
  UseInterfaceFont();
}

DesktopServices::DesktopServices(const QString& applicationName)
    : application_(applicationName), services{registry, dialogs, shell} {
  services.clipboard = &clipboard;
  services.executablePath = QDir::toNativeSeparators(QApplication::applicationFilePath());
  services.programFolder = ToPath(QApplication::applicationDirPath());
}

}  // namespace norumi
