// SPDX-License-Identifier: GPL-3.0-or-later
#include "review/ReviewSchema.h"

#include <array>
#include <string>

namespace norumi::review {
namespace {

// Version 1: the cards, the log of answers, and room for weights fitted to each learner.
void CreateTables(SqliteDb& db) {
  db.Exec(R"(
CREATE TABLE card (
  id INTEGER PRIMARY KEY,
  learner TEXT NOT NULL,
  file_name TEXT NOT NULL,
  hangul BLOB NOT NULL,
  japan BLOB NOT NULL,
  direction INTEGER NOT NULL CHECK (direction IN (0, 1)),
  stability REAL NOT NULL,
  difficulty REAL NOT NULL,
  last_review INTEGER NOT NULL,
  due INTEGER NOT NULL,
  reps INTEGER NOT NULL,
  lapses INTEGER NOT NULL,
  -- Where the word lay in its file when last answered, -1 when unknown: a hint the review checks
  -- before it trusts it, so that it need not look through the whole file for the word.
  word_index INTEGER NOT NULL DEFAULT -1,
  UNIQUE (learner, file_name, hangul, japan, direction)
);
-- The due count and the most overdue cards come from this index alone.
CREATE INDEX card_due ON card (learner, due);
CREATE TABLE review_log (
  id INTEGER PRIMARY KEY,
  card_id INTEGER NOT NULL REFERENCES card (id) ON DELETE CASCADE,
  time INTEGER NOT NULL,
  rating INTEGER NOT NULL CHECK (rating BETWEEN 1 AND 4),
  elapsed_days REAL NOT NULL,
  stability_before REAL NOT NULL,
  difficulty_before REAL NOT NULL,
  last_review_before INTEGER NOT NULL,
  due_before INTEGER NOT NULL,
  reps_before INTEGER NOT NULL,
  lapses_before INTEGER NOT NULL,
  stability_after REAL NOT NULL,
  difficulty_after REAL NOT NULL,
  last_review_after INTEGER NOT NULL,
  due_after INTEGER NOT NULL,
  reps_after INTEGER NOT NULL,
  lapses_after INTEGER NOT NULL,
  answer_ms INTEGER NOT NULL
);
-- Removing a card finds its log rows without reading the whole log.
CREATE INDEX review_log_card ON review_log (card_id);
-- The answers of the last days, and the new words taken on since a time, are read by time;
-- the days' counts read this index alone, not the log's rows, three times faster.
CREATE INDEX review_log_time ON review_log (time, card_id, rating);
-- The scheduler's 21 weights fitted to a learner's log, separated by spaces.
CREATE TABLE learner_weights (
  learner TEXT PRIMARY KEY,
  weights TEXT NOT NULL,
  desired_retention REAL NOT NULL,
  fitted_at INTEGER NOT NULL
);
)");
}

// Version 2: the word files whose every word a learner has met both ways, as each file was then.
// The search for new words passes such a file by, unread, until the file changes: a learner who
// has met every word of a hundred files would otherwise have them all read on every count.
void AddMetFiles(SqliteDb& db) {
  db.Exec(R"(
CREATE TABLE file_met (
  learner TEXT NOT NULL,
  file_name TEXT NOT NULL,
  size INTEGER NOT NULL,
  modified INTEGER NOT NULL,
  PRIMARY KEY (learner, file_name)
) WITHOUT ROWID;
)");
}

// Step i takes a file of version i to version i + 1. A later version appends its step (adding
// columns with defaults, say); files are never taken back.
using MigrationStep = void (*)(SqliteDb&);
constexpr std::array<MigrationStep, 2> kSteps = {CreateTables, AddMetFiles};
constexpr int kVersion = static_cast<int>(kSteps.size());

int64_t ReadInt(SqliteDb& db, const char* sql) {
  Statement statement(db, sql);
  return statement.Step() ? statement.Int(0) : 0;
}

void Migrate(SqliteDb& db) {
  WriteTransaction transaction(db);
  // Another copy of the program may have made the tables while this one waited for the lock.
  int version = static_cast<int>(ReadInt(db, "PRAGMA user_version"));
  if (version > kVersion) db.Fail(ReviewStoreError::Kind::Newer);
  if (version == kVersion) return;
  if (version == 0 && ReadInt(db, "SELECT count(*) FROM sqlite_schema") != 0)
    db.Fail(ReviewStoreError::Kind::NotADatabase);
  for (; version < kVersion; ++version) kSteps[size_t(version)](db);
  db.Exec(("PRAGMA user_version = " + std::to_string(kVersion)).c_str());
  transaction.Commit();
}

}  // namespace

void PrepareSchema(SqliteDb& db) {
  // NORMAL is durable enough in WAL mode: a commit is in the log the moment it returns, so a
  // program that crashes or is killed loses nothing, and the file is never left damaged; only a
  // power cut may take back the answers since the last checkpoint synced the log. FULL would
  // wait for the disk on every answer, which a slow card or a disk shared with a backup turns
  // into a pause the learner feels between two questions.
  db.Exec("PRAGMA foreign_keys = ON; PRAGMA synchronous = NORMAL");
  // Read first: a file already in WAL mode is then known to be, and needs no switch.
  const int64_t version = ReadInt(db, "PRAGMA user_version");
  if (version > kVersion) db.Fail(ReviewStoreError::Kind::Newer);
  db.UseWal();
  if (version < kVersion) Migrate(db);
}

}  // namespace norumi::review
