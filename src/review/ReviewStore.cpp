// SPDX-License-Identifier: GPL-3.0-or-later
#include "review/ReviewStore.h"

#include "review/ReviewSchema.h"

#include <string>

namespace norumi::review {
namespace {

// A card's memory from six columns starting at `first`.
CardMemory MemoryAt(const Statement& row, int first) {
  return {row.Real(first),    row.Real(first + 1),         row.Int(first + 2),
          row.Int(first + 3), int32_t(row.Int(first + 4)), int32_t(row.Int(first + 5))};
}

void BindMemory(Statement& statement, int first, const CardMemory& memory) {
  statement.Bind(first, memory.stability)
      .Bind(first + 1, memory.difficulty)
      .Bind(first + 2, memory.lastReview)
      .Bind(first + 3, memory.due)
      .Bind(first + 4, int64_t(memory.reps))
      .Bind(first + 5, int64_t(memory.lapses));
}

void BindKey(Statement& statement, const CardKey& key) {
  statement.BindText(1, key.learner)
      .BindText(2, key.fileName)
      .BindBlob(3, key.hangul)
      .BindBlob(4, key.japan)
      .Bind(5, int64_t(key.direction));
}

// The days between `count` bounds, as the table day(i, since, until) of a query's WITH; bound i
// is parameter i + 2. The days go into the query itself: one statement counts them all, where a
// query a day would be prepared, stepped and reset thirty times for a chart.
std::string DaysTable(size_t count) {
  std::string table = "day(i, since, until) AS (VALUES ";
  for (size_t i = 0; i + 1 < count; ++i) {
    if (i > 0) table += ", ";
    table += "(" + std::to_string(i) + ", ?" + std::to_string(i + 2) + ", ?" +
             std::to_string(i + 3) + ")";
  }
  return table + ")";
}

void BindBounds(Statement& statement, std::span<const int64_t> bounds) {
  for (size_t i = 0; i < bounds.size(); ++i) statement.Bind(int(i) + 2, bounds[i]);
}

}  // namespace

std::string CardFileName(const std::filesystem::path& wordFolder,
                         const std::filesystem::path& wordFile) {
  const std::u8string name = wordFile.lexically_relative(wordFolder).generic_u8string();
  return {reinterpret_cast<const char*>(name.data()), name.size()};
}

std::optional<FileStamp> StampOf(const std::filesystem::path& file) {
  std::error_code error;
  const auto size = std::filesystem::file_size(file, error);
  if (error) return std::nullopt;
  const auto modified = std::filesystem::last_write_time(file, error);
  if (error) return std::nullopt;
  return FileStamp{
      int64_t(size),
      std::chrono::duration_cast<std::chrono::nanoseconds>(modified.time_since_epoch()).count()};
}

std::optional<std::filesystem::path> WordFileOfCard(const std::filesystem::path& wordFolder,
                                                    std::string_view fileName) {
  const std::filesystem::path name(
      std::u8string(reinterpret_cast<const char8_t*>(fileName.data()), fileName.size()));
  if (name.empty() || name.has_root_path()) return std::nullopt;
  for (const auto& part : name)
    if (part.empty() || part == "." || part == "..") return std::nullopt;
  return wordFolder / name;
}

// Prepared once: an answer costs its two writes and no parsing.
struct ReviewStore::Statements {
  explicit Statements(SqliteDb& db)
      : memory(db,
               "SELECT stability, difficulty, last_review, due, reps, lapses FROM card "
               "WHERE learner = ?1 AND file_name = ?2 AND hangul = ?3 AND japan = ?4 AND "
               "direction = ?5"),
        upsertCard(db,
                   "INSERT INTO card (learner, file_name, hangul, japan, direction, stability, "
                   "difficulty, last_review, due, reps, lapses, word_index) "
                   "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12) "
                   "ON CONFLICT (learner, file_name, hangul, japan, direction) DO UPDATE SET "
                   "stability = excluded.stability, difficulty = excluded.difficulty, "
                   "last_review = excluded.last_review, due = excluded.due, "
                   "reps = excluded.reps, lapses = excluded.lapses, "
                   "word_index = excluded.word_index RETURNING id"),
        insertLog(db,
                  "INSERT INTO review_log (card_id, time, rating, elapsed_days, "
                  "stability_before, difficulty_before, last_review_before, due_before, "
                  "reps_before, lapses_before, stability_after, difficulty_after, "
                  "last_review_after, due_after, reps_after, lapses_after, answer_ms) VALUES "
                  "(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17)"),
        dueCount(db, "SELECT count(*) FROM card WHERE learner = ?1 AND due <= ?2"),
        due(db,
            "SELECT file_name, hangul, japan, direction, stability, difficulty, last_review, "
            "due, reps, lapses, word_index FROM card WHERE learner = ?1 AND due <= ?2 "
            "ORDER BY due "
            "LIMIT ?3") {}

