// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <set>

#include "FilesFixture.h"
#include "ModelSamples.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionDisplay.h"
#include "platform/Services.h"
#include "storage/FileErrors.h"

namespace norumi {
namespace {

namespace fs = std::filesystem;
using test::Entries;
using test::Entry;
using test::Find;
using test::Select;
using test::SetChecked;
using test::Sj;

class SelectionWindow : public test::FilesFixture {
 protected:
  QString Text(QDialog& w, const char* label) { return Find<QLabel>(w, label).text(); }
  void Click(QDialog& w, const char* button) { Find<QPushButton>(w, button).click(); }
  void DoubleClickTitle(QDialog& w) {
    QTest::mouseDClick(&Find<QLabel>(w, "lbTitle"), Qt::LeftButton);
  }
  // The desktop's bus carries "checked" but not "checkable": an unchecked entry says it by name.
  void ExpectHeard(QDialog& w, const char* name, const char* heard, bool checked) {
    QAccessibleInterface* item = QAccessible::queryAccessibleInterface(dialog.clbFile)
                                     ->child(dialog.clbFile->row(&Entry(w, name)));
    EXPECT_EQ(item->text(QAccessible::Name), heard);
    EXPECT_TRUE(item->state().checkable) << name;
    EXPECT_EQ(item->state().checked, checked) << name;
  }
};

TEST_F(SelectionWindow, EveryOpeningScansAfreshAndShowsTheSelectedFile) {
  MakeFile("a", [](TTangoList& l) {
    l.Title = Sj("あいさつ");
    l.Url = "https://example.org/a";
  });
  MakeFile("B");
  fs::rename(PathOf("B"), folder / "B.WBK");
  test::WriteBytes(folder / "notes.txt", "");
  fs::create_directory(folder / "sub");
  fs::copy_file(PathOf("a"), folder / "sub" / "c.wbk");
  fs::copy_file(PathOf("a"), folder / "old.wbk.bak");

  EXPECT_EQ(Open(false,
                 [&](QDialog& w) {
                   EXPECT_EQ(Entries(w), QStringList({"B", "a", "c", "old.wbk"}));
                   EXPECT_TRUE(Entries(w, true).isEmpty());
                   EXPECT_TRUE(Find<QPushButton>(w, "btCreate").isHidden());
                   EXPECT_TRUE(Find<QPushButton>(w, "btOption").isHidden());
                   EXPECT_EQ(dialog.HelpContext, 11);
                   Select(w, "a");
                   EXPECT_EQ(Text(w, "lbTitle"), "あいさつ");
                   EXPECT_EQ(Text(w, "lbUrl"), "https://example.org/a");
                   for (const char* missing : {"old.wbk", "c"}) {  // no old.wbk.wbk, no c.wbk here
                     Select(w, missing);
                     EXPECT_EQ(Text(w, "lbTitle"), "") << missing;
                     EXPECT_EQ(Text(w, "lbUrl"), "") << missing;
                   }
                   Select(w, "a");
                   SetChecked(w, "a", true);
                   EXPECT_EQ(w.focusWidget(), dialog.clbFile);
                   Find<QLineEdit>(w, "edNum").setText("5");
                   Find<QLineEdit>(w, "edNum").setFocus();
                   Find<QCheckBox>(w, "cbHist").setChecked(true);
                   Click(w, "btClose");
                 }),
            kModalCancel);

  fs::remove(PathOf("a"));
  dialog.teachMode = true;
  EXPECT_EQ(Open(true,
                 [&](QDialog& w) {
                   EXPECT_EQ(Entries(w), QStringList({"B", "c", "old.wbk"}));
                   EXPECT_EQ(Text(w, "lbTitle"), "");
                   EXPECT_FALSE(Find<QPushButton>(w, "btCreate").isHidden());
                   EXPECT_FALSE(Find<QPushButton>(w, "btOption").isHidden());
                   EXPECT_EQ(dialog.HelpContext, 33);
                   EXPECT_EQ(w.focusWidget(), dialog.clbFile);          // at every opening
                   EXPECT_EQ(Find<QLineEdit>(w, "edNum").text(), "5");  // quiz settings stay
                   EXPECT_TRUE(Find<QCheckBox>(w, "cbHist").isChecked());
                   w.reject();  // the title bar's close
                 }),
            kModalCancel);
  EXPECT_EQ(Find<QLabel>(dialog, "Label1").buddy(), dialog.clbFile);
  EXPECT_EQ(Find<QLabel>(dialog, "Label4").buddy(), dialog.edNum);
  EXPECT_EQ(test::Heard(dialog.clbFile), "単語ファイル");
}

TEST_F(SelectionWindow, QuizTakesAnyNumberOfChecksTheEditorOne) {
  for (const char* name : {"a", "b", "c"}) MakeFile(name);
  EXPECT_EQ(Open(false,
                 [&](QDialog& w) {
                   dialogs.ExpectMessage("単語リストにチェックが入っていません", "OK",
                                         MsgIcon::Stop);
                   Click(w, "btOk");
                   EXPECT_TRUE(w.isVisible());
                   SetChecked(w, "c", true);
                   SetChecked(w, "a", true);
                   EXPECT_EQ(Entries(w, true), QStringList({"a", "c"}));
                   ExpectHeard(w, "a", "a", true);
                   ExpectHeard(w, "b", "b、チェックなし", false);
                   QTest::keyClick(dialog.clbFile, Qt::Key_Return);  // OK is the default
                 }),
            kModalOk);
  const QString top =
      dialog.clbFile->row(&Entry(dialog, "a")) < dialog.clbFile->row(&Entry(dialog, "c")) ? "a"
                                                                                          : "c";
  EXPECT_EQ(dialog.CheckedFileName(), top);
  EXPECT_EQ(Open(false,
                 [&](QDialog& w) {
                   SetChecked(w, "b", true);
                   QTest::keyClick(dialog.edNum, Qt::Key_Enter);
                 }),
            kModalOk);

  EXPECT_EQ(Open(true,
                 [&](QDialog& w) {
                   SetChecked(w, "a", true);
                   SetChecked(w, "b", true);
                   EXPECT_EQ(Entries(w, true), QStringList({"b"}));
                   EXPECT_EQ(dialog.clbFile->selectedItems(), QList({&Entry(w, "b")}));
                   SetChecked(w, "b", false);
                   EXPECT_TRUE(Entries(w, true).isEmpty());
                   dialogs.ExpectMessage("単語リストにチェックが入っていません", "OK",
                                         MsgIcon::Stop);
                   Click(w, "btOk");
                   Click(w, "btClose");
                 }),
            kModalCancel);
  EXPECT_EQ(dialog.CheckedFileName(), "");
}

TEST_F(SelectionWindow, BuildsTheQuizListFromTheFirstCheckedFileAndMergesTheOthers) {
  const auto fill = [](int k, std::vector<std::pair<const char*, int32_t>> words) {
    return [k, words](TTangoList& l) {
      l.Creator = "creator" + std::to_string(k);
      l.Kaisetsu = k;
      l.ReadOnly = k == 1;  // a teacher's read-only file among the others
      for (const auto& [japan, code] : words) test::AddWord(l, japan, {code});
      for (int i = 0; i <= k; ++i) l.RirekiKor2Jap.AddRecord({10 + k, i});
    };
  };
  // Whatever order the folder yields: four different words, dog and bird held twice.
  MakeFile("x", fill(0, {{"dog", 1}, {"cat", 2}}));
  MakeFile("y", fill(1, {{"dog", 1}, {"bird", 3}}));
  MakeFile("z", fill(2, {{"bird", 3}, {"fish", 4}}));
  MakeFile("single", fill(3, {{"dog", 1}}));

  Open(false, [&](QDialog& w) {
    for (const char* name : {"x", "y", "z"}) SetChecked(w, name, true);
    Click(w, "btOk");
  });
  const std::unique_ptr<TTangoList> quiz = dialog.BuildWordList();
  const std::unique_ptr<TTangoList> first = Load(dialog.CheckedFileName());
  EXPECT_EQ(quiz->Title, Sj("複合問題"));
  EXPECT_EQ(quiz->Creator, first->Creator);
  EXPECT_EQ(quiz->Kaisetsu, first->Kaisetsu);
  EXPECT_TRUE(quiz->ReadOnly);
  // Its own history, of which there is none yet: never the first file's.
  EXPECT_TRUE(quiz->RirekiKor2Jap.Records().empty());
  ASSERT_EQ(quiz->Count(), 4);
  std::set<std::string> words;
  for (int i = 0; i < 4; ++i) words.insert(quiz->Tango(i).Japan);
  EXPECT_EQ(quiz->Tango(0).Japan, first->Tango(0).Japan);
  EXPECT_EQ(quiz->Tango(1).Japan, first->Tango(1).Japan);
  EXPECT_EQ(words.size(), 4u);

  Open(false, [&](QDialog& w) {
    for (const char* name : {"x", "y", "z"}) SetChecked(w, name, false);
    SetChecked(w, "single", true);
    Click(w, "btOk");
  });
  const std::unique_ptr<TTangoList> one = dialog.BuildWordList();
  EXPECT_EQ(one->Title, "single");
  EXPECT_EQ(one->Creator, "creator3");
  EXPECT_FALSE(one->ReadOnly);
  EXPECT_EQ(one->Count(), 1);
}

TEST_F(SelectionWindow, CreatesPlainNamesOnlyAndStampsTeacherAndLearner) {
  MakeFile("a");
  test::WriteBytes(folder / "teach.txt", "\x90\xE6\x90\xB6\r\nsecond line\r\n");  // 先生
  dialog.teachMode = true;
  dialog.userName = "たもつ";
  // `refusal`: the message expected after the name was given.
  const auto create = [&](QDialog& w, std::optional<QString> answer, const QString& refusal = {}) {
    dialogs.ExpectInput("新規作成", "ファイルのタイトルを入力してください", "", answer);
    if (!refusal.isEmpty()) dialogs.ExpectMessage(refusal, "新規作成", MsgIcon::Stop);
    Click(w, "btCreate");
  };
  Open(true, [&](QDialog& w) {
    create(w, std::nullopt);
    create(w, "");
    for (const char* refused : {"複合問題", "../x", "a/b", "..", "한국"})
      create(w, refused, "この名前は使用できません");
    create(w, "a", "すでに存在しています");
    EXPECT_EQ(Entries(w), QStringList({"a"}));
    Select(w, "a");
    create(w, "表ソ");
    EXPECT_EQ(Entries(w), QStringList({"a", "表ソ"}));
    EXPECT_TRUE(Entries(w, true).isEmpty());
    EXPECT_TRUE(dialog.clbFile->selectedItems().isEmpty());
    Click(w, "btClose");
  });
  EXPECT_FALSE(fs::exists(folder.Path().parent_path() / "x.wbk"));
  EXPECT_FALSE(fs::exists(folder / "a"));
  const auto made = Load("表ソ");
  EXPECT_EQ(made->Title, Sj("表ソ"));
  EXPECT_EQ(made->Creator, "\x90\xE6\x90\xB6");
  EXPECT_EQ(made->UserName, Sj("たもつ"));
  EXPECT_EQ(made->Count(), 0);

  dialog.teachMode = false;  // teach.txt is only read in teacher mode
  Open(true, [&](QDialog& w) {
    create(w, "learner");
    Click(w, "btClose");
  });
  EXPECT_EQ(Load("learner")->Creator, "");
}

TEST_F(SelectionWindow, DeletesTheSelectedFileOnlyAfterYes) {
  MakeFile("a", [](TTangoList& l) { l.Title = "kept title"; });
  MakeFile("b");
  Open(true, [&](QDialog& w) {
    dialogs.ExpectMessage("削除したい単語ファイルを選択してください", "削除", MsgIcon::Stop);
    Click(w, "btDel");
    for (const MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Yes}) {
      Select(w, "a");
      dialogs.ExpectMessage("単語ファイルを削除しますがよろしいですか？", "削除",
                            MsgIcon::Information, MsgButtons::YesNo, answer);
      Click(w, "btDel");
      EXPECT_TRUE(dialog.clbFile->selectedItems().isEmpty());
      EXPECT_EQ(Text(w, "lbTitle"), "kept title");
      EXPECT_EQ(Entries(w).contains("a"), answer == MsgAnswer::No);
    }
    Click(w, "btClose");
  });
  EXPECT_FALSE(fs::exists(PathOf("a")));
  EXPECT_TRUE(fs::exists(PathOf("b")));
}

TEST_F(SelectionWindow, TeacherRetitlesOwnFilesWithPlainNamesOnly) {
  const std::string teacher = "\x90\xE6\x90\xB6";  // 先生: compared as bytes
  test::WriteBytes(folder / "teach.txt", teacher + "\n");
  MakeFile("mine", [&](TTangoList& l) { l.Creator = teacher; });
  MakeFile("other", [](TTangoList& l) { l.Creator = "someone"; });
  const std::string before = test::ReadBytes(PathOf("mine"));
  const auto retitle = [&](QDialog& w, std::optional<QString> answer, bool refused = false) {
    dialogs.ExpectInput("タイトルの変更", "タイトルを編集してください。", "mine", answer);
    if (refused) dialogs.ExpectMessage("この名前は使用できません", "タイトルの変更", MsgIcon::Stop);
    DoubleClickTitle(w);
  };

  Open(false, [&](QDialog& w) {  // teacher mode off: nothing happens
    Select(w, "mine");
    DoubleClickTitle(w);
    Click(w, "btClose");
  });
  dialog.teachMode = true;
  Open(false, [&](QDialog& w) {
    Select(w, "other");
    dialogs.ExpectMessage("作成者が違うので設定できません", "オプション", MsgIcon::Stop);
    DoubleClickTitle(w);
    Select(w, "mine");
    retitle(w, std::nullopt);
    retitle(w, "mine");
    for (const char* refused : {"../x", "", "a/b", "한"}) retitle(w, refused, true);
    EXPECT_EQ(test::ReadBytes(PathOf("mine")), before);
    retitle(w, "新しい題");
    EXPECT_EQ(Text(w, "lbTitle"), "新しい題");
    EXPECT_EQ(Entries(w), QStringList({"mine", "other"}));
    Click(w, "btClose");
  });
  EXPECT_EQ(Load("mine")->Title, Sj("新しい題"));
  EXPECT_EQ(Load("mine")->Creator, teacher);
}

TEST_F(SelectionWindow, AnEmptyTeacherIdMatchesFilesMadeOutsideTeacherMode) {
  test::WriteBytes(folder / "teach.txt", "\r\nteacher\r\n");
  MakeFile("plain");
  MakeFile("taught", [](TTangoList& l) { l.Creator = "teacher"; });
  dialog.teachMode = true;
  EXPECT_EQ(dialog.ReadTeacherId(), "");
  Open(true, [&](QDialog& w) {
    Select(w, "taught");
    dialogs.ExpectMessage("作成者が違うので設定できません", "オプション", MsgIcon::Stop);
    DoubleClickTitle(w);
    Select(w, "plain");
    dialogs.ExpectInput("タイトルの変更", "タイトルを編集してください。", "plain", "renamed");
    DoubleClickTitle(w);
    Click(w, "btClose");
  });
  EXPECT_EQ(Load("plain")->Title, "renamed");
}

TEST_F(SelectionWindow, TheUrlOpensOnlyWhenItIsAWebAddress) {
  MakeFile("web", [](TTangoList& l) { l.Url = "https://example.org/a"; });
  MakeFile("program", [](TTangoList& l) { l.Url = "calc.exe"; });
  MakeFile("local", [](TTangoList& l) { l.Url = "file:///etc/passwd"; });
  Open(false, [&](QDialog& w) {
    for (const char* refused : {"file:///etc/passwd", "calc.exe"}) {
      dialogs.ExpectMessage(
          QString::fromUtf8(refused) +
              " はWebのアドレス (http:// または https://) ではないため、開けません。",
          "URL", MsgIcon::Stop);
    }
    for (const QString& name : Entries(w)) {
      Select(w, name);
      QTest::mouseClick(&Find<QLabel>(w, "lbUrl"), Qt::LeftButton);
    }
    Select(w, "web");  // a double click opens it once
    QTest::mouseClick(&Find<QLabel>(w, "lbUrl"), Qt::LeftButton);
    QTest::mouseDClick(&Find<QLabel>(w, "lbUrl"), Qt::LeftButton);
    QTest::mouseRelease(&Find<QLabel>(w, "lbUrl"), Qt::LeftButton);
    Click(w, "btClose");
  });
  EXPECT_EQ(shell.opened, std::vector<QString>(2, "https://example.org/a"));
}

// Every listed file opens as the file it is, whatever its name is made of: any case of the
// extension, a name in CP932 bytes unpacked from a Windows archive, a character Windows forbids.
TEST_F(SelectionWindow, ListsInNameOrderAndOpensEveryFileByTheNameItIsListedUnder) {
  for (const char* name : {"b", "A", "c", "a2"}) MakeFile(name);
  MakeFile("Upper", [](TTangoList& l) { test::AddWord(l, "u", {0xC6B0}); });
  fs::rename(PathOf("Upper"), folder / "Upper.WBK");
  MakeFile("what?");
  MakeFile("sj");
  fs::rename(PathOf("sj"), folder / (Sj("日本") + ".wbk"));
  Open(false, [&](QDialog& w) {
    QStringList shown;
    for (int i = 0; i < dialog.clbFile->count(); ++i) shown << dialog.clbFile->item(i)->text();
    EXPECT_EQ(shown, QStringList({"A", "a2", "b", "c", "Upper", "what?", "日本"}));
    for (const auto& [entry, title] :
         {std::pair("Upper", "Upper"), {"what?", "what?"}, {"日本", "sj"}}) {
      Select(w, entry);
      EXPECT_EQ(Text(w, "lbTitle"), title) << entry;
    }
    SetChecked(w, "Upper", true);
    SetChecked(w, "日本", true);
    Click(w, "btOk");
  });
  EXPECT_EQ(dialog.BuildWordList()->Count(), 1);
  EXPECT_EQ(dialog.CheckedFilePaths(), (std::vector<std::optional<fs::path>>{
                                           folder / "Upper.WBK", folder / (Sj("日本") + ".wbk")}));
}

// A name, a title and a lock record are someone else's text: the windows and the real message
// box show them as they are, never as markup, with what would hide or reorder them made visible.
TEST_F(SelectionWindow, NamesTitlesAndLockRecordsShowAsPlainTextWithTheirControlsVisible) {
  const QString name = QStringLiteral(u"a<b>c\u202Ekbw.txt");
  const QString listed = QStringLiteral(u"a<b>c\\u202ekbw.txt");
  TTangoList list;
  list.Title = "<font color=red size=7>x</font>\x1b";
  list.Url = "https://example.org/b\t";
  list.SaveToFile(PathOf(name));
  Open(false, [&](QDialog& w) {
    EXPECT_EQ(Entries(w), QStringList({listed}));
    Select(w, listed);
    for (const char* label : {"lbTitle", "lbUrl"})
      EXPECT_EQ(Find<QLabel>(w, label).textFormat(), Qt::PlainText) << label;
    EXPECT_EQ(Text(w, "lbTitle"), "<font color=red size=7>x</font>\\x1b");
    EXPECT_EQ(Text(w, "lbUrl"), "https://example.org/b\\x09");
    QTest::mouseClick(&Find<QLabel>(w, "lbUrl"), Qt::LeftButton);  // the address itself opens
    SetChecked(w, listed, true);
    Click(w, "btOk");
  });
  EXPECT_EQ(shell.opened, std::vector<QString>{"https://example.org/b"});
  EXPECT_EQ(dialog.CheckedFileName(), name);
  EXPECT_EQ(dialog.CheckedFilePaths(), (std::vector<std::optional<fs::path>>{PathOf(name)}));

  const LockHolder holder{"<img src=/tmp/x.png><font size=7>DELETE ALL FILES</font>", 7,
                          "\u202Eevil"};
  const QString message = ExceptionMessage(EFLockError(PathOf(name), holder));
  EXPECT_EQ(message, "単語ファイル " + FromPath(folder.Path()) + "/" + listed +
                         ".wbk は<img src=/tmp/x.png><font size=7>DELETE ALL FILES</font>"
                         "（プロセス 7）の「\\u202eevil」が使用中です。"
                         "しばらく待ってからやり直してください。");
  std::vector<Qt::TextFormat> formats;
  const auto readFormat = [&] {
    QWidget* box = QApplication::activeModalWidget();
    if (auto* message = qobject_cast<QMessageBox*>(box)) {
      formats.push_back(message->textFormat());
      message->button(QMessageBox::Ok)->click();
    } else if (auto* input = qobject_cast<QInputDialog*>(box)) {
      formats.push_back(input->findChild<QLabel*>()->textFormat());
      input->reject();
    }
  };
  QtDialogs real;
  QTimer::singleShot(0, readFormat);
  real.MessageBox(&dialog, message, kApplicationTitle, MsgIcon::Stop, MsgButtons::Ok);
  QTimer::singleShot(0, readFormat);
  EXPECT_EQ(real.InputBox(&dialog, "c", "<b>prompt</b>", "kept"), "kept");
  EXPECT_EQ(formats, (std::vector<Qt::TextFormat>{Qt::PlainText, Qt::PlainText}));
}

TEST_F(SelectionWindow, DamagedFilesAndOtherFilesTitlesAreNeverWrittenOver) {
  test::WriteBytes(folder / "teach.txt", "\n");
  MakeFile("broken", [](TTangoList& l) { test::AddWord(l, "w", {0xAC00}); });
  std::string bytes = test::ReadBytes(PathOf("broken"));
  bytes.resize(bytes.size() - 4);  // the third marker cut off: the words are lost on loading
  test::WriteBytes(PathOf("broken"), bytes);
  MakeFile("a");
  MakeFile("b", [](TTangoList& l) { test::AddWord(l, "five", {0xB2E4, 0xC12F}); });
  const std::string b = test::ReadBytes(PathOf("b"));
  const QString damaged = "単語ファイル " + QDir::toNativeSeparators(FromPath(PathOf("broken"))) +
                          " は壊れています。失われた単語を上書きしないよう、"
                          "このファイルには書き込みません。";
  dialog.teachMode = true;
  Open(true, [&](QDialog& w) {
    Select(w, "broken");
    EXPECT_EQ(Text(w, "lbTitle"), "broken");  // its header is still shown
    dialogs.ExpectMessage(damaged, kApplicationTitle, MsgIcon::Stop);
    DoubleClickTitle(w);  // no title change
    dialogs.ExpectMessage(damaged, kApplicationTitle, MsgIcon::Stop);
    Click(w, "btOption");  // no options
    Select(w, "a");
    dialogs.ExpectInput("タイトルの変更", "タイトルを編集してください。", "a", "b");
    dialogs.ExpectMessage("すでに存在しています", "タイトルの変更", MsgIcon::Stop);
    DoubleClickTitle(w);
    Click(w, "btClose");
  });
  Open(false, [&](QDialog& w) {
    SetChecked(w, "a", true);
    SetChecked(w, "broken", true);
    Click(w, "btOk");
  });
  EXPECT_THROW(dialog.BuildWordList(), EFDamagedError);  // the quiz does not start
  EXPECT_EQ(test::ReadBytes(PathOf("broken")), bytes);
  EXPECT_EQ(test::ReadBytes(PathOf("b")), b);
  EXPECT_EQ(Load("a")->Title, "a");
}

TEST_F(SelectionWindow, AnUnreadableFileIsReportedAndTheWindowGoesOn) {
  fs::create_directories(folder / "x.wbk");  // a folder where the file should be
  fs::create_directories(folder / "sub");
  test::WriteBytes(folder / "sub" / "x.wbk", "");
  MakeFile("a");
  Open(true, [&](QDialog& w) {
    const QString where = QDir::toNativeSeparators(FromPath(PathOf("x")));
    dialogs.ExpectMessage("ファイル " + where + " を開けません。", "ポミダル Norumi!",
                          MsgIcon::Stop);
    Select(w, "x");
    Select(w, "a");
    EXPECT_EQ(Text(w, "lbTitle"), "a");
    Click(w, "btClose");
  });
}

}  // namespace
}  // namespace norumi
