// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <optional>

#include "model/TangoList.h"
#include "review/CardMemory.h"

class QDialog;
class QKeyEvent;
class QLabel;
class QPoint;
class QPushButton;
class QRect;
class QSize;
class QWidget;

namespace norumi {

class IDialogs;
class QuizSession;
class TImage;

// The steps both quiz windows take alike.

// The judgement mark: a blue ○ or a red ×.
void ShowMark(QLabel& mark, bool right);
// "正解にする" (F2): after an answer judged wrong, the learner who checked the answer may count
// it as right (a synonym or a paraphrase the file does not list). Hidden until then; it keeps its
// place meanwhile, so that the window does not jump.
QPushButton* MarkRightButton();
// "難しい" and "簡単": in the spaced review, the learner who answered right says how it came
// ("次へ" leaves it Good). Hidden, keeping their place, until such an answer.
QPushButton* RatingButton(const char* name, const QString& caption, const QString& key);
// Shows the rating buttons where the session takes ratings and the answer was right.
void ShowRatings(const QuizSession& session, QPushButton& hard, QPushButton& easy);
// The rating a key gives a judged answer in the spaced review: 1 Again, 2 Hard, 3 Good, 4 Easy
// (2 to 4 only for a right one). None for any other key, or in a quiz that takes no ratings.
std::optional<review::Rating> KeyedRating(const QuizSession* session, const QKeyEvent& key);
// Rates the answer judged in the spaced review; true when the learner goes on with that rating
// (Again stands for a wrong answer, which takes no other).
bool RateAnswer(QuizSession* session, review::Rating rating);
// What a screen reader says of the question, with its number in a drill (none in single-word
// mode): "3問目 개".
QString SpokenQuestion(const TRirekiList* history, int32_t position, const QString& question);
// The verdict in words, and for a wrong answer the right one: "不正解。正しい答えは 犬".
QString SpokenVerdict(bool right, const QString& answer);
// The right answer that "答え" shows.
QString SpokenAnswer(const QString& answer);
// The explanation window on `entry`, unless it has neither text nor address, beside `quiz`.
void ShowExplanation(IDialogs& dialogs, const TTango* entry, const QWidget& quiz);
// Where a window of `size` (with its frame) goes beside the quiz window's `frame` on a screen of
// `room`, so that the question and the answer stay in sight: below it, else to its right, else
// to its left, else above it; where none has room, below it as far as the screen allows.
QPoint BesideQuiz(const QRect& frame, const QSize& size, const QRect& room);
// Shows the results of the drill just finished, the quiz window stepping aside meanwhile (a drill
// ended before its window opened shows its results alone).
void ShowResultsAside(QWidget& quiz, const TRirekiList& history);
// What both windows do at each opening: the list's title as caption and heading, and the shared
// keyboard's drawing on `image`, emptied so that nothing pasted elsewhere carries over. A
// `caption` replaces the quiz's own in the window title ("今日の復習 あと 24 語").
void OpenQuiz(QWidget& quiz, QLabel& heading, TImage& image, const TTangoList& list,
              const QString& caption = {});
// The end of a drill: the shared keyboard emptied, and the results shown with the quiz aside.
void FinishQuiz(QWidget& quiz, const QuizSession& session);
// The quiz window shown modally on its session, its modal result returned; a drill with nothing
// left to ask has nothing to show and shows its results alone.
int RunQuiz(IDialogs& dialogs, QDialog& quiz, const QuizSession& session);

}  // namespace norumi
