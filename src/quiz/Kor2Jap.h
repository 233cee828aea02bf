// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/TangoList.h"
#include "platform/Form.h"
#include "session/QuizSession.h"

class QLabel;
class QLineEdit;
class QMenuBar;
class QAction;
class QPushButton;

namespace norumi {

class TImage;
class TPronunciationLine;

// Shows a Korean word and asks for its Japanese meaning: the words of a drill in the history's
// order (quiz mode), or one word received in a mail-magazine code (single-word mode).
class TfrmKor2Jap : public TForm {
  Q_OBJECT

 public:
  explicit TfrmKor2Jap(Services& services);

  int StartQuiz(TTangoList& list);
  int StartSingle(TTangoList& list, TTango& entry);
  // Runs the window modally on a session of this direction, which outlives the run.
  // `caption` replaces the quiz's own in the title (see OpenQuiz).
  int StartSession(QuizSession& session, const QString& caption = {});

  QLabel* lbTanName;
  QLabel* Label1;
  TImage* imMoji;
  TPronunciationLine* lnPronounce;  // how the word is said, once the answer is judged
  QPushButton* btSpeak;             // "発音" (F5), once the answer is judged
  QLabel* Label2;
  QLineEdit* edJapan;
  QLabel* lbNotice;  // says what the answer field left out of a paste or of what was typed
  QLabel* lbHantei;
  QPushButton* btAns;
  QPushButton* btHantei;
  QPushButton* btNext;
  QPushButton* btMarkRight;  // the learner's last word on an answer judged wrong
  QPushButton* btHard;       // in the spaced review: a right answer that came hard
  QPushButton* btEasy;       // in the spaced review: a right answer that came easily
  QPushButton* btClose;
  QMenuBar* MainMenu1;
  QAction* C1;
  QAction* P1;
  QAction* K1;

 public slots:
  void btHanteiClick();
  void btAnsClick();
  void btNextClick();
  void btMarkRightClick();
  void btHardClick();
  void btEasyClick();
  void btCloseClick();
  void btSpeakClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;  // edJapanKeyDown / KeyUp
  void showEvent(QShowEvent* event) override;
  // FormKeyDown: F2 counts the answer as right, F5 speaks the word
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildControls();
  // The session's word, or nothing when none is left.
  void ShowQuestion();
  // Moves the focus to "次へ", which a screen reader then reads with `spoken`.
  void FocusNext(const QString& spoken);
  void ShowExplanation();
  // How the word is said, heard and seen once the answer is judged.
  void ShowSaid();
  void FinishQuiz();
  // Rates the answer judged and goes on, in the spaced review.
  void RateAndGoOn(review::Rating rating);

  QuizSession* Session = nullptr;  // while the window runs
  bool EnterDown = false;
  QString Judged;  // the answer as it was judged, which "答え" covers up
};

extern TfrmKor2Jap* frmKor2Jap;

}  // namespace norumi