  Statement memory;
  Statement upsertCard;
  Statement insertLog;
  Statement dueCount;
  Statement due;
};

ReviewStore::ReviewStore(const std::filesystem::path& wordFolder)
    : db_(wordFolder / kFileName, kBusyWait) {
  PrepareSchema(db_);
  statements_ = std::make_unique<Statements>(db_);
}

ReviewStore::~ReviewStore() = default;

std::optional<CardMemory> ReviewStore::Memory(const CardKey& key) {
  const Statement::Use use(statements_->memory);
  BindKey(statements_->memory, key);
  if (!use->Step()) return std::nullopt;
  return MemoryAt(statements_->memory, 0);
}

void ReviewStore::Record(const CardKey& key, const ReviewEntry& entry) {
  WriteTransaction transaction(db_);
  int64_t cardId;
  {
    Statement& upsert = statements_->upsertCard;
    const Statement::Use use(upsert);
    BindKey(upsert, key);
    BindMemory(upsert, 6, entry.after);
    upsert.Bind(12, int64_t(entry.wordIndex));
    if (!upsert.Step()) db_.Fail(ReviewStoreError::Kind::Other);
    cardId = upsert.Int(0);
  }
  {
    Statement& log = statements_->insertLog;
    const Statement::Use use(log);
    log.Bind(1, cardId)
        .Bind(2, entry.time)
        .Bind(3, int64_t(entry.rating))
        .Bind(4, entry.elapsedDays);
    BindMemory(log, 5, entry.before);
    BindMemory(log, 11, entry.after);
    log.Bind(17, int64_t(entry.answerMs));
    log.Step();
  }
  transaction.Commit();
}

int ReviewStore::DueCount(std::string_view learner, int64_t now) {
  Statement& count = statements_->dueCount;
  const Statement::Use use(count);
  count.BindText(1, learner).Bind(2, now);
  return count.Step() ? int(count.Int(0)) : 0;
}

std::vector<DueCard> ReviewStore::Due(std::string_view learner, int64_t now, int limit) {
  Statement& due = statements_->due;
  const Statement::Use use(due);
  due.BindText(1, learner).Bind(2, now).Bind(3, int64_t(limit));
  std::vector<DueCard> cards;
  while (due.Step())
    cards.push_back(
        {{std::string(learner), due.Bytes(0), due.Bytes(1), due.Bytes(2), Direction(due.Int(3))},
         MemoryAt(due, 4),
         int32_t(due.Int(10))});
  return cards;
}

std::vector<FileCounts> ReviewStore::CountsByFile(std::string_view learner, int64_t dueBy,
                                                  int64_t reviewedSince) {
  // The card's last review is its latest answer's time, as the scheduler stamps it: the log
  // need not be read.
  Statement counts(db_,
                   "SELECT file_name, direction, count(*), total(due <= ?2), "
                   "total(last_review >= ?3) FROM card WHERE learner = ?1 "
                   "GROUP BY file_name, direction ORDER BY file_name, direction");
  counts.BindText(1, learner).Bind(2, dueBy).Bind(3, reviewedSince);
  std::vector<FileCounts> result;
  while (counts.Step())
    result.push_back({counts.Bytes(0), Direction(counts.Int(1)), int(counts.Int(2)),
                      int(counts.Real(3)), int(counts.Real(4))});
  return result;
}

std::vector<int> ReviewStore::DueByDay(std::string_view learner, std::span<const int64_t> bounds) {
  std::vector<int> due(bounds.size() < 2 ? 0 : bounds.size() - 1);
  if (due.empty()) return due;
  // A day's count is a range of the (learner, due) index, counted where it lies: neither the
  // cards nor a sort into groups is needed, and the 30 days cost what one count of them costs.
  Statement counts(db_, ("WITH " + DaysTable(bounds.size()) +
                         " SELECT i, (SELECT count(*) FROM card WHERE learner = ?1 AND "
                         "due >= since AND due < until) FROM day")
                            .c_str());
  counts.BindText(1, learner);
  BindBounds(counts, bounds);
  while (counts.Step()) due[size_t(counts.Int(0))] = int(counts.Int(1));
  return due;
}

std::vector<DayAnswers> ReviewStore::AnsweredByDay(std::string_view learner,
                                                   std::span<const int64_t> bounds) {
  std::vector<DayAnswers> answered(bounds.size() < 2 ? 0 : bounds.size() - 1);
  if (answered.empty()) return answered;
  // The log keeps no learner: each answer of the days finds its card by its id, the answers
  // read from the time index alone and sorted by card first, so that each page of cards is read
  // once, not once per answer. CROSS JOIN keeps that order: left to choose, SQLite walks every
  // card of the learner instead, a thousand times slower on a learner's years of cards.
  Statement counts(db_, ("WITH " + DaysTable(bounds.size()) +
                         " SELECT i, count(*), total(rating >= 2) FROM (SELECT i, card_id, rating "
                         "FROM day CROSS JOIN review_log AS log ON log.time >= since AND "
                         "log.time < until ORDER BY card_id) AS answer "
                         "CROSS JOIN card ON card.id = answer.card_id WHERE card.learner = ?1 "
                         "GROUP BY i")
                            .c_str());
  counts.BindText(1, learner);
  BindBounds(counts, bounds);
  while (counts.Step()) answered[size_t(counts.Int(0))] = {int(counts.Int(1)), int(counts.Real(2))};
  return answered;
}

int ReviewStore::NewSince(std::string_view learner, int64_t since) {
  // Two copies of the program answering a new card at once both log a first answer: the card
  // counts once, and only when the earlier of them came at or after `since`. The answers since
  // then are read first (CROSS JOIN), as for the days' answers.
  Statement count(db_,
                  "SELECT count(DISTINCT log.card_id) FROM review_log AS log "
                  "CROSS JOIN card ON card.id = log.card_id "
                  "WHERE log.time >= ?2 AND log.reps_before = 0 AND card.learner = ?1 AND "
                  "NOT EXISTS (SELECT 1 FROM review_log AS earlier WHERE earlier.card_id = "
                  "log.card_id AND earlier.reps_before = 0 AND earlier.time < ?2)");
  count.BindText(1, learner).Bind(2, since);
  return count.Step() ? int(count.Int(0)) : 0;
}

std::vector<CardKey> ReviewStore::Cards(std::string_view learner, std::string_view fileName) {
  Statement cards(db_,
                  "SELECT hangul, japan, direction FROM card "
                  "WHERE learner = ?1 AND file_name = ?2");
  cards.BindText(1, learner).BindText(2, fileName);
  std::vector<CardKey> keys;
  while (cards.Step())
    keys.push_back({std::string(learner), std::string(fileName), cards.Bytes(0), cards.Bytes(1),
                    Direction(cards.Int(2))});
  return keys;
}

bool ReviewStore::AllMet(std::string_view learner, std::string_view fileName,
                         const FileStamp& stamp) {
  Statement met(db_,
                "SELECT 1 FROM file_met WHERE learner = ?1 AND file_name = ?2 AND size = ?3 AND "
                "modified = ?4");
  met.BindText(1, learner).BindText(2, fileName).Bind(3, stamp.size).Bind(4, stamp.modified);
  return met.Step();
}

void ReviewStore::NoteAllMet(std::string_view learner, std::string_view fileName,
                             const FileStamp& stamp) {
  try {
    Statement note(db_, "INSERT OR REPLACE INTO file_met VALUES (?1, ?2, ?3, ?4)");
    note.BindText(1, learner).BindText(2, fileName).Bind(3, stamp.size).Bind(4, stamp.modified);
    note.Step();
  } catch (const ReviewStoreError&) {
    // Locked by a long writer, or no room: the file is read again next time, which is all.
  }
}

int ReviewStore::Prune(const std::optional<std::string>& learner,
                       const std::function<bool(const std::string& fileName)>& exists) {
  std::vector<std::string> gone;
  {
    Statement files(db_, "SELECT DISTINCT file_name FROM card WHERE ?1 IS NULL OR learner = ?1");
    if (learner) files.BindText(1, *learner);
    while (files.Step())
      if (std::string name = files.Bytes(0); !exists(name)) gone.push_back(std::move(name));
  }
  if (gone.empty()) return 0;
  WriteTransaction transaction(db_);
  // The log rows go with their cards (ON DELETE CASCADE).
  Statement remove(db_, "DELETE FROM card WHERE file_name = ?2 AND (?1 IS NULL OR learner = ?1)");
  Statement forget(db_,
                   "DELETE FROM file_met WHERE file_name = ?2 AND (?1 IS NULL OR learner = ?1)");
  int removed = 0;
  for (const std::string& name : gone) {
    {
      const Statement::Use use(remove);
      if (learner) remove.BindText(1, *learner);
      remove.BindText(2, name);
      remove.Step();
      removed += db_.Changes();
    }
    const Statement::Use use(forget);
    if (learner) forget.BindText(1, *learner);
    forget.BindText(2, name);
    forget.Step();
  }
  transaction.Commit();
  return removed;
}

}  // namespace norumi::review
