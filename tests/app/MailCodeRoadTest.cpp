// SPDX-License-Identifier: GPL-3.0-or-later
// The road of a mail-magazine code: the teacher opens the editor from the menu and issues a
// word, the learner pastes the code into the menu and the word is shown, asked and stored.
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>

#include "AppFixture.h"
#include "ClipboardDouble.h"
#include "ModelSamples.h"
#include "app/WbkMenu.h"
#include "app/Windows.h"
#include "editor/MelCode.h"
#include "editor/Regist.h"
#include "files/WbkDialog.h"
#include "model/MailCode.h"
#include "platform/ExceptionDisplay.h"
#include "platform/text/Cp932.h"
#include "storage/FileErrors.h"
#include "storage/WordFileLock.h"

namespace norumi {
namespace {

using test::Find;
using test::Sj;

const QString kBadCode = QStringLiteral("メルマガコードが正しくありません");
const QString kCodeCaption = QStringLiteral("メルマガコード入力");

class MailCodeRoad : public test::AppFixture {
 protected:
  MailCodeRoad() {
    services.clipboard = &clipboard;
    registry.WriteMachineString(kProgramKey, "user", QString::fromUtf8("たもつ"));
    registry.WriteMachineString(kProgramKey, "path", services.executablePath);
    WriteFile("teach.txt", "teacher01\r\n");
    TTangoList lesson;
    lesson.Creator = "teacher01";
    lesson.Title = Sj("授業1");
    lesson.Url = "https://example.org/lesson";
    test::AddWord(lesson, Sj("犬"), {0xAC1C, 0}, Sj("よく使う"), "https://example.org/dog");
    lesson.SaveToFile(folder / "lesson.wbk");
    CreateWindows(services);
  }
  ~MailCodeRoad() override { DestroyWindows(); }

  // The whole text a code issued for `word` of a file titled `title` shows.
  static QString Issued(const std::string& title, const TTango& word) {
    TTangoList list;
    list.Creator = "teacher01";
    list.Title = title;
    TextLines lines;
    EXPECT_EQ(WriteIssuedCode(list, word, lines), kMailCodeOk);
    QStringList text;
    for (const std::string& line : lines) text << FromCp932(line);
    return text.join('\n');
  }
  std::vector<std::string> Folder() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
      if (entry.is_regular_file())
        names.push_back(entry.path().filename().string() + ":" + test::ReadBytes(entry.path()));
    std::sort(names.begin(), names.end());
    return names;
  }
  std::unique_ptr<TTangoList> Load(const char* title) {
    auto list = std::make_unique<TTangoList>();
    list->LoadFromFile(folder / ToPath(QString::fromUtf8(title) + ".wbk"));
    return list;
  }
  void Press(const QString& text) {
    frmWBKMenu->mmMag->setPlainText(text);
    frmWBKMenu->btChange->click();
    dialogs.VerifyFinished();
    EXPECT_EQ(frmWBKMenu->mmMag->toPlainText(), "");
  }
  // The word shown, then asked once each way with the right answers, each answer followed by
  // the word's explanation.
  void ExpectShownAndAsked() {
    dialogs.ExpectModal("frmRegist", [](QDialog& w) {
      EXPECT_EQ(w.windowTitle(), "Norumi! > 単語 > 授業1");
      EXPECT_EQ(Find<QLineEdit>(w, "edJapan").text(), "犬");
      EXPECT_TRUE(Find<QPushButton>(w, "btRegist").isHidden());
      Find<QPushButton>(w, "btClose").click();
    });
    dialogs.ExpectModal("frmKor2Jap", [&](QDialog& w) {
      Find<QLineEdit>(w, "edJapan").setText(QStringLiteral("犬"));
      Find<QPushButton>(w, "btHantei").click();
      Find<QPushButton>(w, "btNext").click();
    });
    dialogs.ExpectModal("frmWBKSetsumei", [](QDialog& s) { s.done(kModalOk); });
    dialogs.ExpectModal("frmJap2Kor", [&](QDialog& w) {
      clipboard.Put(std::nullopt, u"개");
      Find<QPushButton>(w, "btHanguel").click();
      Find<QPushButton>(w, "btHantei").click();
      Find<QPushButton>(w, "btNext").click();
    });
    dialogs.ExpectModal("frmWBKSetsumei", [](QDialog& s) { s.done(kModalOk); });
  }

