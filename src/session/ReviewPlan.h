// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "model/TangoList.h"
#include "session/ReviewBook.h"

namespace norumi {

// The learner's day, as local midnights: the review counts the days a learner lives.
struct ReviewDay {
  int64_t now = 0;
  int64_t start = 0;  // today's midnight
  int64_t end = 0;    // tomorrow's
};

// The day's spaced review: the cards due today from every word file, the most overdue first,
// then the day's new words from the word files in the order the selection lists them. A word
// file is loaded only when one of its words is asked, and never written. A card answered
// wrongly comes back once more at the end.
//
// A new word is asked from Korean first; its Japanese-to-Korean card joins a later review, once
// the first has been learned on a day before, so that one answer never gives away the other.
class ReviewPlan {
 public:
  struct Card {
    size_t file;  // among the plan's word files
    int32_t index;
    QuizDirection direction;
    bool again = false;  // asked once more after a wrong answer
  };
  struct File {
    std::filesystem::path path;
    std::unique_ptr<TTangoList> list;  // none until one of its words is asked
  };

  // Plans the review; throws ReviewStoreError when the record fails meanwhile. `files`: the
  // word files in the selection's order.
  ReviewPlan(ReviewBook& book, const std::vector<std::filesystem::path>& files,
             const ReviewDay& day);

  // How many questions a review would ask today, as the menu shows it: the due cards and the
  // new words the day still takes, which are looked for only until there are enough.
  static int CountToday(ReviewBook& book, const std::vector<std::filesystem::path>& files,
                        const ReviewDay& day);

  int Left() const { return int(queue_.size()); }
  const Card& Current() const { return queue_.front(); }
  TTangoList& ListOf(const Card& card) const { return *files_[card.file].list; }
  const std::filesystem::path& PathOf(const Card& card) const { return files_[card.file].path; }
  // The current card was answered `rating`: a wrong answer asks it once more at the end.
  void Answered(review::Rating rating);

 private:
  void AddDue(ReviewBook& book, const ReviewDay& day);
  ReviewPlan() = default;
  void AddNew(ReviewBook& book, const std::vector<std::filesystem::path>& files,
              const ReviewDay& day, int wanted);
  // The file's place in Files(), read on first use; none for a file that cannot be read.
  std::optional<size_t> Load(const std::filesystem::path& path);

  std::vector<File> files_;
  std::deque<Card> queue_;
};

}  // namespace norumi
