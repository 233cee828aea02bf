// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the review benchmarks share: the heavy learner's folder of 100 word files of 10,000
// words at a fixed time, and cards written straight into its review.db.
#include <sqlite3.h>

#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchWords.h"
#include "review/ReviewStore.h"
#include "session/ReviewPlan.h"

namespace norumi::bench {

constexpr int kFiles = 100;
constexpr int kWordsPerFile = 10'000;
constexpr int64_t kDay = 86'400;
constexpr int64_t kNow = 1'800'000'000;

inline void Check(int code, sqlite3* db) {
  if (code != SQLITE_OK && code != SQLITE_DONE && code != SQLITE_ROW)
    throw std::runtime_error(sqlite3_errmsg(db));
}

// The day of kNow, from its midnight (UTC) on.
inline ReviewDay BenchDay() {
  return {kNow, kNow - kNow % kDay, kNow - kNow % kDay + kDay};
}

// Saves the kFiles word files of kWordsPerFile words in `folder`, handing each to `saved`.
inline std::vector<std::filesystem::path> SaveWordFiles(
    const std::filesystem::path& folder,
    const std::function<void(const std::filesystem::path&, const TTangoList&)>& saved = {}) {
  std::vector<std::filesystem::path> files;
  for (int f = 0; f < kFiles; ++f) {
    TTangoList list;
    FillWords(list, kWordsPerFile, f);
    files.push_back(folder / ("words" + std::to_string(f) + ".wbk"));
    list.SaveToFile(files.back());
    if (saved) saved(files.back(), list);
  }
  return files;
}

// Cards written straight into the review.db of a folder (made by the store first), in one
// transaction: a learner's years of answers, one transaction each, would take hours.
class CardRows {
 public:
  explicit CardRows(const std::filesystem::path& folder) {
    { review::ReviewStore store(folder); }
    Check(sqlite3_open((folder / review::ReviewStore::kFileName).c_str(), &db_), db_);
    Exec("BEGIN");
    Check(sqlite3_prepare_v2(db_,
                             "INSERT INTO card (learner, file_name, hangul, japan, direction, "
                             "stability, difficulty, last_review, due, reps, lapses, word_index) "
                             "VALUES (?, ?, ?, ?, ?, ?, 5, ?, ?, ?, 0, ?)",
                             -1, &card_, nullptr),
          db_);
  }
  ~CardRows() {
    sqlite3_finalize(card_);
    sqlite3_close(db_);
  }

  // The card's row id.
  int64_t Add(const review::CardKey& key, double stability, int64_t lastReview, int64_t due,
              int reps, int wordIndex = -1) {
    sqlite3_bind_text(card_, 1, key.learner.data(), int(key.learner.size()), SQLITE_STATIC);
    sqlite3_bind_text(card_, 2, key.fileName.data(), int(key.fileName.size()), SQLITE_STATIC);
    sqlite3_bind_blob(card_, 3, key.hangul.data(), int(key.hangul.size()), SQLITE_STATIC);
    sqlite3_bind_blob(card_, 4, key.japan.data(), int(key.japan.size()), SQLITE_STATIC);
    sqlite3_bind_int(card_, 5, int(key.direction));
    sqlite3_bind_double(card_, 6, stability);
    sqlite3_bind_int64(card_, 7, lastReview);
    sqlite3_bind_int64(card_, 8, due);
    sqlite3_bind_int(card_, 9, reps);
    sqlite3_bind_int(card_, 10, wordIndex);
    Check(sqlite3_step(card_), db_);
    sqlite3_reset(card_);
    return sqlite3_last_insert_rowid(db_);
  }
  void Exec(const char* sql) { Check(sqlite3_exec(db_, sql, nullptr, nullptr, nullptr), db_); }
  void Commit() { Exec("COMMIT"); }
  sqlite3* Db() const { return db_; }

 private:
  sqlite3* db_ = nullptr;
  sqlite3_stmt* card_ = nullptr;
};

}  // namespace norumi::bench