  test::MemoryClipboard clipboard;
};

TEST_F(MailCodeRoad, TheTeachersCodeIsStoredOnceInTheFileOfItsTitle) {
  // The teacher: "登録・閲覧", the file checked, the word shown, its code issued and copied.
  QString memo;
  dialogs.ExpectModal("frmWBKDialog", [](QDialog& w) {
    Find<QListWidget>(w, "clbFile").item(0)->setCheckState(Qt::Checked);
    Find<QPushButton>(w, "btOk").click();
  });
  dialogs.ExpectModal("frmRegist", [&](QDialog& w) {
    EXPECT_FALSE(frmWBKMenu->isVisible());
    EXPECT_TRUE(frmWBKDialog->Panel1->isHidden());
    Find<QLineEdit>(w, "edNo").setText("0");
    Find<QPushButton>(w, "btJump").click();
    dialogs.ExpectMessage("単語の表示だけにしますか？", "メルマガコードの発行",
                          MsgIcon::Information, MsgButtons::YesNo, MsgAnswer::No);
    dialogs.ExpectModal("frmMelCode", [&](QDialog& m) {
      memo = Find<QPlainTextEdit>(m, "mmMail").toPlainText();
      Find<QPushButton>(m, "btClose").click();
    });
    Find<QPushButton>(w, "btMagCode").click();
    Find<QPushButton>(w, "btClose").click();
  });
  frmWBKMenu->btReg->click();
  dialogs.VerifyFinished();
  EXPECT_TRUE(frmWBKMenu->isVisible());
  EXPECT_FALSE(frmWBKDialog->Panel1->isHidden());

  // The learner pastes the whole memo, lines around the code included: a new file.
  ExpectShownAndAsked();
  Press(memo);
  auto stored = Load("授業1");
  EXPECT_EQ(stored->Creator, "teacher01");
  EXPECT_EQ(stored->Title, Sj("授業1"));
  EXPECT_EQ(stored->Url, "https://example.org/lesson");
  EXPECT_EQ(stored->UserName, "");
  ASSERT_EQ(stored->Count(), 1);
  EXPECT_EQ(stored->Tango(0).Hangul, (HangulCodes{0xAC1C, 0}));
  EXPECT_EQ(stored->Tango(0).Setsumei, Sj("よく使う"));
  EXPECT_EQ(stored->RirekiKor2Jap.Order.size(), 0u);  // single words record nothing

  // The same code again, into a file that has grown meanwhile: kept, the word not doubled,
  // the code's creator taken over.
  stored->Creator = "someone";
  stored->UserName = Sj("たもつ");
  test::AddWord(*stored, Sj("猫"), {0xACE0, 0xC591, 0xC774, 0});
  stored->SaveToFile(folder / ToPath(QStringLiteral("授業1.wbk")));
  ExpectShownAndAsked();
  Press(memo);
  stored = Load("授業1");
  EXPECT_EQ(stored->Creator, "teacher01");
  EXPECT_EQ(stored->UserName, Sj("たもつ"));
  ASSERT_EQ(stored->Count(), 2);
  EXPECT_EQ(stored->Tango(1).Japan, Sj("猫"));
}

// A code written elsewhere may carry the word decomposed: ㄱ ㅐ is kept as 개.
TEST_F(MailCodeRoad, ADecomposedWordIsStoredAsSyllables) {
  TTango word = Load("lesson")->Tango(0);
  word.Hangul = {0x1100, 0x1162, 0};
  ExpectShownAndAsked();
  Press(Issued(Sj("授業1"), word));
  EXPECT_EQ(Load("授業1")->Tango(0).Hangul, (HangulCodes{0xAC1C, 0}));
}

TEST_F(MailCodeRoad, CodesThatWriteNothing) {
  TTango word;
  word.Japan = Sj("犬");
  word.Hangul = {0xAC1C, 0};
  const QString good = Issued(Sj("授業1"), word);
  const std::vector<std::string> before = Folder();
  // Not a code, a code cut short, a word part broken, and titles that would leave the folder.
  QString broken = good;
  broken.replace("$101\n", "$101\n#");
  for (const QString& text :
       {QString(), QStringLiteral("こんにちは"), good.left(good.indexOf("$100")), broken,
        Issued("../x", word), Issued("a/b", word), Issued("C:x", word), Issued("..\\x", word)}) {
    dialogs.ExpectMessage(kBadCode, kCodeCaption, MsgIcon::Stop);
    Press(text);
  }
  EXPECT_EQ(Folder(), before);

  // A display-only code is only shown, even where a file of its title exists.
  Load("授業1")->SaveToFile(folder / ToPath(QStringLiteral("授業1.wbk")));
  const std::vector<std::string> withFile = Folder();
  word.DisplayOnly = true;
  dialogs.ExpectModal("frmRegist", [](QDialog& w) { w.reject(); });
  Press(Issued(Sj("授業1"), word));
  EXPECT_EQ(Folder(), withFile);

  // A damaged file of the title is refused by name, before anything is shown.
  std::string cut = test::ReadBytes(folder / "lesson.wbk");
  cut.resize(cut.size() - 30);
  test::WriteBytes(folder / "cut.wbk", cut);
  const std::vector<std::string> withCut = Folder();
  word.DisplayOnly = false;
  dialogs.ExpectMessage(ExceptionMessage(EFDamagedError(folder / "cut.wbk")), kApplicationTitle,
                        MsgIcon::Stop);
  Press(Issued("cut", word));
  EXPECT_EQ(Folder(), withCut);
}

// Text past the bound would hold the menu up while it is laid out, only to be refused later.
TEST_F(MailCodeRoad, APasteThatWouldOverfillTheFieldIsRefusedAndTheFieldKeepsItsText) {
  QPlainTextEdit& field = *frmWBKMenu->mmMag;
  const auto bound = qsizetype(kMailCodeMaxInput);
  // Rows: the 4 characters the field holds selected or not, the length pasted, whether it lands.
  const std::tuple<bool, qsizetype, bool> rows[] = {
      {false, bound - 4, true}, {false, bound - 3, false}, {true, bound, true}};
  for (const auto& [selected, pasted, lands] : rows) {
    field.setPlainText(QStringLiteral("held"));
    field.moveCursor(QTextCursor::End,
                     selected ? QTextCursor::KeepAnchor : QTextCursor::MoveAnchor);
    QApplication::clipboard()->setText(
        (QString(69, 'A') + '\n').repeated(pasted / 70 + 1).left(pasted));
    if (!lands) dialogs.ExpectMessage(kBadCode, kCodeCaption, MsgIcon::Stop);
    field.paste();
    dialogs.VerifyFinished();
    EXPECT_EQ(field.toPlainText().size(), lands ? bound : 4) << pasted;
  }
  // Nor may a paste leave a line longer than any mail holds, however little it is in all.
  const auto line = qsizetype(kMailCodeMaxLine);
  for (const auto& [pasted, lands] : {std::pair{line - 5, true}, std::pair{line - 4, false}}) {
    field.setPlainText(QStringLiteral("held"));
    field.moveCursor(QTextCursor::End);
    QApplication::clipboard()->setText(QString(pasted, 'A'));
    if (!lands) dialogs.ExpectMessage(kBadCode, kCodeCaption, MsgIcon::Stop);
    field.paste();
    dialogs.VerifyFinished();
    EXPECT_EQ(field.toPlainText().size(), lands ? 4 + pasted : 4) << pasted;
  }
}

TEST_F(MailCodeRoad, TheMenuComesBackAfterTheEditorWhateverItFound) {
  // Listed, so it opens, though Windows would refuse its name; empty, so it is damaged.
  WriteFile("a\\b.wbk", "");
  dialogs.ExpectModal("frmWBKDialog", [](QDialog& w) {
    Find<QListWidget>(w, "clbFile")
        .findItems("a\\b", Qt::MatchExactly)
        .at(0)
        ->setCheckState(Qt::Checked);
    Find<QPushButton>(w, "btOk").click();
  });
  dialogs.ExpectMessage(
      ExceptionMessage(EFDamagedError(folder / ToPath(QStringLiteral("a\\b.wbk")))),
      kApplicationTitle, MsgIcon::Stop);
  dialogs.ExpectModal("frmRegist", [](QDialog& w) { w.reject(); });
  frmWBKMenu->btReg->click();
  dialogs.VerifyFinished();
  EXPECT_TRUE(frmWBKMenu->isVisible());
  EXPECT_FALSE(frmWBKDialog->Panel1->isHidden());

  dialogs.ExpectModal("frmWBKDialog", [](QDialog& w) { w.reject(); });
  frmWBKMenu->btReg->click();
  dialogs.VerifyFinished();
  EXPECT_TRUE(frmWBKMenu->isVisible());
}

}  // namespace
}  // namespace norumi

