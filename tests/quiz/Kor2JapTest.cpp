// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <functional>
#include <set>
#include <tuple>

#include "AppFixture.h"
#include "ModelSamples.h"
#include "hangul/view/Drawing.h"
#include "hangul/view/KeyboardWindow.h"
#include "hangul/view/PronunciationLine.h"
#include "platform/text/Cp932.h"
#include "quiz/Kor2Jap.h"
#include "quiz/Seiseki.h"
#include "quiz/Setsumei.h"

namespace norumi {
namespace {

using test::AddWord;

using test::Sj;

const HangulCodes kGae = {0xAC1C, 0};                      // 개
const HangulCodes kGoyangi = {0xACE0, 0xC591, 0xC774, 0};  // 고양이
const HangulCodes kSae = {0xC0C8, 0};                      // 새
const HangulCodes kMal = {0xB9D0, 0};                      // 말

class Kor2JapQuiz : public test::AppFixture {
 protected:
  Kor2JapQuiz() {
    frmKeyboard = new TfrmKeyboard(services);
    frmSeiseki = new TfrmSeiseki(services);
    frmWBKSetsumei = new TfrmWBKSetsumei(services);
    frmKor2Jap = new TfrmKor2Jap(services);
  }
  ~Kor2JapQuiz() override {
    dialogs.VerifyFinished();
    Destroy(frmKor2Jap);
    Destroy(frmWBKSetsumei);
    Destroy(frmSeiseki);
    Destroy(frmKeyboard);
  }
  template <typename Window>
  static void Destroy(Window*& global) {
    delete global;
    global = nullptr;
  }

  // Dog, dog again under the same Korean word, cat and horse.
  static void FillAnimals(TTangoList& list, int kaisetsu = 2) {
    list.Title = Sj("動物");
    list.Kaisetsu = kaisetsu;
    AddWord(list, Sj("犬"), kGae, "", "https://example.org/inu");
    AddWord(list, Sj("いぬ"), kGae);
    AddWord(list, Sj("猫"), kGoyangi, Sj("ネコ科"), "");
    AddWord(list, Sj("馬"), kMal);
    list.RirekiKor2Jap.SelectQuestions(list.Count(), list.Count(), false, false);
  }

  // Opens the quiz; `drive` works it like the learner and must close it.
  int Quiz(TTangoList& list, const std::function<void(TfrmKor2Jap&)>& drive) {
    dialogs.ExpectModal("frmKor2Jap", [drive](QDialog&) { drive(*frmKor2Jap); });
    return frmKor2Jap->StartQuiz(list);
  }
  static void Answer(const char* utf8) {
    frmKor2Jap->edJapan->setText(QString::fromUtf8(utf8));
    frmKor2Jap->btHantei->click();
  }
  static bool Asking(const HangulCodes& word) {
    return !frmKor2Jap->btHantei->isHidden() && frmKor2Jap->lbHantei->text() == " " &&
           frmKor2Jap->imMoji->Picture == DrawCodes(&word, QSize(456, 24));
  }
  static void Key(QWidget* target, QEvent::Type type) {
    QKeyEvent key(type, Qt::Key_Return, Qt::NoModifier);
    QApplication::sendEvent(target, &key);
  }
  void ExpectResults(const QString& seikai, const QString& total, const QString& per) {
    dialogs.ExpectModal("frmSeiseki", [=](QDialog&) {
      EXPECT_TRUE(frmKor2Jap->isHidden());
      EXPECT_EQ(frmSeiseki->lbSeikai->text(), seikai);
      EXPECT_EQ(frmSeiseki->lbTotal->text(), total);
      EXPECT_EQ(frmSeiseki->lbPer->text(), per);
      frmSeiseki->btClose->click();
    });
  }

