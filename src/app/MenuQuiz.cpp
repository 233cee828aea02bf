// SPDX-License-Identifier: GPL-3.0-or-later
// The road of one quiz, from the selection of its files to the saving of its answers.
#include <QCheckBox>
#include <QLineEdit>
#include <optional>

#include "app/WbkMenu.h"
#include "files/WbkDialog.h"
#include "files/WordFolder.h"
#include "model/FileErrors.h"
#include "model/WordFileLock.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionDisplay.h"
#include "platform/text/Cp932.h"
#include "platform/text/WordFileName.h"
#include "quiz/Jap2Kor.h"
#include "quiz/Kor2Jap.h"

namespace norumi {

namespace fs = std::filesystem;

namespace {

// How a quiz names itself in the lock file it holds.
constexpr std::string_view kQuizWindow = "出題";

// A new learner starts both histories afresh.
void TakeLearner(TTangoList& list, const std::string& user) {
  if (!list.UserName.empty() && list.UserName == user) return;
  list.UserName = user;
  for (TRirekiList* history : {&list.RirekiKor2Jap, &list.RirekiJap2Kor}) {
    history->ClearRecords();
    history->ResetDrill();
  }
}

// The combined file as the last combined quiz left it, whose histories the new one takes; none
// when there is none to read. One that is to be written over must be whole: what a damaged
// one lost would be gone once the new list replaced it.
std::unique_ptr<TTangoList> LoadCombined(const fs::path& file, bool written) {
  auto list = std::make_unique<TTangoList>();
  LoadStatus status = LoadStatus::Missing;
  try {
    status = list->LoadFromFile(file);
  } catch (const EFileError&) {
    if (written) throw;
  }
  if (written && IsDamaged(status)) throw EFDamagedError(file);
  if (status != LoadStatus::Intact) return nullptr;
  return list;
}

}  // namespace

void TfrmWBKMenu::RunQuiz(bool koreanToJapanese) {
  hide();
  const QString caption =
      koreanToJapanese ? QStringLiteral("出題(韓->日)") : QStringLiteral("出題(日->韓)");
  // Whatever happens on the way, the menu comes back; an error is shown, not fatal.
  RunHandler(services_.dialogs, this, [&] {
    frmWBKDialog->teachMode = teachMode;
    frmWBKDialog->userName = userName;
    if (frmWBKDialog->Execute(false) == kModalCancel) return;
    // A quiz on one file goes back to the file it read, whatever title that file holds (a copy
    // keeps the title of its original); a combined quiz goes to a file of its own.
    const std::vector<std::optional<fs::path>> sources = frmWBKDialog->CheckedFilePaths();
    const bool combined = sources.size() != 1;
    std::optional<fs::path> target =
        combined ? WordFilePath(services_.wordFolder, CombinedTitle()) : sources.front();
    // A link to a word file of the folder saves into that file, and stays a link.
    if (target) target = SaveTargetOf(*target);
    if (!target)
      throw EFOpenError(services_.wordFolder /
                        ToPath(frmWBKDialog->CheckedFileName() + QStringLiteral(".wbk")));

    // The file the quiz writes stays locked from the load to the save, so that no other writer
    // changes it in between. One that cannot be written at all leaves a quiz that saves nothing.
    std::unique_ptr<WordFileLock> lock;
    std::optional<QString> unsaved;
    const bool go = RetryWhileLocked(services_.dialogs, this, [&] {
      lock.reset();
      unsaved.reset();
      try {
        if (const auto obstacle = WriteObstacle(*target)) throw EFCreateError(*target, *obstacle);
        lock = std::make_unique<WordFileLock>(*target, kWindowLockWait, kQuizWindow);
      } catch (const EFCreateError& error) {
        unsaved = ExceptionMessage(error);
      }
    });
    if (!go) return;
    // A file deleted since it was listed is not made anew from an empty quiz.
    std::error_code error;
    if (!combined && !fs::exists(*target, error)) throw EFOpenError(*target);
    if (unsaved) {
      services_.dialogs.MessageBox(
          this, *unsaved + QStringLiteral("\nこのまま出題しますが、成績は保存されません。"),
          caption, MsgIcon::Information);
    }
    const std::unique_ptr<TTangoList> saved = combined ? LoadCombined(*target, !unsaved) : nullptr;
    const std::unique_ptr<TTangoList> list = frmWBKDialog->BuildWordList(saved.get());
    TakeLearner(*list, ToCp932(userName).value_or(std::string()));

    TRirekiList& history = koreanToJapanese ? list->RirekiKor2Jap : list->RirekiJap2Kor;
    if (history.InProgress) {
      services_.dialogs.MessageBox(this, QStringLiteral("前回の続きからです"), caption,
                                   MsgIcon::Information);
    } else {
      bool isNumber = false;
      const int wanted = frmWBKDialog->edNum->text().toInt(&isNumber);
      history.SelectQuestions(list->Count(), isNumber ? wanted : list->Count(),
                              frmWBKDialog->cbRandom->isChecked(),
                              frmWBKDialog->cbHist->isChecked());
    }
    if (koreanToJapanese)
      frmKor2Jap->StartQuiz(*list);
    else
      frmJap2Kor->StartQuiz(*list);
    if (!unsaved) SaveQuiz(*list, *target, lock, caption);
  });
  ShowAgain(koreanToJapanese ? btK2J : btJ2K);
}

void TfrmWBKMenu::SaveQuiz(TTangoList& list, const fs::path& file,
                           std::unique_ptr<WordFileLock>& lock, const QString& caption) {
  for (;;) {
    try {
      const int added = SaveUnderLock(
          lock, list, file, [&] { list.SaveToFile(file); }, kWindowLockWait, kQuizWindow);
      if (added >= 0)
        services_.dialogs.MessageBox(this, RelockedMessage(file, added), caption,
                                     MsgIcon::Information);
      return;
    } catch (const EFileError& error) {
      // The answers are still in memory: space can be freed, or the file made writable.
      const QString text = ExceptionMessage(error) +
                           QStringLiteral("\n成績を保存できませんでした。再試行しますか？");
      if (services_.dialogs.MessageBox(this, text, caption, MsgIcon::Stop,
                                       MsgButtons::RetryCancel) != MsgAnswer::Retry)
        return;
    }
  }
}

}  // namespace norumi
