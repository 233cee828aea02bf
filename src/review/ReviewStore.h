// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/TangoView.h"
#include "review/CardMemory.h"
#include "review/Sqlite.h"

namespace norumi::review {

enum class Direction : int32_t { KoreanToJapanese = 0, JapaneseToKorean = 1 };

// The Korean of a card's key: the codes as the word file holds them (little-endian), without the
// trailing 0 cells, which show nothing; two entries that read the same share a card.
inline std::string HangulKey(CodeView codes) {
  return std::string(codes.Shown().Bytes());
}

// The name a word file's cards carry: its path within the word folder (word files may lie in
// folders under it), with "/" between folders, in UTF-8.
std::string CardFileName(const std::filesystem::path& wordFolder,
                         const std::filesystem::path& wordFile);
// The word file of a card's file name; none for a name that would lead out of the folder.
std::optional<std::filesystem::path> WordFileOfCard(const std::filesystem::path& wordFolder,
                                                    std::string_view fileName);

// What tells one version of a word file from another without reading it: its size and the time
// it was last written (in the file clock's nanoseconds). Every save of a word file writes it anew.
struct FileStamp {
  int64_t size = 0;
  int64_t modified = 0;
  friend bool operator==(const FileStamp&, const FileStamp&) = default;
};
// None for a file that cannot be looked at.
std::optional<FileStamp> StampOf(const std::filesystem::path& file);

// What makes a card: a learner's word in one direction. The word is its Korean and its meaning
// as they are: a meaning edited makes a new card, and the old one stays with its history.
struct CardKey {
  std::string learner;   // UTF-8
  std::string fileName;  // the word file's name within the word folder, UTF-8
  std::string hangul;    // HangulKey
  std::string japan;     // the meaning's CP932 bytes
  Direction direction = Direction::KoreanToJapanese;
  friend bool operator==(const CardKey&, const CardKey&) = default;
};

// A word as a card's key holds it: the Korean's key and the meaning.
using WordKey = std::pair<std::string, std::string>;
// The same seen where it lies, in a list or a key, copying nothing.
using WordSight = std::pair<std::string_view, std::string_view>;

inline WordSight SightOf(const TangoView& word) {
  return {word.Hangul.Shown().Bytes(), word.Japan};
}

// Orders keys and the words seen in a list alike, so that a list's words are looked up as they
// lie: a file's every word is looked at, and none is copied for it.
struct WordOrder {
  using is_transparent = void;
  template <typename A, typename B>
  bool operator()(const A& a, const B& b) const {
    return WordSight(a.first, a.second) < WordSight(b.first, b.second);
  }
};

// Which words of one word file have a card, in each direction.
class FileCards {
 public:
  explicit FileCards(std::vector<CardKey> cards = {}) {
    for (CardKey& key : cards)
      words_[int(key.direction)].emplace(std::move(key.hangul), std::move(key.japan));
  }
  bool Has(Direction direction, const WordSight& word) const {
    return words_[int(direction)].contains(word);
  }

 private:
  std::set<WordKey, WordOrder> words_[2];
};

// One answer as the scheduler judged it: the log keeps both memories, so that the scheduler's
// weights can be fitted to the learner later.
struct ReviewEntry {
  int64_t time = 0;  // when answered
  Rating rating = Rating::Good;
  double elapsedDays = 0;  // since the review before, as the scheduler counted them
  CardMemory before;
  CardMemory after;
  int32_t answerMs = 0;    // from the question shown to the answer given
  int32_t wordIndex = -1;  // where the word lay in its file, -1 when not known
};

struct DueCard {
  CardKey key;
  CardMemory memory;
  int32_t wordIndex = -1;  // where the word lay in its file when last answered: a hint
};

// A word file's cards of one learner, in one direction.
struct FileCounts {
  std::string fileName;
  Direction direction = Direction::KoreanToJapanese;
  int cards = 0;
  int due = 0;
  int reviewedSince = 0;  // cards answered at or after the time asked about
};

// One day's answers of a learner.
struct DayAnswers {
  int answers = 0;
  int right = 0;  // rated Hard, Good or Easy
};

// The cards of every learner and every answer given in review, in "review.db" of the word
// folder. The program, a second copy of it and wbk write to it at once: each answer is one
// transaction, and a writer waits for another's. The store keeps what it is given; the
// schedule is the scheduler's. One object is used on one thread.
class ReviewStore {
 public:
  static constexpr std::string_view kFileName = "review.db";
  // Far longer than any one answer's transaction takes, even on a slow disk.
  static constexpr std::chrono::milliseconds kBusyWait{5000};

  // Opens (making it when missing) the review record of `wordFolder`. Throws ReviewStoreError.
  explicit ReviewStore(const std::filesystem::path& wordFolder);
  ~ReviewStore();
  ReviewStore(const ReviewStore&) = delete;
  ReviewStore& operator=(const ReviewStore&) = delete;

  // None for a card never reviewed.
  std::optional<CardMemory> Memory(const CardKey& key);
  // Logs the answer and sets the card's memory to `entry.after`, making the card on its first
  // answer, all or nothing.
  void Record(const CardKey& key, const ReviewEntry& entry);

  // The cards due at `now`: their count, and the `limit` most overdue first.
  int DueCount(std::string_view learner, int64_t now);
  std::vector<DueCard> Due(std::string_view learner, int64_t now, int limit);

  // Per word file and direction, the cards, those due at `dueBy` and those answered at or after
  // `reviewedSince`; only the pairs that have cards.
  std::vector<FileCounts> CountsByFile(std::string_view learner, int64_t dueBy,
                                       int64_t reviewedSince);
  // Per day from bounds[i] to bounds[i + 1] (times, seconds since 1970, rising; the caller gives
  // the learner's local midnights, so a day of a clock change is still one day): the cards due
  // then, and the answers given then. Fewer than two bounds make no day.
  std::vector<int> DueByDay(std::string_view learner, std::span<const int64_t> bounds);
  std::vector<DayAnswers> AnsweredByDay(std::string_view learner, std::span<const int64_t> bounds);
  // The cards whose first answer came at or after `since`: the new words taken on since then.
  int NewSince(std::string_view learner, int64_t since);

  // The keys of the cards of one word file.
  std::vector<CardKey> Cards(std::string_view learner, std::string_view fileName);

  // Whether every word of the file, as `stamp` tells it, has a card both ways: as noted by
  // NoteAllMet, for that same stamp.
  bool AllMet(std::string_view learner, std::string_view fileName, const FileStamp& stamp);
  // Notes that every word of the file has a card both ways. Only a hint: a note that cannot be
  // written now is left out, and the file is looked through again next time.
  void NoteAllMet(std::string_view learner, std::string_view fileName, const FileStamp& stamp);

  // Removes the cards, with their logs, of the word files `exists` says are gone: of `learner`,
  // or of everyone. Returns how many cards it removed.
  int Prune(const std::optional<std::string>& learner,
            const std::function<bool(const std::string& fileName)>& exists);

 private:
  struct Statements;
  SqliteDb db_;
  std::unique_ptr<Statements> statements_;
};

}  // namespace norumi::review