  test::FixedClock clock;
};

TEST_F(Kor2JapQuiz, TheMeaningOfAnyEntryOfTheKoreanWordIsRight) {
  TTangoList list;
  FillAnimals(list);
  AddWord(list, Sj("トリ"), kSae);
  list.RirekiKor2Jap.SelectQuestions(5, 5, false, false);
  const int result = Quiz(list, [&](TfrmKor2Jap& w) {
    EXPECT_EQ(w.windowTitle(), "Norumi! > 単語出題 > 動物");
    EXPECT_EQ(w.lbTanName->text(), "動物");
    EXPECT_TRUE(Asking(kGae));
    EXPECT_EQ(test::Heard(w.imMoji), "개");
    EXPECT_EQ(test::Heard(w.imMoji, QAccessible::Description), "問題の韓国語");
    Answer("猫");
    EXPECT_EQ(w.lbHantei->text(), "×");
    EXPECT_EQ(w.lbHantei->palette().color(QPalette::WindowText), QColor(Qt::red));
    w.btAns->click();
    EXPECT_EQ(w.edJapan->text(), "犬,いぬ");
    EXPECT_EQ(w.edJapan->palette().color(QPalette::Text), QColor(Qt::red));
    w.btNext->click();

    EXPECT_TRUE(Asking(kGae));
    EXPECT_EQ(w.edJapan->text(), "");
    EXPECT_EQ(w.edJapan->palette().color(QPalette::Text), QColor(Qt::black));
    Answer("犬");  // the other entry's meaning
    EXPECT_EQ(w.lbHantei->text(), "○");
    EXPECT_TRUE(w.btAns->isHidden());
    w.btNext->click();
    EXPECT_EQ(test::Heard(w.imMoji), "고양이");  // each new question
    Answer("ねこ");                              // 猫 in kana: it reads the same
    w.btNext->click();
    Answer("馬");
    w.btNext->click();
    Answer("ﾄﾘ");  // トリ in half-width
    EXPECT_EQ(w.lbHantei->text(), "○");
    ExpectResults("4", "5", "80%");
    w.btNext->click();
  });
  EXPECT_EQ(result, kModalOk);
  const TRirekiList& h = list.RirekiKor2Jap;
  EXPECT_EQ(h.Marks, (std::vector<int32_t>{-1, 1, 1, 1, 1}));
  EXPECT_FALSE(h.InProgress);
  EXPECT_EQ(h.Records(), (std::vector<TRireki>{{5, 4}}));
}

TEST_F(Kor2JapQuiz, WhatTheAnswerCannotHoldIsLeftOutAndNamedUnderIt) {
  const QString korean = "韓国語の文字は入力できません。日本語で答えてください。";
  TTangoList list;
  FillAnimals(list);
  Quiz(list, [&](TfrmKor2Jap& w) {
    // Typed after さ of さよ, committed by an input method or pasted: what the field then holds,
    // where its cursor stands, and the line under it.
    for (const auto& [typed, committed, text, cursor, notice] :
         std::initializer_list<std::tuple<QString, bool, QString, int, QString>>{
             {"개", true, "さよ", 1, korean},
             {"な♡ら😀", false, "さならよ", 3, "この文字は入力できません: ♡😀"},
             {"♡개", false, "さよ", 1, "韓国語の文字と次の文字は入力できません: ♡"},
             {"なら", true, "さならよ", 3, ""},
         }) {
      w.edJapan->setText("さよ");
      w.edJapan->setCursorPosition(1);
      QInputMethodEvent commit;
      commit.setCommitString(typed);
      committed ? void(QApplication::sendEvent(w.edJapan, &commit)) : w.edJapan->insert(typed);
      EXPECT_EQ(w.edJapan->text(), text);
      EXPECT_EQ(w.edJapan->cursorPosition(), cursor);
      EXPECT_EQ(w.lbNotice->text(), notice) << typed.toStdString();
    }
    w.edJapan->insert("개");
    QKeyEvent key(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
    QApplication::sendEvent(w.edJapan, &key);
    EXPECT_EQ(w.lbNotice->text(), "");  // the next change is told nothing of the last one
    w.btClose->click();
  });
}

TEST_F(Kor2JapQuiz, ExplanationFollowsTheCommentaryModeAndComesBeforeTheRecord) {
  // Per mode: is the explanation shown for 犬 answered right, for 猫 answered wrong? 馬 and いぬ
  // have nothing to explain.
  const bool expected[3][2] = {{true, true}, {false, true}, {false, false}};
  for (int mode = 0; mode < 3; ++mode) {
    SCOPED_TRACE(mode);
    TTangoList list;
    FillAnimals(list, mode);
    const auto expectExplanation = [&](int word, const QString& text, const QString& url) {
      dialogs.ExpectModal("frmWBKSetsumei", [&list, word, text, url](QDialog&) {
        EXPECT_EQ(frmWBKSetsumei->lbSetsumei->text(), text);
        EXPECT_EQ(frmWBKSetsumei->lbUrl->text(), url);
        EXPECT_EQ(list.RirekiKor2Jap.Marks[word], kMarkUnanswered);
        EXPECT_FALSE(frmKor2Jap->btHantei->isHidden());
        // Beside the quiz, whose question and answer stay in sight.
        EXPECT_FALSE(frmWBKSetsumei->frameGeometry().intersects(frmKor2Jap->frameGeometry()));
        frmWBKSetsumei->btClose->click();
      });
    };
    Quiz(list, [&](TfrmKor2Jap& w) {
      if (expected[mode][0]) expectExplanation(0, "", "https://example.org/inu");
      Answer("犬");
      w.btNext->click();
      Answer("?");
      w.btNext->click();
      if (expected[mode][1]) expectExplanation(2, "ネコ科", "");
      Answer("?");
      w.btNext->click();
      Answer("?");
      ExpectResults("1", "4", "25%");
      w.btNext->click();
    });
    dialogs.VerifyFinished();
  }
}

TEST_F(Kor2JapQuiz, EnterJudgesOnlyWhenItWentDownInTheAnswerField) {
  TTangoList list;
  FillAnimals(list);
  Quiz(list, [&](TfrmKor2Jap& w) {
    QApplication::setActiveWindow(&w);  // focus moves for real, default buttons included
    w.edJapan->setText("?");
    Key(w.edJapan, QEvent::KeyPress);
    Key(w.edJapan, QEvent::KeyRelease);
    EXPECT_EQ(w.lbHantei->text(), "×");
    w.btAns->click();
    Key(w.edJapan, QEvent::KeyPress);  // the answer is on show: nothing is judged again
    Key(w.edJapan, QEvent::KeyRelease);
    EXPECT_EQ(w.lbHantei->text(), "×");
    EXPECT_EQ(w.edJapan->text(), "犬,いぬ");
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(list.RirekiKor2Jap.Marks, (std::vector<int32_t>{-1, 0, 0, 0}));

    ASSERT_EQ(w.focusWidget(), w.btNext);
    Key(w.btNext, QEvent::KeyPress);  // goes to the next question and into the answer field...
    EXPECT_EQ(w.focusWidget(), w.edJapan);
    Key(w.edJapan, QEvent::KeyRelease);  // ...where the key comes up
    EXPECT_TRUE(Asking(kGae));
    EXPECT_EQ(w.edJapan->text(), "");
    EXPECT_EQ(list.RirekiKor2Jap.Marks[1], kMarkUnanswered);
    w.btClose->click();
  });
}

TEST_F(Kor2JapQuiz, ClosingHalfwayResumesAndADrillWithNothingLeftEndsAtOnce) {
  TTangoList list;
  FillAnimals(list);
  const TRirekiList& h = list.RirekiKor2Jap;
  Quiz(list, [](TfrmKor2Jap& w) {
    Answer("犬");
    w.C1->trigger();
  });
  EXPECT_TRUE(h.InProgress);
  EXPECT_TRUE(h.Records().empty());

  Quiz(list, [](TfrmKor2Jap& w) {
    EXPECT_TRUE(Asking(kGae));  // いぬ: the first word still unanswered
    Answer("いぬ");
    w.btNext->click();
    EXPECT_TRUE(Asking(kGoyangi));
    w.btClose->click();  // not judged: asked again next time
  });
  Quiz(list, [](TfrmKor2Jap& w) {
    EXPECT_TRUE(Asking(kGoyangi));
    Answer("猫");
    w.btNext->click();
    Answer("馬");
    w.btClose->click();  // closed before "次へ" after the last answer
  });
  EXPECT_EQ(h.Marks, (std::vector<int32_t>{1, 1, 1, 1}));
  EXPECT_TRUE(h.InProgress);

  ExpectResults("4", "4", "100%");  // without the quiz window
  EXPECT_EQ(frmKor2Jap->StartQuiz(list), kModalOk);
  EXPECT_FALSE(h.InProgress);
  EXPECT_EQ(h.Records(), (std::vector<TRireki>{{4, 4}}));
  EXPECT_TRUE(frmKor2Jap->isHidden());
}

TEST_F(Kor2JapQuiz, OnlyWrongWordsScatteredInAShuffledOrderAreAllAsked) {
  TTangoList list;
  for (int i = 0; i < 8; ++i) AddWord(list, "w" + std::to_string(i), {0xAC00 + i, 0});
  TRirekiList& h = list.RirekiKor2Jap;
  h.Marks = {-1, 1, 1, -1, 1, 1, 1, -1};  // the previous drill
  h.SelectQuestions(8, 8, true, true);
  const auto at = [&](int word) { return std::find(h.Order.begin(), h.Order.end(), word); };
  ASSERT_GT(std::max({at(0), at(3), at(7)}) - std::min({at(0), at(3), at(7)}), 2);

  std::set<std::string> asked;
  Quiz(list, [&](TfrmKor2Jap& w) {
    ExpectResults("0", "3", "0%");
    for (int i = 0; i < 8 && w.isVisible(); ++i) {
      Answer("?");
      w.btAns->click();
      asked.insert(w.edJapan->text().toStdString());
      w.btNext->click();
    }
  });
  EXPECT_EQ(asked, (std::set<std::string>{"w0", "w3", "w7"}));
}

TEST_F(Kor2JapQuiz, TheLearnerMayCountAnAnswerJudgedWrongAsRight) {
  const auto f2 = [](QWidget* to) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
    QApplication::sendEvent(to, &key);
  };
  // The file read-only (nothing offered), "答え" shown first, F2 instead of the button.
  for (const auto& [readOnly, answerShown, byKey] :
       {std::tuple{false, false, false}, {false, true, true}, {true, true, true}}) {
    TTangoList list;
    FillAnimals(list);
    list.ReadOnly = readOnly;
    Quiz(list, [&, readOnly = readOnly, answerShown = answerShown, byKey = byKey](TfrmKor2Jap& w) {
      f2(w.edJapan);  // nothing judged yet
      Answer("犬");
      EXPECT_TRUE(w.btMarkRight->isHidden());
      w.btNext->click();
      Answer("わんちゃん");
      EXPECT_EQ(w.btMarkRight->isHidden(), readOnly);
      if (answerShown) w.btAns->click();
      byKey ? f2(w.btNext) : w.btMarkRight->click();
      EXPECT_EQ(w.lbHantei->text(), readOnly ? "×" : "○");
      if (!readOnly) {  // what was typed, as an answer judged right shows it
        EXPECT_EQ(w.edJapan->text(), "わんちゃん");
        EXPECT_EQ(w.edJapan->palette().color(QPalette::Text), QColor(Qt::black));
        EXPECT_TRUE(w.btMarkRight->isHidden() && w.btAns->isHidden());
      }
      w.btNext->click();
      EXPECT_TRUE(w.btMarkRight->isHidden());
      Answer("　");  // a blank answer is nothing to count
      EXPECT_TRUE(w.btMarkRight->isHidden());
      w.btNext->click();
      Answer("馬");
      ExpectResults(readOnly ? "2" : "3", "4", readOnly ? "50%" : "75%");
      w.btNext->click();
    });
    EXPECT_EQ(list.RirekiKor2Jap.Records(), (std::vector<TRireki>{{4, readOnly ? 2 : 3}}));
  }
}

TEST_F(Kor2JapQuiz, HowTheWordIsSaidIsShownAndSpokenOnlyOnceTheAnswerIsJudged) {
  TTangoList list;
  FillAnimals(list);
  const auto pressF5 = [] {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_F5, Qt::NoModifier);
    QApplication::sendEvent(frmKor2Jap, &key);
  };
  Quiz(list, [&](TfrmKor2Jap& w) {
    EXPECT_TRUE(w.lnPronounce->Spoken().isEmpty());
    EXPECT_TRUE(w.btSpeak->isHidden());
    pressF5();
    EXPECT_TRUE(speech.said.empty()) << "the question's word is not given away";
    Answer("犬");
    EXPECT_EQ(w.lnPronounce->Spoken(), "発音 개 gae ケ");
    EXPECT_EQ(test::Heard(w.btNext, QAccessible::Description), "正解。発音 개 gae ケ");
    pressF5();
    EXPECT_EQ(speech.said, std::vector<HangulCodes>{kGae});
    w.btClose->click();
  });
  // Turned off, and on a machine with no voice: neither the line nor the button.
  registry.WriteMachineString(kProgramKey, "pronunciationLine", "0");
  speech.canSpeak = false;
  Quiz(list, [](TfrmKor2Jap& w) {
    Answer("いぬ");
    EXPECT_TRUE(w.lnPronounce->Spoken().isEmpty());
    EXPECT_TRUE(w.btSpeak->isHidden());
    w.btClose->click();
  });
}

TEST_F(Kor2JapQuiz, SingleWordRecordsNothingAndNextClosesAtOnce) {
  TTangoList list;
  FillAnimals(list, 1);
  list.RirekiKor2Jap.MarkAnswer(0, true);
  const std::vector<int32_t> marks = list.RirekiKor2Jap.Marks;
  dialogs.ExpectModal("frmKor2Jap", [](QDialog&) {
    TfrmKor2Jap& w = *frmKor2Jap;
    EXPECT_TRUE(Asking(kGoyangi));
    Answer("猫 ");  // judged as in a quiz
    EXPECT_EQ(w.lbHantei->text(), "○");
    w.btNext->click();
    EXPECT_TRUE(w.isHidden());
  });
  EXPECT_EQ(frmKor2Jap->StartSingle(list, list.Tango(2)), kModalOk);

  dialogs.ExpectModal("frmKor2Jap", [this](QDialog&) {
    TfrmKor2Jap& w = *frmKor2Jap;
    dialogs.ExpectModal("frmWBKSetsumei", [](QDialog&) {
      EXPECT_EQ(frmWBKSetsumei->lbUrl->text(), "https://example.org/inu");
      frmWBKSetsumei->btClose->click();
    });
    Answer("トリ");  // another word's meaning
    EXPECT_EQ(w.lbHantei->text(), "×");
    w.btAns->click();
    EXPECT_EQ(w.edJapan->text(), "犬");
    w.btNext->click();
  });
  frmKor2Jap->StartSingle(list, list.Tango(0));
  EXPECT_EQ(list.RirekiKor2Jap.Marks, marks);
  EXPECT_EQ(list.RirekiKor2Jap.Position, 0);
  EXPECT_TRUE(list.RirekiKor2Jap.Records().empty());
}

}  // namespace
}  // namespace norumi
