// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/TangoList.h"
#include "platform/Form.h"
#include "session/QuizSession.h"

class QLabel;
class QMenuBar;
class QAction;
class QPushButton;

namespace norumi {

class TImage;

// Shows a Japanese meaning and asks for the Korean word, pasted from the clipboard into the
// shared composition: a drill in the history's order, or one word received in a code.
class TfrmJap2Kor : public TForm {
  Q_OBJECT

 public:
  explicit TfrmJap2Kor(Services& services);

  int StartQuiz(TTangoList& list);
  int StartSingle(TTangoList& list, TTango& entry);
  // Runs the window modally on a session of this direction, which outlives the run.
  // `caption` replaces the quiz's own in the title (see OpenQuiz).
  int StartSession(QuizSession& session, const QString& caption = {});

  QLabel* lbTanName;
  QLabel* Label2;
  QLabel* lbJapan;
  QLabel* Label1;
  TImage* imMoji;
  QLabel* lbHantei;
  QPushButton* btNorumi;
  QPushButton* btHanguel;
  QPushButton* btAns;
  QPushButton* btHantei;
  QPushButton* btNext;
  QPushButton* btMarkRight;  // the learner's last word on an answer judged wrong
  QPushButton* btHard;       // in the spaced review: a right answer that came hard
  QPushButton* btEasy;       // in the spaced review: a right answer that came easily
  QPushButton* btClose;
  QPushButton* btSpeak;  // "発音" (F5): the right answer spoken, once the answer is judged
  QMenuBar* MainMenu1;
  QAction* C1;
  QAction* P1;
  QAction* C2;
  QAction* K1;
  QAction* P2;

 public slots:
  void btHanteiClick();
  void btAnsClick();
  void btNextClick();
  void btMarkRightClick();
  void btHardClick();
  void btEasyClick();
  void btCloseClick();
  void btSpeakClick();
  void btHanguelClick();
  void btNorumiClick();
  void C2Click();
  void P2Click();

 protected:
  // FormKeyDown: Ctrl+V pastes, F2 counts the answer as right
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildControls();
  void BuildMenu();
  void ConnectHandlers();
  // The session's word, or nothing when none is left; the composition is emptied either way.
  void ShowQuestion();
  // Moves the focus to "次へ", which a screen reader then reads with `spoken`.
  void FocusNext(const QString& spoken);
  void ShowExplanation();
  void FinishQuiz();
  // Rates the answer judged and goes on, in the spaced review.
  void RateAndGoOn(review::Rating rating);

  QuizSession* Session = nullptr;  // while the window runs
  bool HasKeyboard = false;
  HangulCodes Judged;  // the answer as it was judged, which "答え" or a later paste covers up
};

extern TfrmJap2Kor* frmJap2Kor;

}  // namespace norumi
