// SPDX-License-Identifier: GPL-3.0-or-later
#include "session/ReviewPlan.h"

#include <map>
#include <set>

#include "storage/FileErrors.h"

namespace norumi {

namespace fs = std::filesystem;
using review::CardKey;
using review::Direction;
using review::SightOf;
using review::WordKey;
using review::WordSight;

namespace {

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
  // Each word file holding due cards is read once. A card's word is looked for where it lay
  // when last answered; only a file whose words have moved is looked through.
  std::vector<std::optional<Card>> found(due.size());
  std::map<std::string, std::optional<size_t>> files;
  std::map<size_t, std::map<WordKey, int32_t, review::WordOrder>> moved;  // by file
  for (size_t c = 0; c < due.size(); ++c) {
    const review::DueCard& card = due[c];
    auto [at, added] = files.try_emplace(card.key.fileName);
    if (added) {
      const auto path = review::WordFileOfCard(book.Folder(), card.key.fileName);
      std::error_code error;
      // A file renamed or deleted leaves its cards unasked, for `wbk review --prune`.
      if (path && fs::is_regular_file(*path, error)) at->second = Load(*path);
    }
    if (!at->second) continue;
    const size_t file = *at->second;
    TTangoList& list = *files_[file].list;
    const WordSight key(card.key.hangul, card.key.japan);
    const int32_t hint = card.wordIndex;
    if (hint >= 0 && hint < list.Count() && SightOf(list.View(hint)) == key)
      found[c] = Card{file, hint, DirectionOf(card.key.direction)};
    else
      moved[file].emplace(WordKey(key.first, key.second), -1);
  }
  for (auto& [file, words] : moved) {
    // The plan's own copy of the file: each word is unmasked where it lies, once.
    TTangoList& list = *files_[file].list;
    size_t seen = 0;
    for (int32_t i = 0; i < list.Count() && seen < words.size(); ++i) {
      const auto at = words.find(SightOf(list.View(i)));
      if (at == words.end() || at->second >= 0) continue;
      at->second = i;
      ++seen;
    }
  }
  for (size_t c = 0; c < due.size(); ++c) {
    if (found[c]) {
      queue_.push_back(*found[c]);
      continue;
    }
    const auto file = files.find(due[c].key.fileName)->second;
    if (!file) continue;
    const auto words = moved.find(*file);
    // A word edited or deleted since is no longer in its file: its card waits, unasked.
    const auto at = words->second.find(WordSight(due[c].key.hangul, due[c].key.japan));
    if (at->second >= 0) queue_.push_back({*file, at->second, DirectionOf(due[c].key.direction)});
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
    // A file whose every word was met both ways, and which has not changed since, is passed by.
    const std::optional<review::FileStamp> stamp = review::StampOf(path);
    if (stamp && store.AllMet(book.Learner(), name, *stamp)) continue;
    const review::FileCards cards(store.Cards(book.Learner(), name));
    const auto file = Load(path);
    if (!file) continue;
    TTangoList& list = *files_[*file].list;
    std::set<WordKey, review::WordOrder> taken;  // a word the file holds twice is one card
    bool allMet = true;                          // every word looked at has both cards
    int32_t i = 0;
    for (; i < list.Count() && wanted > 0; ++i) {
      const TangoView view = list.View(i);
      if (!Askable(view)) continue;
      const WordSight word = SightOf(view);
      if (taken.contains(word)) continue;
      if (cards.Has(Direction::KoreanToJapanese, word) &&
          cards.Has(Direction::JapaneseToKorean, word))
        continue;
      allMet = false;
      QuizDirection direction = QuizDirection::KoreanToJapanese;
      if (cards.Has(Direction::KoreanToJapanese, word)) {
        // The other way round only once the word has been answered on a day before today.
        const auto first = store.Memory({book.Learner(), name, std::string(word.first),
                                         std::string(word.second), Direction::KoreanToJapanese});
        if (!first || first->lastReview >= day.start) continue;
        direction = QuizDirection::JapaneseToKorean;
      }
      taken.emplace(word.first, word.second);
      queue_.push_back({*file, i, direction});
      --wanted;
    }
    if (allMet && i == list.Count() && stamp && review::StampOf(path) == stamp)
      store.NoteAllMet(book.Learner(), name, *stamp);
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
