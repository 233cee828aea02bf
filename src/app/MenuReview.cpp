// SPDX-License-Identifier: GPL-3.0-or-later
// The day's spaced review from the menu: its row counts what is due, and its button asks the
// cards one by one in the quiz window of each card's direction.
#include <QDate>
#include <QDateTime>
#include <QLabel>
#include <QPushButton>

#include "app/SettingsForm.h"
#include "app/WbkMenu.h"
#include "files/WbkDialog.h"
#include "hangul/view/PronunciationLine.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionDisplay.h"
#include "platform/Registry.h"
#include "platform/Spoken.h"
#include "quiz/Jap2Kor.h"
#include "quiz/Kor2Jap.h"
#include "quiz/ReviewResults.h"
#include "session/ReviewPlan.h"

namespace norumi {

namespace fs = std::filesystem;

namespace {

const QString kNewPerDayName = QStringLiteral("reviewNewPerDay");
const QString kRetentionName = QStringLiteral("reviewRetention");
constexpr int kChartDays = 30;

// What the settings file says of the review; a value missing or out of range is the default.
ReviewSettings ReadReviewSettings(IRegistry& registry) {
  ReviewSettings settings;
  bool isNumber = false;
  const int newPerDay = registry.ReadMachineString(kProgramKey, kNewPerDayName).toInt(&isNumber);
  if (isNumber && newPerDay >= 0 && newPerDay <= ReviewSettings::kMaxNewPerDay)
    settings.newPerDay = newPerDay;
  const double retention =
      registry.ReadMachineString(kProgramKey, kRetentionName).toDouble(&isNumber);
  if (isNumber && retention >= review::FsrsParameters::kMinRetention &&
      retention <= review::FsrsParameters::kMaxRetention)
    settings.scheduler.desiredRetention = retention;
  return settings;
}

void WriteReviewSettings(IRegistry& registry, const ReviewSettings& settings) {
  registry.WriteMachineString(kProgramKey, kNewPerDayName, QString::number(settings.newPerDay));
  registry.WriteMachineString(kProgramKey, kRetentionName,
                              QString::number(settings.scheduler.desiredRetention, 'f', 2));
}

// The learner's midnight `days` from today, in seconds since 1970.
int64_t Midnight(int days) {
  return QDate::currentDate().addDays(days).startOfDay().toSecsSinceEpoch();
}

ReviewDay Today() {
  return {QDateTime::currentSecsSinceEpoch(), Midnight(0), Midnight(1)};
}

std::vector<fs::path> WordFilesInOrder(const fs::path& folder) {
  std::vector<fs::path> files;
  for (auto& listed : TfrmWBKDialog::ListedFiles(folder))
    if (listed.path) files.push_back(std::move(*listed.path));
  return files;
}

// What the results show of the days around today.
ReviewSummary SummaryOf(review::ReviewStore& store, const std::string& learner) {
  std::vector<int64_t> ahead, past;
  for (int day = 1; day <= kChartDays + 1; ++day) ahead.push_back(Midnight(day));
  for (int day = 1 - kChartDays; day <= 1; ++day) past.push_back(Midnight(day));
  ReviewSummary summary;
  summary.days.dueAhead = store.DueByDay(learner, ahead);
  for (const review::DayAnswers& day : store.AnsweredByDay(learner, past)) {
    summary.days.reviewed.push_back(day.answers);
    summary.days.right.push_back(day.right);
  }
  if (!summary.days.reviewed.empty()) {
    summary.answered = summary.days.reviewed.back();
    summary.right = summary.days.right.back();
  }
  return summary;
}

}  // namespace

void TfrmWBKMenu::OpenReviews() {
  reviews_.reset();
  if (userName.isEmpty()) return;
  reviews_ = std::make_unique<ReviewBook>(services_.wordFolder, userName.toStdString(),
                                          ReadReviewSettings(services_.registry));
}

void TfrmWBKMenu::RefreshReview() {
  btReview->setText(QStringLiteral("今日の復習"));
  btReview->setEnabled(false);
  lbReview->clear();
  if (!reviews_) return;
  int count = 0;
  if (reviews_->Reopen()) {
    try {
      count = ReviewPlan::CountToday(*reviews_, WordFilesInOrder(services_.wordFolder), Today());
    } catch (const review::ReviewStoreError& failure) {
      reviews_->TurnOff(failure);
    }
  }
  if (!reviews_->Store()) {
    lbReview->setText(reviews_->Why() + QStringLiteral("。復習は休みます。"));
    return;
  }
  btReview->setText(QStringLiteral("今日の復習 (%1)").arg(count));
  btReview->setEnabled(count > 0);
}

void TfrmWBKMenu::btReviewClick() {
  RunReview();
}

void TfrmWBKMenu::btSettingsClick() {
  ProgramSettings settings{ReadReviewSettings(services_.registry),
                           PronunciationShown(services_.registry)};
  if (frmSettings->Edit(settings)) {
    WriteReviewSettings(services_.registry, settings.review);
    SetPronunciationShown(services_.registry, settings.pronunciationShown);
    OpenReviews();
  }
  RefreshReview();
  btSettings->setFocus();
}

void TfrmWBKMenu::RunReview() {
  if (!reviews_ || !reviews_->Open()) return;
  hide();
  RunHandler(services_.dialogs, this, [&] {
    std::optional<ReviewPlan> plan;
    try {
      plan.emplace(*reviews_, WordFilesInOrder(services_.wordFolder), Today());
    } catch (const review::ReviewStoreError& failure) {
      reviews_->TurnOff(failure);
      return;
    }
    int answered = 0;
    while (plan->Left() > 0) {
      const ReviewPlan::Card card = plan->Current();
      TTangoList& list = plan->ListOf(card);
      QuizSession session(list, card.direction, QuizSession::OneWord{card.index});
      const fs::path file = plan->PathOf(card);
      session.TakeReviews(reviews_->TakerFor([file](int32_t index) {
        return std::optional(ReviewBook::WordPlace{file, index});
      }));
      const QString caption = QStringLiteral("今日の復習 > あと %1 語").arg(plan->Left());
      if (card.direction == QuizDirection::KoreanToJapanese)
        frmKor2Jap->StartSession(session, caption);
      else
        frmJap2Kor->StartSession(session, caption);
      if (session.Current() != QuizSession::State::Finished) {
        // Closed on its question: the review stops here, what was answered kept.
        answered += session.Current() == QuizSession::State::Judged;
        break;
      }
      ++answered;
      plan->Answered(session.Rating());
    }
    if (answered == 0 || !reviews_->Store()) return;
    try {
      frmReviewResults->ShowResults(SummaryOf(*reviews_->Store(), reviews_->Learner()));
    } catch (const review::ReviewStoreError& failure) {
      reviews_->TurnOff(failure);
    }
  });
  ShowAgain(btReview);
}

}  // namespace norumi
