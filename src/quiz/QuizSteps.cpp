// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/QuizSteps.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

#include "hangul/view/KeyboardWindow.h"
#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/text/Cp932.h"
#include "platform/text/ShownControls.h"
#include "quiz/Seiseki.h"
#include "quiz/Setsumei.h"
#include "session/QuizSession.h"

namespace norumi {

void ShowMark(QLabel& mark, bool right) {
  SetColor(&mark, QPalette::WindowText, right ? Qt::blue : Qt::red);
  mark.setText(right ? QStringLiteral("○") : QStringLiteral("×"));
}

QPushButton* MarkRightButton() {
  auto* button = new QPushButton(QStringLiteral("正解にする"));
  button->setObjectName(QStringLiteral("btMarkRight"));
  button->setToolTip(QStringLiteral("F2"));
  QSizePolicy keep = button->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  button->setSizePolicy(keep);
  button->hide();
  return button;
}

QPushButton* RatingButton(const char* name, const QString& caption, const QString& key) {
  auto* button = new QPushButton(caption + QStringLiteral(" (") + key + u')');
  button->setObjectName(QString::fromLatin1(name));
  QSizePolicy keep = button->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  button->setSizePolicy(keep);
  button->setAutoDefault(true);
  button->hide();
  return button;
}

void ShowRatings(const QuizSession& session, QPushButton& hard, QPushButton& easy) {
  const bool shown =
      session.Rates() && session.Current() == QuizSession::State::Judged && session.Right();
  hard.setVisible(shown);
  easy.setVisible(shown);
}

std::optional<review::Rating> KeyedRating(const QuizSession* session, const QKeyEvent& key) {
  if (!session || !session->Rates() || session->Current() != QuizSession::State::Judged ||
      (key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier || key.key() < Qt::Key_1 ||
      key.key() > Qt::Key_4)
    return std::nullopt;
  const auto rating = review::Rating(key.key() - Qt::Key_1 + 1);
  if (rating != review::Rating::Again && !session->Right()) return std::nullopt;
  return rating;
}

bool RateAnswer(QuizSession* session, review::Rating rating) {
  if (!session || session->Current() != QuizSession::State::Judged) return false;
  return session->Rate(rating) || session->Rating() == rating;
}

QString SpokenQuestion(const TRirekiList* history, int32_t position, const QString& question) {
  if (!history) return question;
  return QStringLiteral("%1問目 ").arg(history->QuestionNumber(position)) + question;
}

QString SpokenVerdict(bool right, const QString& answer) {
  return right ? QStringLiteral("正解") : QStringLiteral("不正解。正しい答えは ") + answer;
}

QString SpokenAnswer(const QString& answer) {
  return QStringLiteral("答えは ") + answer;
}

void ShowExplanation(IDialogs& dialogs, const TTango* entry, const QWidget& quiz) {
  if (!entry || (entry->Setsumei.empty() && entry->Url.empty())) return;
  frmWBKSetsumei->ShowTexts(FromCp932(entry->Setsumei), FromCp932(entry->Url));
  frmWBKSetsumei->adjustSize();
  // Its own frame is not known before it is shown: the quiz window's is the same kind.
  const QSize frame = quiz.frameGeometry().size() - quiz.size();
  frmWBKSetsumei->move(BesideQuiz(quiz.frameGeometry(), frmWBKSetsumei->size() + frame,
                                  quiz.screen()->availableGeometry()));
  dialogs.ShowModal(*frmWBKSetsumei);
}

QPoint BesideQuiz(const QRect& frame, const QSize& size, const QRect& room) {
  // Moved along the quiz window's side as far as needed to stay on the screen.
  const auto x = [&](int left) {
    return std::clamp(left, room.left(), std::max(room.left(), room.right() + 1 - size.width()));
  };
  const auto y = [&](int top) {
    return std::clamp(top, room.top(), std::max(room.top(), room.bottom() + 1 - size.height()));
  };
  const QPoint candidates[] = {
      {x(frame.left()), frame.bottom() + 1},
      {frame.right() + 1, y(frame.top())},
      {frame.left() - size.width(), y(frame.top())},
      {x(frame.left()), frame.top() - size.height()},
  };
  for (const QPoint& at : candidates)
    if (room.contains(QRect(at, size))) return at;
  return {x(frame.left()), y(frame.bottom() + 1)};
}

void ShowResultsAside(QWidget& quiz, const TRirekiList& history) {
  const bool shown = quiz.isVisible();
  if (shown) quiz.hide();
  frmSeiseki->ShowResults(history);
  if (shown) quiz.show();
}

void OpenQuiz(QWidget& quiz, QLabel& heading, TImage& image, const TTangoList& list,
              const QString& caption) {
  const QString title = ShowControls(FromCp932(list.Title));
  heading.setText(title);
  quiz.setWindowTitle(QStringLiteral("Norumi! > ") +
                      (caption.isEmpty() ? QStringLiteral("単語出題 > ") + title : caption));
  frmKeyboard->AttachImage(&image);
}

void FinishQuiz(QWidget& quiz, const QuizSession& session) {
  frmKeyboard->Keyboard.Clear();
  ShowResultsAside(quiz, *session.History());
}

int RunQuiz(IDialogs& dialogs, QDialog& quiz, const QuizSession& session) {
  if (session.Current() != QuizSession::State::Finished) return dialogs.ShowModal(quiz);
  if (session.Drill()) FinishQuiz(quiz, session);
  return kModalOk;
}

}  // namespace norumi
