#include "quiz/QuizSteps.h"

#include <QLabel>

#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/text/Cp932.h"
#include "quiz/Seiseki.h"
#include "quiz/Setsumei.h"

namespace norumi {

void ShowMark(QLabel& mark, bool right) {
  SetColor(&mark, QPalette::WindowText, right ? Qt::blue : Qt::red);
  mark.setText(right ? QStringLiteral("○") : QStringLiteral("×"));
}

bool WantsExplanation(int32_t kaisetsu, bool right) {
  return kaisetsu == 0 || (kaisetsu == 1 && !right);
}

void ShowExplanation(IDialogs& dialogs, const TTango* entry) {
  if (!entry || (entry->Setsumei.empty() && entry->Url.empty())) return;
  frmWBKSetsumei->lbSetsumei->setText(FromCp932(entry->Setsumei));
  frmWBKSetsumei->lbUrl->setText(FromCp932(entry->Url));
  dialogs.ShowModal(*frmWBKSetsumei);
}

void FinishWithResults(QWidget& quiz, TRirekiList& history) {
  history.FinishDrill();
  const bool shown = quiz.isVisible();
  if (shown) quiz.hide();
  frmSeiseki->ShowResults(history);
  if (shown) quiz.show();
}

}  // namespace norumi
