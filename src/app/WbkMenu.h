// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <memory>

#include "platform/Form.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QFrame;

namespace norumi {

class QuizRun;
class ReviewBook;

// The menu, the program's main window: registers the learner's name, keeps the program's
// registry values, and starts the quizzes, the word editor and the mail-magazine code input.
class TfrmWBKMenu : public TForm {
  Q_OBJECT

 public:
  explicit TfrmWBKMenu(Services& services);
  ~TfrmWBKMenu() override;

  QString ReadRegPath();
  QString ReadRegUser();
  void UpdateRegistry(bool create);

  bool TeachMode() const { return teachMode; }
  const QString& UserName() const { return userName; }
  // Counts today's review anew on its button, or says why the review is off.
  void RefreshReview();

  QLabel* Label2;
  QLineEdit* edUser;
  QPushButton* btUser;
  QLabel* lbUser;
  QFrame* Shape1;
  QWidget* pnlMenu;
  QPushButton* btReg;
  QPushButton* btK2J;
  QPushButton* btJ2K;
  QLabel* Label1;
  QPlainTextEdit* mmMag;
  QPushButton* btChange;
  QPushButton* btUninstall;
  QPushButton* btClose;
  QPushButton* btReview;    // "今日の復習 (24)", greyed when nothing is due
  QPushButton* btSettings;  // "設定": the review's and the pronunciation's
  QLabel* lbReview;         // why the review is off, when it is

 public slots:
  void FormCreate();
  void btUserClick();
  void btRegClick();
  void btK2JClick();
  void btJ2KClick();
  void btChangeClick();
  void btUninstallClick();
  void btCloseClick();
  void btReviewClick();
  void btSettingsClick();

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildControls();
  // The road of one quiz, shared by both directions (MenuQuiz.cpp).
  void RunQuiz(bool koreanToJapanese);
  // Shows the menu after a window it opened has closed, the focus on the button that opened it.
  void ShowAgain(QPushButton* opener);
  // Saves a quiz's answers; a failure says why and offers to try again.
  void SaveQuiz(QuizRun& run, const QString& caption);
  // The learner's review, opened anew for the name registered.
  void OpenReviews();
  // The day's spaced review, from the menu's row (MenuReview.cpp).
  void RunReview();

  bool teachMode = false;
  QString userName;
  std::unique_ptr<ReviewBook> reviews_;
};

extern TfrmWBKMenu* frmWBKMenu;

}  // namespace norumi
