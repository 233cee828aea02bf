// SPDX-License-Identifier: GPL-3.0-or-later
// The learner's whole road from the menu: choosing files, the learner check, resuming or
// selecting questions, the quiz, the results, and the word file saved back where it was read.
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <map>

#include "AppFixture.h"
#include "ClipboardDouble.h"
#include "ModelSamples.h"
#include "app/WbkMenu.h"
#include "app/Windows.h"
#include "hangul/view/Drawing.h"
#include "platform/text/Cp932.h"
#include "storage/WordFileLock.h"

namespace norumi {
namespace {

using test::Find;
using test::Sj;

class QuizRoad : public test::AppFixture {
 protected:
  QuizRoad() {
    services.clipboard = &clipboard;
    registry.WriteMachineString(kProgramKey, "user", QString::fromUtf8("たもつ"));
    registry.WriteMachineString(kProgramKey, "path", services.executablePath);
    // 犬/개, 猫/고양이, 水/물: stored as the word editor stores them, with a closing 0.
    MakeFile("animals", "animals", [](TTangoList& l) {
      test::AddWord(l, Sj("犬"), {0xAC1C, 0});
      test::AddWord(l, Sj("猫"), {0xACE0, 0xC591, 0xC774, 0});
      test::AddWord(l, Sj("水"), {0xBB3C, 0});
    });
    CreateWindows(services);
  }
  ~QuizRoad() override { DestroyWindows(); }

  void MakeFile(const char* name, const char* title, const std::function<void(TTangoList&)>& fill) {
    TTangoList list;
    list.Title = Sj(title);
    fill(list);
    list.SaveToFile(folder / (std::string(name) + ".wbk"));
  }
  std::unique_ptr<TTangoList> Load(const char* name) {
    auto list = std::make_unique<TTangoList>();
    list->LoadFromFile(folder / ToPath(QString::fromUtf8(name) + ".wbk"));
    return list;
  }
  // The selection in quiz mode: checks `names`, types the count, presses OK.
  void ExpectSelection(std::vector<QString> names, const QString& count = {}) {
    dialogs.ExpectModal("frmWBKDialog", [=](QDialog& w) {
      auto& files = Find<QListWidget>(w, "clbFile");
      for (const QString& name : names)
        files.findItems(name, Qt::MatchExactly).at(0)->setCheckState(Qt::Checked);
      Find<QLineEdit>(w, "edNum").setText(count);
      Find<QPushButton>(w, "btOk").click();
    });
  }
  // Answers the Korean-to-Japanese question on screen and goes on.
  static void AnswerK2J(QDialog& w, const char* meaning) {
    Find<QLineEdit>(w, "edJapan").setText(QString::fromUtf8(meaning));
    Find<QPushButton>(w, "btHantei").click();
    Find<QPushButton>(w, "btNext").click();
  }
  void ExpectResults(const QString& line) {
    dialogs.ExpectModal("frmSeiseki", [=](QDialog& w) {
      auto& history = Find<QListWidget>(w, "lbHist");
      EXPECT_EQ(history.item(history.count() - 1)->text(), line);
      Find<QPushButton>(w, "btClose").click();
    });
  }

