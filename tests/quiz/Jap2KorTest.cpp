// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>

#include "AppFixture.h"
#include "ClipboardDouble.h"
#include "ModelSamples.h"
#include "hangul/view/Image.h"
#include "hangul/view/KeyboardWindow.h"
#include "hangul/view/PatternDialog.h"
#include "quiz/Jap2Kor.h"
#include "quiz/Seiseki.h"
#include "quiz/Setsumei.h"

namespace norumi {
namespace {

using test::AddWord;
const char* const kInu = "\x8C\xA2";                    // 犬
const char* const kNeko = "\x94\x4C";                   // 猫
const HangulCodes kGangaji = {0xAC15, 0xC544, 0xC9C0};  // 강아지
const HangulCodes kGae = {0xAC1C, 0};                   // 개, as the word editor stores it
const HangulCodes kGoyangi = {0xACE0, 0xC591, 0xC774};  // 고양이

class Jap2Kor : public test::AppFixture {
 protected:
  Jap2Kor() {
    services.clipboard = &clipboard;
    frmKeyboard = new TfrmKeyboard(services);
    frmPattern = new TfrmPattern(services);
    frmSeiseki = new TfrmSeiseki(services);
    frmWBKSetsumei = new TfrmWBKSetsumei(services);
    frmJap2Kor = new TfrmJap2Kor(services);
    list.Title = "Words";
  }
  ~Jap2Kor() override {
    delete frmJap2Kor;
    delete frmWBKSetsumei;
    delete frmSeiseki;
    delete frmPattern;
    delete frmKeyboard;
    frmJap2Kor = nullptr;
    frmWBKSetsumei = nullptr;
    frmSeiseki = nullptr;
    frmPattern = nullptr;
    frmKeyboard = nullptr;
  }

  static QPushButton* Button(QDialog& w, const char* name) {
    return w.findChild<QPushButton*>(QString::fromLatin1(name));
  }
  static QString Mark(QDialog& w) { return w.findChild<QLabel*>("lbHantei")->text(); }
  // Puts `text` on the clipboard (nothing at all without it) and presses "ハングル貼り付け".
  void Paste(QDialog& w, std::optional<std::u16string> text) {
    clipboard.Put(std::nullopt, text);
    Button(w, "btHanguel")->click();
  }
  static void CtrlV(QWidget& focused) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("v"));
    QApplication::sendEvent(&focused, &press);
  }
  // How many pixels of `color` the 24-pixel cell `cell` of the answer picture holds.
  static int Pixels(int cell, QColor color) {
    const QImage& picture = frmJap2Kor->imMoji->Picture;
    int count = 0;
    for (int y = 0; y < picture.height(); ++y)
      for (int x = cell * 24; x < cell * 24 + 24; ++x) count += picture.pixelColor(x, y) == color;
    return count;
  }
  void ExpectResults() {
    dialogs.ExpectModal("frmSeiseki", [](QDialog& w) {
      EXPECT_FALSE(frmJap2Kor->isVisible());
      w.done(kModalOk);
    });
  }

  test::MemoryClipboard clipboard;
  TTangoList list;
};

TEST_F(Jap2Kor, OnlyTheCodesPastedSinceTheOpeningAreJudged) {
  TTango& cat = AddWord(list, kNeko, {0xACE0, 0xC591, 0xC774, 0});
  struct Row {
    const char* what;
    std::vector<std::u16string> pastes;  // none: the clipboard holds no text
    QString mark;
  };
  const Row rows[] = {
      {"nothing, after another window left a word behind", {}, "×"},
      {"the word, stored with a trailing 0", {u"고양이"}, "○"},
      {"the first syllable", {u"고"}, "×"},
      {"the word and a line break", {u"고양이\r\n"}, "○"},
      {"the word as a web page gives it", {u"\u3000\n고\u200B양이\u00A0"}, "○"},
      {"the word twice, without clearing", {u"고양이", u"고양이"}, "×"},
  };
  frmKeyboard->Keyboard.Codes = kGoyangi;
  for (const Row& row : rows) {
    SCOPED_TRACE(row.what);
    dialogs.ExpectModal("frmJap2Kor", [&](QDialog& w) {
      EXPECT_EQ(w.findChild<QLabel*>("lbJapan")->text(), QStringLiteral("猫"));
      EXPECT_FALSE(Button(w, "btNorumi")->isHidden());  // offered for a single word
      if (row.pastes.empty()) {
        dialogs.ExpectMessage("クリップボードに韓国語がありません", w.windowTitle(),
                              MsgIcon::Information);
        Paste(w, std::nullopt);
      }
      for (const auto& text : row.pastes) Paste(w, text);
      Button(w, "btHantei")->click();
      EXPECT_EQ(Mark(w), row.mark);
      Button(w, "btNext")->click();  // a single word ends here
    });
    EXPECT_EQ(frmJap2Kor->StartSingle(list, cat), kModalOk);
  }
  EXPECT_FALSE(list.RirekiJap2Kor.InProgress);  // a single word records nothing
  EXPECT_TRUE(list.RirekiJap2Kor.Marks.empty());
}

