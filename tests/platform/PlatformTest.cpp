// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QFile>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QTranslator>
#include <memory>

#include "PlatformDoubles.h"
#include "TempDir.h"
#include "platform/ExceptionDisplay.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "platform/Shell.h"
#include "platform/Translations.h"
#include "platform/text/Cp932Validator.h"
#include "platform/text/WordFileName.h"
#include "storage/FileErrors.h"

namespace norumi {
namespace {

QString IniFile(const test::TempDir& dir) {
  return FromPath(dir / "tarumo" / "registry.ini");
}

TEST(SettingsRegistry, KeepsValuesUnderTheirKeysAndDeletesWholeKeys) {
  test::TempDir dir;
  {
    SettingsRegistry registry(IniFile(dir));
    EXPECT_EQ(registry.ReadMachineString(kProgramKey, "user"), "");
    registry.WriteMachineString(kProgramKey, "user", "たもつ");
    registry.WriteMachineString(kProgramKey, "path", "/opt/norumi/norumi");
    registry.WriteMachineString(kKeyboardKey, "path", "/opt/pomkey");
    registry.WriteMachineString("\\Software\\other\\", "x", "kept");
  }
  SettingsRegistry registry(IniFile(dir));  // another program of ours reads the same file
  EXPECT_EQ(registry.ReadMachineString(kProgramKey, "user"), "たもつ");
  EXPECT_EQ(ReadKeyboardPath(registry), "/opt/pomkey");
  registry.DeleteMachineKey(kMakerKey);
  EXPECT_EQ(registry.ReadMachineString(kProgramKey, "path"), "");
  EXPECT_EQ(ReadKeyboardPath(registry), "");
  EXPECT_EQ(registry.ReadMachineString("\\Software\\other\\", "x"), "kept");
}

TEST(SettingsRegistry, AnUnwritableFileFailsSilently) {
  test::TempDir dir;
  std::filesystem::create_directories(dir / "blocked" / "registry.ini");  // a folder in its place
  SettingsRegistry registry(FromPath(dir / "blocked" / "registry.ini"));
  registry.WriteMachineString(kProgramKey, "user", "x");
  registry.DeleteMachineKey(kMakerKey);
  SettingsRegistry again(FromPath(dir / "blocked" / "registry.ini"));
  EXPECT_EQ(again.ReadMachineString(kProgramKey, "user"), "");
}

TEST(WebAddresses, HttpHttpsAndWwwOpenAndAnythingElseIsRefusedAloud) {
  test::RecordingShell shell;
  test::ScriptedDialogs dialogs;
  for (const char* address : {"https://example.org/a?b=c", "http://example.org", " HTTPS://x.jp ",
                              "www.example.org/dog", ""})
    OpenWebAddress(shell, dialogs, nullptr, QString::fromUtf8(address));
  EXPECT_EQ(shell.opened, (std::vector<QString>{"https://example.org/a?b=c", "http://example.org",
                                                "HTTPS://x.jp", "https://www.example.org/dog"}));
  for (const char* address : {"calc.exe", "/usr/bin/xterm", "file:///etc/passwd", "javascript:x",
                              "ftp://example.org", "http://", "C:\\Windows\\notepad.exe", "www."}) {
    dialogs.ExpectMessage(
        QString::fromUtf8(address) +
            " はWebのアドレス (http:// または https://) ではないため、開けません。",
        "URL", MsgIcon::Stop);
    OpenWebAddress(shell, dialogs, nullptr, QString::fromUtf8(address));
  }
  EXPECT_EQ(shell.opened.size(), 4u);
}

TEST(SettingsRegistry, TheKeyboardProgramIsRegisteredWhenPresentAndNoOtherIs) {
  test::TempDir dir;
  SettingsRegistry registry(IniFile(dir));
  const QString program = KeyboardProgramIn(FromPath(dir.Path()));
  RegisterKeyboardProgram(registry, program);  // not there: a quiz must not offer it
  EXPECT_EQ(ReadKeyboardPath(registry), "");
  test::WriteBytes(ToPath(program), "");
  RegisterKeyboardProgram(registry, program);
  EXPECT_EQ(ReadKeyboardPath(registry), program);
  const QString elsewhere = FromPath(dir / "elsewhere");
  test::WriteBytes(ToPath(elsewhere), "");
  registry.WriteMachineString(kKeyboardKey, "path", elsewhere);
  RegisterKeyboardProgram(registry, program);  // one installed elsewhere stays
  EXPECT_EQ(ReadKeyboardPath(registry), elsewhere);
  std::filesystem::remove(ToPath(elsewhere));
  RegisterKeyboardProgram(registry, program);  // a removed one gives way
  EXPECT_EQ(ReadKeyboardPath(registry), program);
}

// The keyboard is started from a quiz window: it must run as a program of its own, and the quiz
// must not wait for it.
TEST(DesktopShell, StartsAProgramWithoutWaitingForIt) {
  test::TempDir dir;
  const auto script = dir / "program";
  test::WriteBytes(script, "#!/bin/sh\ntouch started\nsleep 2\ntouch finished 2>/dev/null\n");
  QFile::setPermissions(FromPath(script), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  DesktopShell shell;
  shell.Open(FromPath(dir / "missing"));  // nothing there: nothing happens
  shell.Open(FromPath(script));
  EXPECT_FALSE(std::filesystem::exists(dir / "finished"));
  const QDeadlineTimer deadline(10000);
  while (!std::filesystem::exists(dir / "started") && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  EXPECT_TRUE(std::filesystem::exists(dir / "started"));  // run in its own folder
}

TEST(ExceptionDisplay, NamesTheFileThatFailedAndTheProgramGoesOn) {
  test::ScriptedDialogs dialogs;
  const auto path = std::filesystem::path("/words") / "a.wbk";
  dialogs.ExpectMessage("ファイル /words/a.wbk を作成できません。", kApplicationTitle,
                        MsgIcon::Stop);
  dialogs.ExpectMessage("ファイル /words/a.wbk を開けません。", kApplicationTitle, MsgIcon::Stop);
  dialogs.ExpectMessage(
      "単語ファイル /words/a.wbk は壊れています。失われた単語を上書きしないよう、"
      "このファイルには書き込みません。",
      kApplicationTitle, MsgIcon::Stop);
  bool after = false;
  RunHandler(dialogs, nullptr, [&] { throw EFCreateError(path); });
  RunHandler(dialogs, nullptr, [&] { throw EFOpenError(path); });
  RunHandler(dialogs, nullptr, [&] { throw EFDamagedError(path); });
  RunHandler(dialogs, nullptr, [&] { after = true; });
  EXPECT_TRUE(after);
}

TEST(QtDialogs, AWindowThatStepsAsideForAnotherStaysModalUntilItCloses) {
  QtDialogs dialogs;
  QDialog window;
  // As a quiz window does around the settings dialog: hide, let another window run, show again.
  QTimer::singleShot(0, &window, [&] {
    window.hide();
    window.show();
    QTimer::singleShot(0, &window, [&] { window.done(kModalOk); });
  });
  EXPECT_EQ(dialogs.ShowModal(window), kModalOk);
  QTimer::singleShot(0, &window, [&] { window.reject(); });
  EXPECT_EQ(dialogs.ShowModal(window), kModalCancel);
}

// Asks Yes or No through the program's real message box and reads its buttons as shown.
std::pair<QString, QString> YesNoButtons() {
  std::pair<QString, QString> texts;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    texts = {box->button(QMessageBox::Yes)->text(), box->button(QMessageBox::No)->text()};
    box->button(QMessageBox::No)->click();
  });
  QtDialogs dialogs;
  EXPECT_EQ(dialogs.MessageBox(nullptr, "削除しますか？", "削除", MsgIcon::Information,
                               MsgButtons::YesNo),
            MsgAnswer::No);
  return texts;
}

TEST(QtTranslations, QuestionBoxesReadInJapaneseWhereQtsTranslationsLie) {
  test::TempDir empty;
  EXPECT_EQ(InstallQtTranslations({FromPath(empty.Path())}), nullptr);
  EXPECT_TRUE(YesNoButtons().first.contains("Yes"));

  const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  if (!QFileInfo::exists(qtFolder + "/qtbase_ja.qm")) GTEST_SKIP() << "no qtbase_ja.qm";
  std::unique_ptr<QTranslator> translator(
      InstallQtTranslations({FromPath(empty.Path()), qtFolder}));
  ASSERT_NE(translator, nullptr);
  const auto [yes, no] = YesNoButtons();
  EXPECT_TRUE(yes.startsWith("はい")) << yes.toStdString();
  EXPECT_TRUE(no.startsWith("いいえ")) << no.toStdString();
  translator.reset();  // the other tests see the built-in texts again
  EXPECT_TRUE(YesNoButtons().first.contains("Yes"));
}

TEST(Cp932Validator, RefusesWhatTheWordFilesCannotHold) {
  QLineEdit edit;
  edit.setValidator(new Cp932Validator(&edit));
  edit.insert("犬いぬ①");
  edit.insert("개");
  edit.insert("😀");
  // What Linux input methods commit for ～ and its kin is taken, as an input method commits it.
  edit.insert("〜から−—‖¢£¬");
  EXPECT_EQ(edit.text(), "犬いぬ①〜から−—‖¢£¬");
}

}  // namespace
}  // namespace norumi