  test::MemoryClipboard clipboard;
};

TEST_F(QuizRoad, KoreanToJapaneseFromTheMenuToTheSavedFile) {
  // The file was last used by someone else and holds an unfinished drill of theirs.
  auto before = Load("animals");
  before->UserName = Sj("他の人");
  before->RirekiKor2Jap.SelectQuestions(3, 1, false, false);
  before->RirekiKor2Jap.FinishDrill();
  before->RirekiKor2Jap.SelectQuestions(3, 3, false, false);
  before->SaveToFile(folder / "animals.wbk");

  ExpectSelection({"animals"}, "abc");                 // not a number: every word
  dialogs.ExpectModal("frmKor2Jap", [&](QDialog& w) {  // no resume message for a new learner
    AnswerK2J(w, "犬");
    AnswerK2J(w, "いぬ");
    AnswerK2J(w, "水");
  });
  ExpectResults("2/3 正解率：66%");
  frmWBKMenu->btK2J->click();
  dialogs.VerifyFinished();
  EXPECT_TRUE(frmWBKMenu->isVisible());

  auto after = Load("animals");
  EXPECT_EQ(after->UserName, Sj("たもつ"));
  ASSERT_EQ(after->RirekiKor2Jap.Count(), 1);  // the other learner's record is gone
  EXPECT_EQ(after->RirekiKor2Jap.Records()[0], (TRireki{3, 2}));
  EXPECT_EQ(after->RirekiKor2Jap.Marks, (std::vector<int32_t>{1, -1, 1}));
  EXPECT_FALSE(after->RirekiKor2Jap.InProgress);
  EXPECT_EQ(after->Count(), 3);
}

TEST_F(QuizRoad, ClosingHalfwayResumesAtTheFirstUnansweredWord) {
  ExpectSelection({"animals"});
  dialogs.ExpectModal("frmKor2Jap", [&](QDialog& w) {
    AnswerK2J(w, "犬");
    Find<QPushButton>(w, "btClose").setFocus();  // clicked with the mouse
    Find<QPushButton>(w, "btClose").click();
  });
  frmWBKMenu->btK2J->click();
  EXPECT_TRUE(Load("animals")->RirekiKor2Jap.InProgress);

  ExpectSelection({"animals"});
  dialogs.ExpectMessage("前回の続きからです", "出題(韓->日)", MsgIcon::Information);
  dialogs.ExpectModal("frmKor2Jap", [&](QDialog& w) {
    const HangulCodes cat = {0xACE0, 0xC591, 0xC774, 0};  // the first word not answered yet
    EXPECT_EQ(Find<TImage>(w, "imMoji").Picture, DrawCodes(&cat, QSize(456, 24)));
    // Typing goes into the answer, not to 閉じる where the last opening left the focus.
    EXPECT_EQ(w.focusWidget(), &Find<QLineEdit>(w, "edJapan"));
    AnswerK2J(w, "猫");
    AnswerK2J(w, "水");
  });
  ExpectResults("3/3 正解率：100%");
  frmWBKMenu->btK2J->click();
  dialogs.VerifyFinished();
}

TEST_F(QuizRoad, JapaneseToKoreanWithPastedAnswersAndACombinedList) {
  MakeFile("drinks", "飲み物", [](TTangoList& l) {
    test::AddWord(l, Sj("水"), {0xBB3C, 0});  // already in animals: not merged twice
    test::AddWord(l, Sj("牛乳"), {0xC6B0, 0xC720, 0});
  });
  ExpectSelection({"animals", "drinks"}, "10");
  // The folder decides which checked file comes first, so answer by the meaning shown.
  const std::map<QString, std::u16string> answers = {
      {"犬", u"개"}, {"猫", u"고양"}, {"水", u"물 "}, {"牛乳", u"우유"}};
  dialogs.ExpectModal("frmJap2Kor", [&](QDialog& w) {
    for (int question = 0; question < 4; ++question) {
      clipboard.Put(std::nullopt, answers.at(Find<QLabel>(w, "lbJapan").text()));
      Find<QPushButton>(w, "btHanguel").click();
      Find<QPushButton>(w, "btHantei").click();
      Find<QPushButton>(w, "btNext").click();
    }
  });
  ExpectResults("3/4 正解率：75%");
  frmWBKMenu->btJ2K->click();
  dialogs.VerifyFinished();

  auto combined = Load("複合問題");
  ASSERT_EQ(combined->Count(), 4);
  // "고양" is only part of 고양이 and the one wrong answer; the space after "물 " is not judged.
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(combined->RirekiJap2Kor.Marks[i], combined->Tango(i).Japan == Sj("猫") ? -1 : 1);
  EXPECT_EQ(Load("animals")->RirekiJap2Kor.Count(), 0);  // the files it came from stay as they were
}

// A combined quiz goes on with the history of its own file, never that of its first file: its
// drills add up and one closed halfway resumes; other words keep the past drills, not the marks.
TEST_F(QuizRoad, ACombinedQuizKeepsTheHistoryOfItsOwnFile) {
  auto animals = Load("animals");
  animals->UserName = Sj("たもつ");
  animals->RirekiJap2Kor.AddRecord({9, 9});
  animals->RirekiJap2Kor.SelectQuestions(3, 3, false, false);  // unfinished
  animals->SaveToFile(folder / "animals.wbk");
  MakeFile("drinks", "飲み物", [](TTangoList& l) { test::AddWord(l, Sj("牛乳"), {0xC6B0, 0}); });
  MakeFile("colors", "色", [](TTangoList& l) { test::AddWord(l, Sj("赤"), {0xBE68, 0}); });
  struct Quiz {
    std::vector<QString> files;
    bool resumes;
    int answered;        // all wrong, then 閉じる where no results are shown
    QStringList drills;  // the results' list
  };
  for (const Quiz& quiz :
       {Quiz{{"animals", "drinks"}, false, 1, {}},
        Quiz{{"animals", "drinks"}, true, 3, {"0/4 正解率：0%"}},
        Quiz{{"animals", "drinks"}, false, 1, {}},
        Quiz{{"animals", "drinks", "colors"}, false, 5, {"0/4 正解率：0%", "0/5 正解率：0%"}}}) {
    ExpectSelection(quiz.files);
    if (quiz.resumes)
      dialogs.ExpectMessage("前回の続きからです", "出題(日->韓)", MsgIcon::Information);
    dialogs.ExpectModal("frmJap2Kor", [&](QDialog& w) {
      for (int i = 0; i < quiz.answered; ++i) {
        if (i > 0) Find<QPushButton>(w, "btNext").click();
        Find<QPushButton>(w, "btHantei").click();
      }
      if (quiz.drills.isEmpty()) return Find<QPushButton>(w, "btClose").click();
      dialogs.ExpectModal("frmSeiseki", [&](QDialog& r) {
        auto& list = Find<QListWidget>(r, "lbHist");
        for (int k = 0; k < list.count(); ++k)
          EXPECT_EQ(list.item(k)->text(), quiz.drills.value(k));
        EXPECT_EQ(list.count(), quiz.drills.size());
        r.done(kModalOk);
      });
      Find<QPushButton>(w, "btNext").click();
    });
    frmWBKMenu->btJ2K->click();
    dialogs.VerifyFinished();
  }
  EXPECT_EQ(Load("animals")->RirekiJap2Kor.Records(), (std::vector<TRireki>{{9, 9}}));
}

// A copy keeps the title of its original, a merged file the title of its first file: the quiz
// still goes back to the file it read, and a combined quiz never over a damaged file.
TEST_F(QuizRoad, GoesBackToTheFileItReadAndNeverOverAnotherFile) {
  MakeFile("b", "b", [](TTangoList& l) {
    test::AddWord(l, Sj("水"), {0xBB3C, 0});
    test::AddWord(l, Sj("鳥"), {0xC0C8, 0});
  });
  MakeFile("a", "b", [](TTangoList& l) { test::AddWord(l, Sj("犬"), {0xAC1C, 0}); });
  MakeFile("evil", "../evil", [](TTangoList& l) { test::AddWord(l, Sj("犬"), {0xAC1C, 0}); });
  const std::string originalB = test::ReadBytes(folder / "b.wbk");
  for (const char* name : {"a", "evil"}) {
    ExpectSelection({name});
    dialogs.ExpectModal("frmKor2Jap", [&](QDialog& w) { AnswerK2J(w, "犬"); });
    ExpectResults("1/1 正解率：100%");
    frmWBKMenu->btK2J->click();
    EXPECT_EQ(Load(name)->RirekiKor2Jap.Count(), 1) << name;
  }
  EXPECT_EQ(test::ReadBytes(folder / "b.wbk"), originalB);
  EXPECT_FALSE(std::filesystem::exists(folder.Path().parent_path() / "evil.wbk"));

  const auto combined = folder / ToPath(QStringLiteral("複合問題.wbk"));
  std::string damaged = test::ReadBytes(folder / "b.wbk");
  damaged.resize(damaged.size() - 3);
  test::WriteBytes(combined, damaged);
  ExpectSelection({"a", "b"});
  dialogs.ExpectMessage(
      QStringLiteral("単語ファイル %1 は壊れています。失われた単語を上書きしないよう、"
                     "このファイルには書き込みません。")
          .arg(QDir::toNativeSeparators(FromPath(combined))),
      kApplicationTitle, MsgIcon::Stop);
  frmWBKMenu->btK2J->click();
  dialogs.VerifyFinished();
  EXPECT_EQ(test::ReadBytes(combined), damaged);
  EXPECT_TRUE(frmWBKMenu->isVisible());
}

// Another program's window may keep the file for an hour: it is named at once, and the quiz
// waits only as long as the learner wants.
TEST_F(QuizRoad, AFileHeldElsewhereIsNamedAtOnceAndMayBeTriedAgain) {
  const auto animals = folder / "animals.wbk";
  const std::string before = test::ReadBytes(animals);
  const WordFileLock held(animals, kWindowLockWait, "単語登録");
  const QString text =
      QStringLiteral(
          "単語ファイル %1 はapp_tests（プロセス %2）の「単語登録」が使用中です。"
          "使い終わるのを待って「再試行」を押すか、「キャンセル」でやめてください。")
          .arg(QDir::toNativeSeparators(FromPath(animals)))
          .arg(QCoreApplication::applicationPid());
  ExpectSelection({"animals"});
  dialogs.ExpectMessage(text, kApplicationTitle, MsgIcon::Stop, MsgButtons::RetryCancel,
                        MsgAnswer::Retry);
  dialogs.ExpectMessage(text, kApplicationTitle, MsgIcon::Stop, MsgButtons::RetryCancel,
                        MsgAnswer::Cancel);
  frmWBKMenu->btK2J->click();
  dialogs.VerifyFinished();
  EXPECT_EQ(test::ReadBytes(animals), before);
  EXPECT_TRUE(frmWBKMenu->isVisible());
}

// A folder that cannot be written (a shared or read-only one) still quizzes, and says so.
TEST_F(QuizRoad, AReadOnlyFolderQuizzesWithoutSavingAndSaysWhy) {
  const auto animals = folder / "animals.wbk";
  const std::string before = test::ReadBytes(animals);
  const auto writable = std::filesystem::status(folder.Path()).permissions();
  std::filesystem::permissions(folder.Path(), std::filesystem::perms(0555));
  ExpectSelection({"animals"}, "1");
  dialogs.ExpectMessage(
      QStringLiteral(
          "フォルダ %1 には書き込めません（読み取り専用か、書き込む権限がありません）。\n"
          "このまま出題しますが、成績は保存されません。")
          .arg(QDir::toNativeSeparators(FromPath(folder.Path()))),
      QStringLiteral("出題(韓->日)"), MsgIcon::Information);
  dialogs.ExpectModal("frmKor2Jap", [&](QDialog& w) { AnswerK2J(w, "犬"); });
  ExpectResults("1/1 正解率：100%");
  frmWBKMenu->btK2J->click();
  std::filesystem::permissions(folder.Path(), writable);
  dialogs.VerifyFinished();
  EXPECT_EQ(test::ReadBytes(animals), before);
}

}  // namespace
}  // namespace norumi
