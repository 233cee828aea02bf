// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/QuizRun.h"

#include <string_view>

#include "model/WordFileUpdate.h"
#include "storage/FileErrors.h"
#include "storage/SafeSave.h"
#include "storage/WordFileLock.h"

namespace norumi {

namespace fs = std::filesystem;

namespace {

// How a quiz names itself in the lock file it holds.
constexpr std::string_view kQuizWindow = "出題";

}  // namespace

QuizRun::QuizRun(const std::vector<std::optional<fs::path>>& sources,
                 const std::optional<fs::path>& combinedFile)
    : combined_(sources.size() != 1) {
  target_ = combined_ ? combinedFile : sources.front();
  // A link to a word file of the folder saves into that file, and stays a link.
  if (target_) target_ = SaveTargetOf(*target_);
}

QuizRun::~QuizRun() = default;

void QuizRun::Lock() {
  // The file the quiz writes stays locked from the load to the save, so that no other writer
  // changes it in between.
  lock_.reset();
  unsaved_ = nullptr;
  try {
    if (const auto obstacle = WriteObstacle(*target_)) throw EFCreateError(*target_, *obstacle);
    lock_ = std::make_unique<WordFileLock>(*target_, kWindowLockWait, kQuizWindow);
  } catch (const EFCreateError&) {
    unsaved_ = std::current_exception();
  }
  // A file deleted since it was listed is not made anew from an empty quiz.
  std::error_code error;
  if (!combined_ && !fs::exists(*target_, error)) throw EFOpenError(*target_);
}

std::unique_ptr<TTangoList> QuizRun::Previous() const {
  if (!combined_) return nullptr;
  // One that is to be written over must be whole: what a damaged one lost would be gone once
  // the new list replaced it.
  const bool written = !unsaved_;
  auto list = std::make_unique<TTangoList>();
  LoadStatus status = LoadStatus::Missing;
  try {
    status = list->LoadFromFile(*target_);
  } catch (const EFileError&) {
    if (written) throw;
  }
  if (written && IsDamaged(status)) throw EFDamagedError(*target_);
  if (status != LoadStatus::Intact) return nullptr;
  return list;
}

void QuizRun::Take(std::unique_ptr<TTangoList> list, const std::string& learner) {
  list_ = std::move(list);
  // A word file is tied to one learner: whoever else opens it starts with an empty history.
  if (!list_->UserName.empty() && list_->UserName == learner) return;
  list_->UserName = learner;
  for (TRirekiList* history : {&list_->RirekiKor2Jap, &list_->RirekiJap2Kor}) {
    history->ClearRecords();
    history->ResetDrill();
  }
}

bool QuizRun::Ready(QuizDirection direction, const QuestionChoice& choice) {
  TRirekiList& history = HistoryOf(*list_, direction);
  if (history.InProgress) return true;
  history.SelectQuestions(list_->Count(), choice.wanted.value_or(list_->Count()), choice.random,
                          choice.onlyWrong);
  return false;
}

int QuizRun::Save(const std::function<bool(const EFileError&)>& retry) {
  if (unsaved_) return -1;
  for (;;) {
    try {
      return SaveUnderLock(
          lock_, *list_, *target_, [&] { list_->SaveToFile(*target_); }, kWindowLockWait,
          kQuizWindow);
    } catch (const EFileError& error) {
      if (!retry(error)) return -1;
    }
  }
}

}  // namespace norumi
