// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/ReviewBook.h"

namespace norumi {

namespace fs = std::filesystem;
using review::ReviewStoreError;

namespace {

QString Reason(const ReviewStoreError& failure) {
  switch (failure.WhatKind()) {
    case ReviewStoreError::Kind::Damaged:
      return QStringLiteral("復習の記録 review.db が壊れています");
    case ReviewStoreError::Kind::NotADatabase:
      return QStringLiteral("review.db が復習の記録ではありません");
    case ReviewStoreError::Kind::Newer:
      return QStringLiteral("復習の記録 review.db が新しい版のノルミ！で作られています");
    case ReviewStoreError::Kind::Locked:
      return QStringLiteral("復習の記録 review.db を他のプログラムが使い続けています");
    case ReviewStoreError::Kind::NotWritable:
      return QStringLiteral("復習の記録 review.db に書き込めません（読み取り専用）");
    case ReviewStoreError::Kind::DiskFull:
      return QStringLiteral("ディスクがいっぱいで復習の記録に書き込めません");
    case ReviewStoreError::Kind::Other:
      break;
  }
  return QStringLiteral("復習の記録を使えません（%1）").arg(QString::fromUtf8(failure.what()));
}

}  // namespace

ReviewBook::ReviewBook(fs::path wordFolder, std::string learner, const ReviewSettings& settings)
    : folder_(std::move(wordFolder)),
      learner_(std::move(learner)),
      settings_(settings),
      scheduler_(settings.scheduler) {}

ReviewBook::~ReviewBook() = default;

bool ReviewBook::Open() {
  if (store_) return true;
  try {
    store_ = std::make_unique<review::ReviewStore>(folder_);
    why_.clear();
  } catch (const ReviewStoreError& failure) {
    why_ = Reason(failure);
  }
  return store_ != nullptr;
}

bool ReviewBook::Reopen() {
  store_.reset();
  return Open();
}

void ReviewBook::TurnOff(const ReviewStoreError& failure) {
  store_.reset();
  why_ = Reason(failure);
}

review::CardKey ReviewBook::CardOf(const fs::path& wordFile, const TTango& word,
                                   QuizDirection direction) const {
  return {learner_, review::CardFileName(folder_, wordFile), review::HangulKey(word.Hangul),
          word.Japan,
          direction == QuizDirection::KoreanToJapanese ? review::Direction::KoreanToJapanese
                                                       : review::Direction::JapaneseToKorean};
}

void ReviewBook::Record(const review::CardKey& key, const ReviewedAnswer& answer,
                        int32_t wordIndex) {
  if (!Open()) return;
  try {
    const review::CardMemory before = store_->Memory(key).value_or(review::CardMemory{});
    // The seed names the card and its review, so that the log replays to the same schedule.
    const std::string card = key.fileName + '\t' + key.hangul + '\t' + key.japan + '\t' +
                             std::to_string(int(key.direction));
    review::ReviewEntry entry;
    entry.time = answer.time;
    entry.rating = answer.rating;
    entry.elapsedDays = before.IsNew() ? 0 : double(scheduler_.ElapsedDays(before, answer.time));
    entry.before = before;
    entry.after = scheduler_.Review(before, answer.rating, answer.time,
                                    review::ReviewSeed(card, before.reps));
    entry.answerMs = answer.answerMs;
    entry.wordIndex = wordIndex;
    store_->Record(key, entry);
  } catch (const ReviewStoreError& failure) {
    TurnOff(failure);
  }
}

QuizSession::ReviewTaker ReviewBook::TakerFor(FileOfWord fileOf) {
  return [this, fileOf = std::move(fileOf)](const ReviewedAnswer& answer) {
    if (const auto place = fileOf(answer.index))
      Record(CardOf(place->file, answer.word, answer.direction), answer, place->index);
  };
}

}  // namespace norumi