TEST_F(Jap2Kor, QuizRecordsEachJudgementAndShowsEveryRightWordInRed) {
  list.Kaisetsu = 1;  // explanations after wrong answers only
  AddWord(list, kInu, kGangaji, "puppy");
  AddWord(list, kInu, kGae, "dog");
  AddWord(list, kNeko, kGoyangi);
  list.RirekiJap2Kor.SelectQuestions(3, 3, false, false);

  dialogs.ExpectModal("frmJap2Kor", [&](QDialog& w) {
    EXPECT_EQ(w.windowTitle(), QStringLiteral("Norumi! > 単語出題 > Words"));
    EXPECT_TRUE(Button(w, "btNorumi")->isHidden());  // no keyboard program registered
    // What a screen reader hears as the focus lands on each button.
    const auto told = [&](const char* button) {
      return test::Heard(Button(w, button), QAccessible::Description);
    };
    EXPECT_EQ(told("btHanguel"), "1問目 犬");
    // Either Korean word of 犬 is right for both questions of 犬.
    Paste(w, u"개");
    EXPECT_EQ(told("btHantei"), "貼り付けた答え 개");
    Button(w, "btHantei")->click();
    EXPECT_EQ(Mark(w), QStringLiteral("○"));
    EXPECT_EQ(told("btNext"), "正解");
    EXPECT_TRUE(Button(w, "btAns")->isHidden());
    Button(w, "btNext")->click();

    Paste(w, u"고양이");
    dialogs.ExpectModal("frmWBKSetsumei", [](QDialog& s) {
      EXPECT_EQ(s.findChild<QLabel*>("lbSetsumei")->text(), QStringLiteral("dog"));
      s.done(kModalOk);
    });
    Button(w, "btHantei")->click();
    EXPECT_EQ(Mark(w), QStringLiteral("×"));
    EXPECT_TRUE(Button(w, "btHantei")->isHidden());
    EXPECT_TRUE(Button(w, "btHanguel")->isHidden());
    EXPECT_EQ(told("btNext"), "不正解。正しい答えは 강아지 개");

    Button(w, "btAns")->click();  // 강아지, an empty cell, 개
    EXPECT_EQ(told("btNext"), "答えは 강아지 개");
    EXPECT_EQ(test::Heard(frmJap2Kor->imMoji), "강아지 개");
    EXPECT_EQ(test::Heard(frmJap2Kor->imMoji, QAccessible::Description), "正しい答え");
    for (int cell : {0, 1, 2, 4}) EXPECT_GT(Pixels(cell, Qt::red), 0) << cell;
    EXPECT_EQ(Pixels(3, Qt::white), 24 * 24);
    for (int cell = 0; cell < 19; ++cell) EXPECT_EQ(Pixels(cell, Qt::black), 0) << cell;
    EXPECT_EQ(frmKeyboard->Keyboard.Codes, kGoyangi);  // the learner's answer is kept

    // Pasting after the judgement redraws, but the judgement stands.
    CtrlV(*Button(w, "btNext"));
    EXPECT_EQ(frmKeyboard->Keyboard.Codes,
              (HangulCodes{0xACE0, 0xC591, 0xC774, 0xACE0, 0xC591, 0xC774}));
    EXPECT_GT(Pixels(3, Qt::black), 0);
    EXPECT_EQ(test::Heard(frmJap2Kor->imMoji), "고양이고양이");
    EXPECT_EQ(test::Heard(frmJap2Kor->imMoji, QAccessible::Description), "貼り付けた答え");
    EXPECT_EQ(Mark(w), QStringLiteral("×"));
    Button(w, "btNext")->click();

    EXPECT_TRUE(frmKeyboard->Keyboard.Codes.empty());  // each question starts empty
    Paste(w, u"고양이");
    Button(w, "btHantei")->click();
    ExpectResults();
    Button(w, "btNext")->click();
  });
  EXPECT_EQ(frmJap2Kor->StartQuiz(list), kModalOk);
  const TRirekiList& history = list.RirekiJap2Kor;
  EXPECT_EQ(history.Marks, (std::vector<int32_t>{kMarkRight, kMarkWrong, kMarkRight}));
  EXPECT_FALSE(history.InProgress);
  ASSERT_EQ(history.Count(), 1);
  EXPECT_EQ(history.Records()[0], (TRireki{3, 2}));
}

