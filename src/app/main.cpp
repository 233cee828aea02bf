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
  // The keyboard program beside this one is offered in the quiz and the editor.
  norumi::RegisterKeyboardProgram(desktop.registry,
                                  norumi::KeyboardProgramIn(QApplication::applicationDirPath()));

  norumi::RunHandler(desktop.dialogs, nullptr, [&] {
    norumi::StartWindows(desktop.services);
    application.exec();
  });
  norumi::DestroyWindows();
  return 0;
}
