// SPDX-License-Identifier: GPL-3.0-or-later
// The road of one quiz, from the selection of its files to the saving of its answers: the
// session layer walks it, the menu says what it found.
#include <QCheckBox>
#include <QLineEdit>
#include <algorithm>

#include "app/WbkMenu.h"
#include "files/WbkDialog.h"
#include "files/WordFolder.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionDisplay.h"
#include "platform/text/Cp932.h"
#include "platform/text/WordFileName.h"
#include "platform/text/WordFilePath.h"
#include "quiz/Jap2Kor.h"
#include "quiz/Kor2Jap.h"
#include "session/QuizRun.h"
#include "session/ReviewBook.h"
#include "storage/FileErrors.h"

namespace norumi {

namespace {

QString MessageOf(const std::exception_ptr& error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    return ExceptionMessage(e);
  }
}

// The questions a new drill asks, as the selection window's settings say.
QuestionChoice ChosenQuestions() {
  bool isNumber = false;
  const int wanted = frmWBKDialog->edNum->text().toInt(&isNumber);
  return {isNumber ? std::optional<int32_t>(wanted) : std::nullopt,
          frmWBKDialog->cbRandom->isChecked(), frmWBKDialog->cbHist->isChecked()};
}

}  // namespace

void TfrmWBKMenu::RunQuiz(bool koreanToJapanese) {
  hide();
  const QString caption =
      koreanToJapanese ? QStringLiteral("出題(韓->日)") : QStringLiteral("出題(日->韓)");
  const QuizDirection direction =
      koreanToJapanese ? QuizDirection::KoreanToJapanese : QuizDirection::JapaneseToKorean;
  // Whatever happens on the way, the menu comes back; an error is shown, not fatal.
  RunHandler(services_.dialogs, this, [&] {
    frmWBKDialog->teachMode = teachMode;
    frmWBKDialog->userName = userName;
    if (frmWBKDialog->Execute(false) == kModalCancel) return;
    const auto sources = frmWBKDialog->CheckedFilePaths();
    QuizRun run(sources, WordFilePath(services_.wordFolder, CombinedTitle()));
    if (!run.Target())
      throw EFOpenError(services_.wordFolder /
                        ToPath(frmWBKDialog->CheckedFileName() +
                               QString::fromStdU16String(std::u16string(kWordFileExtension))));
    if (!RetryWhileLocked(services_.dialogs, this, [&] { run.Lock(); })) return;
    if (run.Unsaved()) {
      services_.dialogs.MessageBox(
          this,
          MessageOf(run.Unsaved()) +
              QStringLiteral("\nこのまま出題しますが、成績は保存されません。"),
          caption, MsgIcon::Information);
    }
    const std::unique_ptr<TTangoList> previous = run.Previous();
    std::vector<int> ends;
    run.Take(frmWBKDialog->BuildWordList(previous.get(), &ends),
             ToCp932(userName).value_or(std::string()));
    if (run.Ready(direction, ChosenQuestions())) {
      services_.dialogs.MessageBox(this, QStringLiteral("前回の続きからです"), caption,
                                   MsgIcon::Information);
    }
    QuizSession session(run.List(), direction);
    // Every answer is a review of its word, in the word file it came from. The first file's
    // words keep their places in the list; a later file's may not, as words met before are
    // left out of it.
    if (reviews_)
      session.TakeReviews(reviews_->TakerFor([&](int32_t index) {
        const auto source =
            size_t(std::upper_bound(ends.begin(), ends.end(), index) - ends.begin());
        if (source >= sources.size() || !sources[source])
          return std::optional<ReviewBook::WordPlace>();
        return std::optional(ReviewBook::WordPlace{*sources[source], source == 0 ? index : -1});
      }));
    if (koreanToJapanese)
      frmKor2Jap->StartSession(session);
    else
      frmJap2Kor->StartSession(session);
    SaveQuiz(run, caption);
  });
  ShowAgain(koreanToJapanese ? btK2J : btJ2K);
}

void TfrmWBKMenu::SaveQuiz(QuizRun& run, const QString& caption) {
  const int added = run.Save([&](const EFileError& error) {
    // The answers are still in memory: space can be freed, or the file made writable.
    const QString text =
        ExceptionMessage(error) + QStringLiteral("\n成績を保存できませんでした。再試行しますか？");
    return services_.dialogs.MessageBox(this, text, caption, MsgIcon::Stop,
                                        MsgButtons::RetryCancel) == MsgAnswer::Retry;
  });
  if (added >= 0)
    services_.dialogs.MessageBox(this, RelockedMessage(*run.Target(), added), caption,
                                 MsgIcon::Information);
}

}  // namespace norumi