namespace norumi {
namespace {

// True while some writer holds the word file's lock.
bool Locked(const std::filesystem::path& file) {
  try {
    const WordFileLock lock(file, std::chrono::milliseconds(0));
    return false;
  } catch (const EFLockError&) {
    return true;
  }
}

TEST_F(MailCodeRoad, EveryWindowThatWritesAWordFileHoldsItsLockUntilItHasSaved) {
  const auto lesson = folder / "lesson.wbk";
  const auto Check = [](QDialog& w) {
    Find<QListWidget>(w, "clbFile").item(0)->setCheckState(Qt::Checked);
    Find<QPushButton>(w, "btOk").click();
  };
  // The editor, from the load to the save after it closes.
  dialogs.ExpectModal("frmWBKDialog", Check);
  dialogs.ExpectModal("frmRegist", [&](QDialog& w) {
    EXPECT_TRUE(Locked(lesson));
    w.reject();
  });
  frmWBKMenu->btReg->click();
  EXPECT_FALSE(Locked(lesson));

  // A quiz, from the selection to the save.
  dialogs.ExpectModal("frmWBKDialog", Check);
  dialogs.ExpectModal("frmKor2Jap", [&](QDialog& w) {
    EXPECT_TRUE(Locked(lesson));
    Find<QPushButton>(w, "btClose").click();
  });
  frmWBKMenu->btK2J->click();
  EXPECT_FALSE(Locked(lesson));
  EXPECT_TRUE(Load("lesson")->RirekiKor2Jap.InProgress);

  // A code, from the file's load to its save.
  TTango word;
  word.Japan = Sj("猫");
  word.Hangul = {0xACE0, 0xC591, 0xC774, 0};
  const auto titled = folder / ToPath(QStringLiteral("授業1.wbk"));  // the file of the title
  dialogs.ExpectModal("frmRegist", [&](QDialog& w) {
    EXPECT_TRUE(Locked(titled));
    w.reject();
  });
  for (const char* quiz : {"frmKor2Jap", "frmJap2Kor"})
    dialogs.ExpectModal(quiz, [](QDialog& w) { Find<QPushButton>(w, "btClose").click(); });
  Press(Issued(Sj("授業1"), word));
  EXPECT_FALSE(Locked(titled));
  EXPECT_EQ(Load("授業1")->Count(), 1);

  // Pasted text far beyond any code is refused before it is read.
  dialogs.ExpectMessage(kBadCode, kCodeCaption, MsgIcon::Stop);
  Press(Issued(Sj("授業1"), word) + QString(1 << 20, QLatin1Char(' ')));
  dialogs.VerifyFinished();
}

}  // namespace
}  // namespace norumi
