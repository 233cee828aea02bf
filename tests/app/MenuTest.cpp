// SPDX-License-Identifier: GPL-3.0-or-later
#include <sys/stat.h>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <functional>

#include "AppFixture.h"
#include "app/WbkMenu.h"
#include "app/Windows.h"
#include "files/WbkDialog.h"
#include "files/WordFolder.h"
#include "quiz/Seiseki.h"

namespace norumi {
namespace {

namespace fs = std::filesystem;

class Menu : public test::AppFixture {
 protected:
  ~Menu() override { DestroyWindows(); }

  // Starts the program: every window created, the menu's creation handler run.
  TfrmWBKMenu& Start() {
    DestroyWindows();
    CreateWindows(services);
    return *frmWBKMenu;
  }
  QString Reg(const char* name) { return registry.ReadMachineString(kProgramKey, name); }
};

TEST_F(Menu, FirstStartAsksForTheNameAndRegistersIt) {
  TfrmWBKMenu& menu = Start();
  EXPECT_FALSE(menu.edUser->isHidden());
  EXPECT_FALSE(menu.btUser->isHidden());
  EXPECT_TRUE(menu.pnlMenu->isHidden());
  EXPECT_EQ(menu.HelpContext, 3);
  EXPECT_EQ(menu.Label2->buddy(), menu.edUser);

  dialogs.ExpectMessage("名前を入力してください", "ユーザ名登録", MsgIcon::Stop);
  menu.btUser->click();
  EXPECT_TRUE(menu.pnlMenu->isHidden());
  EXPECT_EQ(Reg("path"), "");

  menu.edUser->setText(" たもつ ");  // taken as typed, spaces included
  menu.btUser->click();
  EXPECT_TRUE(menu.edUser->isHidden());
  EXPECT_TRUE(menu.btUser->isHidden());
  EXPECT_FALSE(menu.pnlMenu->isHidden());
  EXPECT_EQ(menu.lbUser->text(), " たもつ さん");
  EXPECT_EQ(menu.focusWidget(), menu.btReg);  // not the hidden 名前の登録
  EXPECT_EQ(menu.HelpContext, 6);
  EXPECT_EQ(Reg("user"), " たもつ ");
  EXPECT_EQ(Reg("path"), services.executablePath);

  TfrmWBKMenu& again = Start();  // the next start is registered
  EXPECT_TRUE(again.edUser->isHidden());
  EXPECT_EQ(again.UserName(), " たもつ ");
}

// A file dialog takes longer to build than the menu itself: start-up must not pay for one.
TEST_F(Menu, StartBuildsNoFileDialog) {
  Start();
  for (QWidget* widget : QApplication::allWidgets())
    EXPECT_FALSE(qobject_cast<QFileDialog*>(widget)) << widget->objectName().toStdString();
}

TEST_F(Menu, UserWithoutPathWritesBothAtStart) {
  registry.WriteMachineString(kProgramKey, "user", "Kim");
  TfrmWBKMenu& menu = Start();
  EXPECT_EQ(Reg("path"), services.executablePath);
  EXPECT_EQ(Reg("user"), "Kim");
  EXPECT_FALSE(menu.pnlMenu->isHidden());
  EXPECT_EQ(menu.lbUser->text(), "Kimさん");
}

TEST_F(Menu, PathWithoutUserAsksTheNameAgainAtEveryStart) {
  registry.WriteMachineString(kProgramKey, "path", "/elsewhere/norumi");
  TfrmWBKMenu& menu = Start();
  menu.edUser->setText("Lee");
  menu.btUser->click();
  EXPECT_FALSE(menu.pnlMenu->isHidden());
  EXPECT_EQ(Reg("user"), "");  // the registry is left as it was while its path exists
  EXPECT_EQ(Reg("path"), "/elsewhere/norumi");
  EXPECT_TRUE(Start().pnlMenu->isHidden());
}

TEST_F(Menu, UninstallToggleRemovesTheMakerKeyAndPutsItBack) {
  registry.WriteMachineString(kProgramKey, "user", "Park");
  registry.WriteMachineString(kKeyboardKey, "path", "/opt/pomkey");
  TfrmWBKMenu& menu = Start();
  EXPECT_EQ(menu.btUninstall->text(), "ｱﾝｲﾝｽﾄｰﾙ準備");
  menu.btUninstall->click();
  EXPECT_EQ(menu.btUninstall->text(), "ﾚｼﾞｽﾄﾘ作成");
  EXPECT_EQ(Reg("path"), "");
  EXPECT_EQ(Reg("user"), "");
  EXPECT_EQ(ReadKeyboardPath(registry), "");
  menu.btUninstall->click();
  EXPECT_EQ(menu.btUninstall->text(), "ｱﾝｲﾝｽﾄｰﾙ準備");
  EXPECT_EQ(Reg("user"), "Park");
  EXPECT_EQ(Reg("path"), services.executablePath);

  menu.btUninstall->click();  // removed, then the program ends and starts again
  TfrmWBKMenu& restarted = Start();
  EXPECT_TRUE(restarted.pnlMenu->isHidden());
  EXPECT_FALSE(restarted.edUser->isHidden());
}

TEST_F(Menu, TeacherModeAndHelpFileComeFromFilesBesideTheProgram) {
  registry.WriteMachineString(kProgramKey, "user", "Choi");
  EXPECT_FALSE(Start().TeachMode());
  EXPECT_EQ(services.helpFile, "");
  WriteFile("teach.txt", "T01\n");
  WriteFile("norumi.html", "");
  TfrmWBKMenu& menu = Start();
  EXPECT_TRUE(menu.TeachMode());
  EXPECT_EQ(services.helpFile, FromPath(folder / "norumi.html"));
  // F1 opens the page at the section of the window's help context.
  QKeyEvent f1(QEvent::KeyPress, Qt::Key_F1, Qt::NoModifier);
  QApplication::sendEvent(&menu, &f1);
  TfrmSeiseki results(services);
  QApplication::sendEvent(&results, &f1);
  const QString page = QUrl::fromLocalFile(services.helpFile).toString();
  EXPECT_EQ(shell.opened, (std::vector<QString>{page + "#6", page}));
}

// Whatever lies under the name teach.txt, the menu decides at once: only a regular file of one
// short line makes a teacher. A pipe froze the window holding a word file's lock, and /dev/zero
// filled the memory.
TEST_F(Menu, TeacherModeComesOnlyFromAShortRegularTeachFile) {
  const fs::path teach = folder / "teach.txt";
  const std::pair<const char*, std::function<void()>> rows[] = {
      {"pipe", [&] { ASSERT_EQ(::mkfifo(teach.c_str(), 0644), 0); }},
      {"endless", [&] { fs::create_symlink("/dev/zero", teach); }},
      {"folder", [&] { fs::create_directory(teach); }},
      {"oversized", [&] { WriteFile("teach.txt", "T01\n" + std::string(65536, 'x')); }},
      {"file", [&] { WriteFile("teach.txt", "T01\r\nrest"); }},
  };
  for (const auto& [name, make] : rows) {
    fs::remove(teach);
    make();
    const bool teacher = std::string_view(name) == "file";
    ASSERT_EQ(Start().TeachMode(), teacher) << name;  // the old reader would wait on the pipe
    EXPECT_EQ(ReadTeacherIdBytes(folder.Path()), teacher ? "T01" : "") << name;
  }
}

TEST_F(Menu, RegistrationOpensTheSelectionInEditorModeAndComesBack) {
  registry.WriteMachineString(kProgramKey, "user", "Jung");
  WriteFile("teach.txt", "T01\n");
  TfrmWBKMenu& menu = Start();
  menu.show();
  dialogs.ExpectModal("frmWBKDialog", [&](QDialog& window) {
    EXPECT_TRUE(menu.isHidden());
    EXPECT_TRUE(frmWBKDialog->Panel1->isHidden());
    EXPECT_FALSE(frmWBKDialog->btCreate->isHidden());
    EXPECT_TRUE(frmWBKDialog->teachMode);
    EXPECT_EQ(frmWBKDialog->userName, "Jung");
    EXPECT_EQ(frmWBKDialog->HelpContext, 33);
    window.findChild<QPushButton*>("btClose")->click();
  });
  menu.btReg->click();
  EXPECT_TRUE(menu.isVisible());
  EXPECT_FALSE(frmWBKDialog->Panel1->isHidden());
}

TEST_F(Menu, TheFocusComesBackToTheButtonThatOpenedTheClosedWindow) {
  registry.WriteMachineString(kProgramKey, "user", "Jung");
  TfrmWBKMenu& menu = Start();
  menu.show();
  for (QPushButton* opener : {menu.btJ2K, menu.btReg, menu.btK2J}) {
    dialogs.ExpectModal("frmWBKDialog", [](QDialog& window) { window.reject(); });
    opener->click();
    EXPECT_EQ(menu.focusWidget(), opener) << opener->objectName().toStdString();
  }
}

}  // namespace
}  // namespace norumi
