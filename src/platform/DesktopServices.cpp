// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/DesktopServices.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include "platform/Folders.h"
#include "platform/InterfaceFont.h"
#ifdef NORUMI_SPEECH
#include "platform/KoreanSpeech.h"
#endif
#include "platform/Translations.h"
#include "platform/text/WordFileName.h"

// At file scope: the macro declares the resource's initialiser where it is used, and a static
// library would otherwise drop the icons at link time.
static void InitIconResources() {
  Q_INIT_RESOURCE(Icons);
}

namespace norumi {

namespace {

// The program's icon at every size drawn, for title bars, task bars and window lists.
QIcon ProgramIcon() {
  InitIconResources();
  QIcon icon;
  for (int size : {16, 32, 48, 64, 128, 256})
    icon.addFile(QStringLiteral(":/norumi/norumi-%1.png").arg(size), QSize(size, size));
  return icon;
}

}  // namespace

void UseProgramIcon() {
  QApplication::setWindowIcon(ProgramIcon());
}

DesktopServices::Application::Application(const QString& name) {
  QApplication::setApplicationName(name);
  QApplication::setOrganizationName(QStringLiteral("tarumo"));
  // A window hidden for a while (a dialog over it, the menu during a quiz) must not end the
  // program: each program ends when its main window closes.
  QApplication::setQuitOnLastWindowClosed(false);
  UseInterfaceFont();
}

DesktopServices::DesktopServices(const QString& applicationName)
    : application_(applicationName), services{registry, dialogs, shell} {
  services.clipboard = &clipboard;
#ifdef NORUMI_SPEECH
  speech = std::make_unique<KoreanSpeech>();
  services.speech = speech.get();
#endif
  services.executablePath = QDir::toNativeSeparators(QApplication::applicationFilePath());
  const std::filesystem::path program = ToPath(QApplication::applicationDirPath());
  ProgramFolders folders = FoldersOf(program, LearnerFolder());
  // Qt's standard buttons and boxes in Japanese too, where its translations are installed:
  // before the question about the word folder, which has them.
  InstallQtTranslations(QtTranslationFolders(folders.data));
  folders = SettleWordFolder(folders, program, dialogs);
  services.wordFolder = folders.words;
  services.dataFolder = folders.data;
}

}  // namespace norumi
