// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace norumi::review {

// The review record could not be used. The message names the file and says, in words a learner
// reads, what is wrong; the windows may choose their own text by the kind.
class ReviewStoreError : public std::runtime_error {
 public:
  enum class Kind {
    Damaged,       // the file's pages contradict each other
    NotADatabase,  // the file is not a database, or another program's
    Newer,         // made by a later version of the program, whose columns this one does not know
    Locked,        // another writer held it for longer than a writer waits
    NotWritable,   // the file or its folder is read-only
    DiskFull,
    Other,
  };
  ReviewStoreError(Kind kind, const std::string& message)
      : std::runtime_error(message), kind_(kind) {}
  Kind WhatKind() const { return kind_; }

 private:
  Kind kind_;
};

// One connection to one database file. Every failure throws ReviewStoreError. A connection is
// used on one thread at a time.
class SqliteDb {
 public:
  // Opens the file, creating it when it is missing, and waits up to `busyWait` whenever another
  // connection holds the lock it needs.
  SqliteDb(const std::filesystem::path& file, std::chrono::milliseconds busyWait);
  ~SqliteDb();
  SqliteDb(const SqliteDb&) = delete;
  SqliteDb& operator=(const SqliteDb&) = delete;

  void Exec(const char* sql);
  // Puts the file in WAL mode, where readers and writers in other processes no longer block
  // each other; the mode stays with the file.
  void UseWal();
  // The rows the last statement inserted, changed or deleted itself.
  int Changes() const;
  sqlite3* Handle() const { return db_; }
  // Throws the error behind `code`, with the connection's own message for the kinds that have
  // no plain words.
  [[noreturn]] void Fail(int code) const;
  [[noreturn]] void Fail(ReviewStoreError::Kind kind) const;

 private:
  std::filesystem::path file_;
  std::chrono::milliseconds busyWait_;
  sqlite3* db_ = nullptr;
};

// A prepared statement, kept for the life of its connection. Each use binds, steps and ends with
// Reset (see Use): a statement left stepped keeps its read open, which in WAL mode pins the
// snapshot it saw and keeps the checkpoint from moving past it.
class Statement {
 public:
  Statement(SqliteDb& db, const char* sql);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  Statement& Bind(int index, int64_t value);
  Statement& Bind(int index, double value);
  Statement& BindText(int index, std::string_view utf8);
  Statement& BindBlob(int index, std::string_view bytes);
  // True while there is a row to read.
  bool Step();
  void Reset();

  int64_t Int(int column) const;
  double Real(int column) const;
  // A text or a blob column's bytes.
  std::string Bytes(int column) const;

  // Resets the statement when the use ends, however it ends.
  class Use {
   public:
    explicit Use(Statement& statement) : statement_(statement) {}
    ~Use() { statement_.Reset(); }
    Use(const Use&) = delete;
    Use& operator=(const Use&) = delete;
    Statement* operator->() const { return &statement_; }

   private:
    Statement& statement_;
  };

 private:
  SqliteDb& db_;
  sqlite3_stmt* statement_ = nullptr;
};

// A write transaction, rolled back unless committed. It takes the write lock at once (BEGIN
// IMMEDIATE): one that read first and then asked to write could find another writer's commit in
// between and fail at once, since waiting would not make its snapshot current.
class WriteTransaction {
 public:
  explicit WriteTransaction(SqliteDb& db);
  ~WriteTransaction();
  WriteTransaction(const WriteTransaction&) = delete;
  WriteTransaction& operator=(const WriteTransaction&) = delete;
  void Commit();

 private:
  SqliteDb& db_;
  bool open_ = true;
};

}  // namespace norumi::review
