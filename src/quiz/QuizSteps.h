#pragma once

#include "model/TangoList.h"

class QLabel;
class QPoint;
class QRect;
class QSize;
class QWidget;

namespace norumi {

class IDialogs;

// The steps both quiz windows take alike.

// The judgement mark: a blue ○ or a red ×.
void ShowMark(QLabel& mark, bool right);
// Commentary mode 0 explains after every answer, 1 only after a wrong one, any other never.
bool WantsExplanation(int32_t kaisetsu, bool right);
// The explanation window on `entry`, unless it has neither text nor address, beside `quiz`.
void ShowExplanation(IDialogs& dialogs, const TTango* entry, const QWidget& quiz);
// Where a window of `size` (with its frame) goes beside the quiz window's `frame` on a screen of
// `room`, so that the question and the answer stay in sight: below it, else to its right, else
// to its left, else above it; where none has room, below it as far as the screen allows.
QPoint BesideQuiz(const QRect& frame, const QSize& size, const QRect& room);
// Closes the drill and shows its results, the quiz window stepping aside meanwhile (a drill
// ended before its window opened shows its results alone).
void FinishWithResults(QWidget& quiz, TRirekiList& history);

}  // namespace norumi
