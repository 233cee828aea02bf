// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/MailCodeInput.h"

#include <QStringList>

#include "editor/Regist.h"
#include "hangul/core/Compose.h"
#include "model/MailCode.h"
#include "model/TangoList.h"
#include "model/WordFileUpdate.h"
#include "platform/text/CodeLines.h"
#include "platform/text/WordFileName.h"
#include "quiz/Jap2Kor.h"
#include "quiz/Kor2Jap.h"
#include "session/QuizSession.h"
#include "session/ReviewBook.h"
#include "storage/FileErrors.h"
#include "storage/WordFileLock.h"

namespace norumi {

CodeInput ReceiveMailCode(const QString& text, const std::filesystem::path& folder,
                          ReviewBook* reviews) {
  // A code is small: anything larger is not one, and is refused before it is split into lines.
  if (!MailCodeInputFits(size_t(text.size()))) return CodeInput::Unreadable;
  TTangoList list;
  TextLines lines = CodeLines(text);
  if (list.HeaderFromMailCode(lines) != kMailCodeOk) return CodeInput::Unreadable;
  // The title comes from anyone's newsletter: it must name a file of the folder and no other.
  const auto path = WordFilePath(folder, list.Title);
  if (!path) return CodeInput::Unreadable;
  // Read and written back under the file's lock, so that no other writer changes it between.
  constexpr std::string_view kWindow = "メルマガコード入力";
  auto lock = std::make_unique<WordFileLock>(*path, kWindowLockWait, kWindow);
  const LoadStatus status = list.LoadFromFile(*path);
  // Read again, so that the code's creator, title and URL replace the file's.
  lines = CodeLines(text);
  list.HeaderFromMailCode(lines);
  TTango entry;
  if (entry.FromMailCode(lines) != kMailCodeOk) return CodeInput::Unreadable;
  // A code written elsewhere may carry the word decomposed; it is shown and judged as syllables.
  entry.Hangul = ComposeJamo(std::move(entry.Hangul));

  if (entry.DisplayOnly) {
    frmRegist->ShowDisplayOnly(list, entry);
    return CodeInput::Shown;
  }
  // Saving what a damaged file let us read would lose the rest of its words for good.
  if (IsDamaged(status)) throw EFDamagedError(*path);
  if (!list.Contains(entry)) list.AddCopy(entry);
  frmRegist->ShowDisplayOnly(list, entry);
  // Asked once each way, as a word of the file yet recorded in neither history.
  QuizSession toJapanese(list, QuizDirection::KoreanToJapanese, entry);
  QuizSession toKorean(list, QuizDirection::JapaneseToKorean, entry);
  if (reviews) {
    const auto file = [&](int32_t) { return std::optional(ReviewBook::WordPlace{*path}); };
    toJapanese.TakeReviews(reviews->TakerFor(file));
    toKorean.TakeReviews(reviews->TakerFor(file));
  }
  frmKor2Jap->StartSession(toJapanese);
  frmJap2Kor->StartSession(toKorean);
  // The word was shown and asked meanwhile: what another writer saved by then is kept too.
  SaveUnderLock(
      lock, list, *path, [&] { list.SaveToFile(*path); }, kWindowLockWait, kWindow);
  return CodeInput::Stored;
}

}  // namespace norumi
