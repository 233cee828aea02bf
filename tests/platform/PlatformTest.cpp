#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
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
#include "model/FileErrors.h"
#include "platform/ExceptionDisplay.h"
#include "platform/Registry.h"
#include "platform/Services.h"
#include "platform/Translations.h"
#include "platform/text/Cp932Validator.h"
#include "platform/text/WordFileName.h"

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

TEST(WebAddresses, OnlyHttpAndHttpsAreOpened) {
  test::RecordingShell shell;
  for (const char* address : {"https://example.org/a?b=c", "http://example.org", " HTTPS://x.jp "})
    OpenWebAddress(shell, QString::fromUtf8(address));
  for (const char* address : {"calc.exe", "/usr/bin/xterm", "file:///etc/passwd", "javascript:x",
                              "ftp://example.org", "", "http://", "C:\\Windows\\notepad.exe"})
    OpenWebAddress(shell, QString::fromUtf8(address));
  EXPECT_EQ(shell.opened, (std::vector<QString>{"https://example.org/a?b=c", "http://example.org",
                                                "HTTPS://x.jp"}));
}

TEST(ExceptionDisplay, NamesTheFileThatFailedAndTheProgramGoesOn) {
  test::ScriptedDialogs dialogs;
  const auto path = std::filesystem::path("/words") / "a.wbk";
  dialogs.ExpectMessage("ファイル /words/a.wbk を作成できません。", kApplicationTitle,
                        MsgIcon::Stop);
  dialogs.ExpectMessage("ファイル /words/a.wbk を開けません。", kApplicationTitle, MsgIcon::Stop);
  bool after = false;
  RunHandler(dialogs, nullptr, [&] { throw EFCreateError(path); });
  RunHandler(dialogs, nullptr, [&] { throw EFOpenError(path); });
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
  EXPECT_EQ(edit.text(), "犬いぬ①");
}

}  // namespace
}  // namespace norumi