TEST_F(Jap2Kor, AnAnswerCountedAsRightShowsWhatWasPastedAndIsRecordedInAQuizOnly) {
  AddWord(list, kInu, kGae);
  for (const bool single : {false, true}) {
    list.RirekiJap2Kor.SelectQuestions(1, 1, false, false);
    dialogs.ExpectModal("frmJap2Kor", [&](QDialog& w) {
      Paste(w, u"강아지");  // also a dog, but not in the file
      Button(w, "btHantei")->click();
      Button(w, "btAns")->click();
      QKeyEvent f2(QEvent::KeyPress, Qt::Key_F2, Qt::NoModifier);
      QApplication::sendEvent(Button(w, "btNext"), &f2);
      EXPECT_EQ(Mark(w), QStringLiteral("○"));
      EXPECT_EQ(test::Heard(frmJap2Kor->imMoji), "강아지");
      for (int cell = 0; cell < 19; ++cell) EXPECT_EQ(Pixels(cell, Qt::red), 0) << cell;
      if (!single) ExpectResults();
      Button(w, "btNext")->click();
    });
    single ? frmJap2Kor->StartSingle(list, list.Tango(0)) : frmJap2Kor->StartQuiz(list);
    EXPECT_EQ(list.RirekiJap2Kor.Marks[0], single ? kMarkUnanswered : kMarkRight);
  }
  EXPECT_EQ(list.RirekiJap2Kor.Records(), (std::vector<TRireki>{{1, 1}}));
}

TEST_F(Jap2Kor, DrillClosedAfterItsLastAnswerEndsWithoutAskingAgain) {
  AddWord(list, kInu, kGae);
  AddWord(list, kNeko, kGoyangi);
  list.RirekiJap2Kor.SelectQuestions(2, 2, false, false);
  list.RirekiJap2Kor.MarkAnswer(0, true);
  list.RirekiJap2Kor.Position = 0;

  dialogs.ExpectModal("frmJap2Kor", [&](QDialog& w) {
    EXPECT_EQ(w.findChild<QLabel*>("lbJapan")->text(), QStringLiteral("猫"));  // resumed
    Paste(w, u"개");
    Button(w, "btHantei")->click();
    Button(w, "btClose")->click();
  });
  frmJap2Kor->StartQuiz(list);
  EXPECT_TRUE(list.RirekiJap2Kor.InProgress);
  EXPECT_EQ(list.RirekiJap2Kor.Count(), 0);

  // Nothing is left to ask: no question window, the drill is closed and its results shown.
  ExpectResults();
  EXPECT_EQ(frmJap2Kor->StartQuiz(list), kModalOk);
  EXPECT_FALSE(list.RirekiJap2Kor.InProgress);
  EXPECT_EQ(list.RirekiJap2Kor.Marks, (std::vector<int32_t>{kMarkRight, kMarkWrong}));
  ASSERT_EQ(list.RirekiJap2Kor.Count(), 1);
  EXPECT_EQ(list.RirekiJap2Kor.Records()[0], (TRireki{2, 1}));
}

TEST_F(Jap2Kor, KeyboardButtonOpensOnlyARegisteredProgram) {
  TTango& dog = AddWord(list, kInu, kGae);
  dialogs.ExpectModal("frmJap2Kor", [&](QDialog& w) {
    Button(w, "btNorumi")->click();
    w.findChild<QAction*>("K1")->trigger();
    Button(w, "btClose")->click();
  });
  frmJap2Kor->StartSingle(list, dog);
  EXPECT_TRUE(shell.opened.empty());

  registry.WriteMachineString(kKeyboardKey, QStringLiteral("path"), QStringLiteral("/opt/pomkey"));
  list.RirekiJap2Kor.SelectQuestions(1, 1, false, false);
  dialogs.ExpectModal("frmJap2Kor", [&](QDialog& w) {
    ASSERT_FALSE(Button(w, "btNorumi")->isHidden());
    Button(w, "btNorumi")->click();
    Button(w, "btClose")->click();
  });
  frmJap2Kor->StartQuiz(list);
  EXPECT_EQ(shell.opened, (std::vector<QString>{QStringLiteral("/opt/pomkey")}));
}

TEST_F(Jap2Kor, MenuWorksAfterTheJudgement) {
  TTango& dog = AddWord(list, kInu, kGae);
  dialogs.ExpectModal("frmJap2Kor", [&](QDialog& w) {
    Button(w, "btHantei")->click();
    clipboard.Put(std::nullopt, u"개");
    w.findChild<QAction*>("P1")->trigger();
    EXPECT_EQ(w.findChild<QAction*>("P1")->shortcut().toString(), "Ctrl+V");  // keyPressEvent's
    EXPECT_EQ(frmKeyboard->Keyboard.Codes, HangulCodes{0xAC1C});
    w.findChild<QAction*>("C2")->trigger();
    EXPECT_TRUE(frmKeyboard->Keyboard.Codes.empty());

    dialogs.ExpectModal("frmPattern", [&](QDialog& p) {
      EXPECT_FALSE(w.isVisible());
      p.findChild<QPushButton*>("btCancel")->click();
    });
    w.findChild<QAction*>("P2")->trigger();
    EXPECT_TRUE(w.isVisible());
    w.findChild<QAction*>("C1")->trigger();
  });
  EXPECT_EQ(frmJap2Kor->StartSingle(list, dog), kModalOk);
}

}  // namespace
}  // namespace norumi
