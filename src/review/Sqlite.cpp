// SPDX-License-Identifier: GPL-3.0-or-later
#include "review/Sqlite.h"

#include <sqlite3.h>

#include <algorithm>
#include <thread>

namespace norumi::review {
namespace {

using Kind = ReviewStoreError::Kind;

Kind KindOf(int code) {
  switch (code & 0xff) {  // the primary code under an extended one
    case SQLITE_CORRUPT:
      return Kind::Damaged;
    case SQLITE_NOTADB:
      return Kind::NotADatabase;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return Kind::Locked;
    case SQLITE_READONLY:
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
      return Kind::NotWritable;
    case SQLITE_FULL:
      return Kind::DiskFull;
    default:
      return Kind::Other;
  }
}

std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {reinterpret_cast<const char*>(text.data()), text.size()};
}

std::string Message(Kind kind, const std::string& name, std::chrono::milliseconds busyWait,
                    const char* detail) {
  switch (kind) {
    case Kind::Damaged:
      return "the review record " + name + " is damaged";
    case Kind::NotADatabase:
      return name + " is not a review record";
    case Kind::Newer:
      return "the review record " + name + " was written by a newer version of the program";
    case Kind::Locked:
      return "the review record " + name + " was kept busy by another program for more than " +
             std::to_string(busyWait.count() / 1000) + " seconds; try again";
    case Kind::NotWritable:
      return "the review record " + name + " cannot be written: the file or its folder is " +
             "read-only";
    case Kind::DiskFull:
      return "the disk that holds the review record " + name + " is full";
    case Kind::Other:
      break;
  }
  return "the review record " + name + " could not be used (" + (detail ? detail : "") + ")";
}

}  // namespace

SqliteDb::SqliteDb(const std::filesystem::path& file, std::chrono::milliseconds busyWait)
    : file_(file), busyWait_(busyWait) {
  const int code = sqlite3_open_v2(Utf8(file).c_str(), &db_,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
  if (code != SQLITE_OK) {
    // The connection made for a failed open only carries its message.
    const std::string message = Message(KindOf(code), Utf8(file_), busyWait_, sqlite3_errmsg(db_));
    sqlite3_close(db_);
    throw ReviewStoreError(KindOf(code), message);
  }
  sqlite3_extended_result_codes(db_, 1);
  sqlite3_busy_timeout(db_, static_cast<int>(busyWait.count()));
}

SqliteDb::~SqliteDb() {
  sqlite3_close(db_);
}

void SqliteDb::Exec(const char* sql) {
  const int code = sqlite3_exec(db_, sql, nullptr, nullptr, nullptr);
  if (code != SQLITE_OK) Fail(code);
}

void SqliteDb::UseWal() {
  // The switch takes a lock that SQLite does not wait for while another connection switches or
  // makes the same new file (waiting there could deadlock), so it is tried again here, within
  // the wait allowed for any lock. Once the file is in WAL mode it takes no lock at all.
  const auto deadline = std::chrono::steady_clock::now() + busyWait_;
  for (std::chrono::milliseconds pause{1};; pause = std::min(pause * 2, busyWait_ / 100)) {
    sqlite3_stmt* statement = nullptr;
    int code = sqlite3_prepare_v2(db_, "PRAGMA journal_mode = WAL", -1, &statement, nullptr);
    if (code == SQLITE_OK) code = sqlite3_step(statement);
    const bool wal =
        code == SQLITE_ROW &&
        std::string_view(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))) == "wal";
    sqlite3_finalize(statement);
    if (wal) return;
    // A file that cannot be written stays in the mode it has.
    if (code == SQLITE_ROW) Fail(Kind::NotWritable);
    if ((code & 0xff) != SQLITE_BUSY || std::chrono::steady_clock::now() >= deadline) Fail(code);
    std::this_thread::sleep_for(pause);
  }
}

int SqliteDb::Changes() const {
  return sqlite3_changes(db_);
}

void SqliteDb::Fail(int code) const {
  throw ReviewStoreError(KindOf(code),
                         Message(KindOf(code), Utf8(file_), busyWait_, sqlite3_errmsg(db_)));
}

void SqliteDb::Fail(Kind kind) const {
  throw ReviewStoreError(kind, Message(kind, Utf8(file_), busyWait_, nullptr));
}

Statement::Statement(SqliteDb& db, const char* sql) : db_(db) {
  const int code =
      sqlite3_prepare_v3(db.Handle(), sql, -1, SQLITE_PREPARE_PERSISTENT, &statement_, nullptr);
  if (code != SQLITE_OK) db.Fail(code);
}

Statement::~Statement() {
  sqlite3_finalize(statement_);
}

Statement& Statement::Bind(int index, int64_t value) {
  if (const int code = sqlite3_bind_int64(statement_, index, value); code != SQLITE_OK)
    db_.Fail(code);
  return *this;
}

Statement& Statement::Bind(int index, double value) {
  if (const int code = sqlite3_bind_double(statement_, index, value); code != SQLITE_OK)
    db_.Fail(code);
  return *this;
}

Statement& Statement::BindText(int index, std::string_view utf8) {
  const int code = sqlite3_bind_text64(statement_, index, utf8.data(), utf8.size(),
                                       SQLITE_TRANSIENT, SQLITE_UTF8);
  if (code != SQLITE_OK) db_.Fail(code);
  return *this;
}

Statement& Statement::BindBlob(int index, std::string_view bytes) {
  // An empty blob is still a blob, never NULL: a key column must compare equal to itself.
  const int code = sqlite3_bind_blob64(statement_, index, bytes.empty() ? "" : bytes.data(),
                                       bytes.size(), SQLITE_TRANSIENT);
  if (code != SQLITE_OK) db_.Fail(code);
  return *this;
}

bool Statement::Step() {
  const int code = sqlite3_step(statement_);
  if (code == SQLITE_ROW) return true;
  if (code == SQLITE_DONE) return false;
  db_.Fail(code);
}

void Statement::Reset() {
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
}

int64_t Statement::Int(int column) const {
  return sqlite3_column_int64(statement_, column);
}

double Statement::Real(int column) const {
  return sqlite3_column_double(statement_, column);
}

std::string Statement::Bytes(int column) const {
  const void* data = sqlite3_column_blob(statement_, column);
  const int size = sqlite3_column_bytes(statement_, column);
  return data ? std::string(static_cast<const char*>(data), size_t(size)) : std::string();
}

WriteTransaction::WriteTransaction(SqliteDb& db) : db_(db) {
  db.Exec("BEGIN IMMEDIATE");
}

WriteTransaction::~WriteTransaction() {
  if (open_) sqlite3_exec(db_.Handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void WriteTransaction::Commit() {
  db_.Exec("COMMIT");
  open_ = false;
}

}  // namespace norumi::review
