// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "review/Fsrs.h"
#include "review/ReviewStore.h"
#include "session/QuizSession.h"

namespace norumi {

// What the learner may set of the spaced review.
struct ReviewSettings {
  static constexpr int kMaxNewPerDay = 999;
  int newPerDay = 20;  // words first asked in a day
  review::FsrsParameters scheduler;
};

// One learner's spaced review in a word folder: the record in its review.db and the scheduler
// over it. It never stops a quiz: a record that cannot be opened or written turns the review
// off, saying why, until it opens again.
class ReviewBook {
 public:
  // `learner`: the learner's name in UTF-8.
  ReviewBook(std::filesystem::path wordFolder, std::string learner, const ReviewSettings& settings);
  ~ReviewBook();

  // Opens the record unless it is open; true when it is.
  bool Open();
  // Opens the record afresh: a file replaced or deleted since is not written through the old
  // connection, where the answers would be lost.
  bool Reopen();
  // Why the review is off, for the learner; empty while it is on.
  const QString& Why() const { return why_; }
  // The record, or none while the review is off.
  review::ReviewStore* Store() { return store_.get(); }
  const ReviewSettings& Settings() const { return settings_; }
  const std::string& Learner() const { return learner_; }
  const std::filesystem::path& Folder() const { return folder_; }

  // The card of `word`, a word of `wordFile`, asked in `direction`.
  review::CardKey CardOf(const std::filesystem::path& wordFile, const TTango& word,
                         QuizDirection direction) const;
  // Schedules the card anew from the answer and records both, with where the word lies in its
  // file (-1: not known). A record that fails turns the review off; the answer is lost to the
  // review only.
  void Record(const review::CardKey& key, const ReviewedAnswer& answer, int32_t wordIndex);
  // Where a word of a list lies: its word file, and its index there when known (-1 when not).
  struct WordPlace {
    std::filesystem::path file;
    int32_t index = -1;
  };
  // Where each word of a list came from, by its index in the list (-1 for a word received
  // alone); none for a word of no file of the folder, whose answers are no reviews.
  using FileOfWord = std::function<std::optional<WordPlace>(int32_t index)>;
  // A taker of a session's answers, each the review of its word's card.
  QuizSession::ReviewTaker TakerFor(FileOfWord fileOf);

  // Turns the review off for `failure`; any later use opens the record again.
  void TurnOff(const review::ReviewStoreError& failure);

 private:
  std::filesystem::path folder_;
  std::string learner_;
  ReviewSettings settings_;
  review::Scheduler scheduler_;
  std::unique_ptr<review::ReviewStore> store_;
  QString why_;
};

}  // namespace norumi
