// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/ReviewPlan.h"

#include <map>
#include <set>
#include <tuple>

#include "storage/FileErrors.h"

namespace norumi {

namespace fs = std::filesystem;
using review::CardKey;
using review::Direction;

namespace {

using WordKey = std::pair<std::string, std::string>;  // the Korean's key and the meaning

WordKey KeyOf(const TangoView& word) {
  return {review::HangulKey(word.Hangul), std::string(word.Japan)};
}

// A word with nothing to show on one side cannot be asked.
bool Askable(const TangoView& word) {
  return !word.Hangul.Shown().empty() && !word.Japan.empty();
}

QuizDirection DirectionOf(Direction direction) {
  return direction == Direction::KoreanToJapanese ? QuizDirection::KoreanToJapanese
                                                  : QuizDirection::JapaneseToKorean;
}

}  // namespace

ReviewPlan::ReviewPlan(ReviewBook& book, const std::vector<fs::path>& files, const ReviewDay& day) {
  AddDue(book, day);
  review::ReviewStore& store = *book.Store();
  const int taken = store.NewSince(book.Learner(), day.start);
  AddNew(book, files, day, book.Settings().newPerDay - taken);
}

int ReviewPlan::CountToday(ReviewBook& book, const std::vector<fs::path>& files,
                           const ReviewDay& day) {
  review::ReviewStore& store = *book.Store();
  const int due = store.DueCount(book.Learner(), day.end);
  ReviewPlan fresh;
  fresh.AddNew(book, files, day,
               book.Settings().newPerDay - store.NewSince(book.Learner(), day.start));
  return due + fresh.Left();
}

std::optional<size_t> ReviewPlan::Load(const fs::path& path) {
  for (size_t i = 0; i < files_.size(); ++i)
    if (files_[i].path == path) return i;
  auto list = std::make_unique<TTangoList>();
  // The review only reads: what a damaged file still holds can be asked, and a file that cannot
  // be read at all is left out, its cards waiting for it.
  try {
    list->LoadFromFile(path);
  } catch (const EFileError&) {
    return std::nullopt;
  }
  files_.push_back({path, std::move(list)});
  return files_.size() - 1;
}

void ReviewPlan::AddDue(ReviewBook& book, const ReviewDay& day) {
  review::ReviewStore& store = *book.Store();
  const std::vector<review::DueCard> due =
      store.Due(book.Learner(), day.end, store.DueCount(book.Learner(), day.end));
  // Each word file holding due cards is read once, and its words looked at once.
  std::map<std::string, std::map<WordKey, int32_t>> wanted;
  for (const review::DueCard& card : due)
    wanted[card.key.fileName].emplace(WordKey{card.key.hangul, card.key.japan}, -1);
  std::map<std::string, size_t> fileOf;
  for (auto& [name, words] : wanted) {
    const auto path = review::WordFileOfCard(book.Folder(), name);
    std::error_code error;
    // A file renamed or deleted leaves its cards unasked, for `wbk review --prune`.
    if (!path || !fs::is_regular_file(*path, error)) continue;
    const auto file = Load(*path);
    if (!file) continue;
    fileOf[name] = *file;
    const TTangoList& list = *files_[*file].list;
    std::string scratch;
    size_t found = 0;
    for (int32_t i = 0; i < list.Count() && found < words.size(); ++i) {
      const auto at = words.find(KeyOf(list.View(i, scratch)));
      if (at == words.end() || at->second >= 0) continue;
      at->second = i;
      ++found;
    }
  }
  for (const review::DueCard& card : due) {
    const auto file = fileOf.find(card.key.fileName);
    if (file == fileOf.end()) continue;
    // A word edited or deleted since is no longer in its file: its card waits, unasked.
    const int32_t index = wanted[card.key.fileName].at(WordKey{card.key.hangul, card.key.japan});
    if (index >= 0) queue_.push_back({file->second, index, DirectionOf(card.key.direction)});
  }
}

void ReviewPlan::AddNew(ReviewBook& book, const std::vector<fs::path>& files, const ReviewDay& day,
                        int wanted) {
  review::ReviewStore& store = *book.Store();
  for (const fs::path& path : files) {
    if (wanted <= 0) return;
    std::error_code error;
    if (!fs::is_regular_file(path, error)) continue;
    const std::string name = review::CardFileName(book.Folder(), path);
    std::set<std::tuple<Direction, std::string, std::string>> cards;
    for (CardKey& key : store.Cards(book.Learner(), name))
      cards.emplace(key.direction, std::move(key.hangul), std::move(key.japan));
    const auto has = [&](Direction direction, const WordKey& word) {
      return cards.contains({direction, word.first, word.second});
    };
    const auto file = Load(path);
    if (!file) continue;
    const TTangoList& list = *files_[*file].list;
    std::set<WordKey> taken;  // a word the file holds twice is one card
    std::string scratch;
    for (int32_t i = 0; i < list.Count() && wanted > 0; ++i) {
      const TangoView view = list.View(i, scratch);
      if (!Askable(view)) continue;
      WordKey word = KeyOf(view);
      if (taken.contains(word)) continue;
      QuizDirection direction = QuizDirection::KoreanToJapanese;
      if (has(Direction::KoreanToJapanese, word)) {
        if (has(Direction::JapaneseToKorean, word)) continue;
        // The other way round only once the word has been answered on a day before today.
        const auto first = store.Memory(
            {book.Learner(), name, word.first, word.second, Direction::KoreanToJapanese});
        if (!first || first->lastReview >= day.start) continue;
        direction = QuizDirection::JapaneseToKorean;
      }
      taken.insert(std::move(word));
      queue_.push_back({*file, i, direction});
      --wanted;
    }
  }
}

void ReviewPlan::Answered(review::Rating rating) {
  Card card = queue_.front();
  queue_.pop_front();
  if (rating != review::Rating::Again || card.again) return;
  card.again = true;
  queue_.push_back(card);
}

}  // namespace norumi
