#pragma once

#include "model/TangoList.h"

class QLabel;
class QWidget;

namespace norumi {

class IDialogs;

// The steps both quiz windows take alike.

// The judgement mark: a blue ○ or a red ×.
void ShowMark(QLabel& mark, bool right);
// Commentary mode 0 explains after every answer, 1 only after a wrong one, any other never.
bool WantsExplanation(int32_t kaisetsu, bool right);
// The explanation window on `entry`, unless it has neither text nor address.
void ShowExplanation(IDialogs& dialogs, const TTango* entry);
// Closes the drill and shows its results, the quiz window stepping aside meanwhile (a drill
// ended before its window opened shows its results alone).
void FinishWithResults(QWidget& quiz, TRirekiList& history);

}  // namespace norumi
