// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <exception>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/TangoList.h"
#include "session/QuizSession.h"

namespace norumi {

class EFileError;
class WordFileLock;

// How the questions of a new drill are chosen: `wanted` words (none: every word), in random
// order, only those answered wrong last time.
struct QuestionChoice {
  std::optional<int32_t> wanted;
  bool random = false;
  bool onlyWrong = false;
};

// The road of one quiz from the menu around its session: the file its answers go back to, that
// file's lock from the load to the save, the list, the learner and the questions. It asks
// nothing of anyone: what it finds is in its results and its exceptions, which the menu shows.
//
// A quiz on one file goes back to the file it read, whatever title that file holds (a copy keeps
// the title of its original); a combined quiz goes to a file of its own, whose histories the
// next combined quiz takes over.
class QuizRun {
 public:
  // `sources`: the files chosen, in order (none for a name that cannot be a file of the folder);
  // `combinedFile`: where a quiz on several files keeps its histories.
  QuizRun(const std::vector<std::optional<std::filesystem::path>>& sources,
          const std::optional<std::filesystem::path>& combinedFile);
  ~QuizRun();

  bool Combined() const { return combined_; }
  // The file the answers go back to; none when the one file chosen cannot be one.
  const std::optional<std::filesystem::path>& Target() const { return target_; }

  // Locks the target for the quiz. Throws EFLockError while another writer holds it (the
  // caller may try again), EFOpenError when the one file chosen was deleted since it was listed.
  // A file that cannot be written at all leaves a quiz that saves nothing: see Unsaved.
  void Lock();
  // Why the answers will not be saved, or none.
  const std::exception_ptr& Unsaved() const { return unsaved_; }

  // The list the last combined quiz left, for the new one to take its histories from; none for
  // a quiz on one file, or when there is none whole to read. Throws EFDamagedError for a
  // damaged one that is to be written over.
  std::unique_ptr<TTangoList> Previous() const;
  // Takes the quiz's list, stamped with `learner`: a new learner starts both histories afresh.
  void Take(std::unique_ptr<TTangoList> list, const std::string& learner);
  TTangoList& List() const { return *list_; }
  // Readies the drill of `direction`: true when one is in progress, which resumes where it
  // stopped; otherwise a new one is chosen.
  bool Ready(QuizDirection direction, const QuestionChoice& choice);

  // Saves the answers under the lock, unless the quiz saves nothing. A save that fails goes to
  // `retry`, which says whether to try again (space freed, the file made writable): the answers
  // are still in memory. Returns how many words another writer saved meanwhile that the save
  // kept, when it found its lock gone (see SaveUnderLock); -1 otherwise.
  int Save(const std::function<bool(const EFileError&)>& retry);

 private:
  std::optional<std::filesystem::path> target_;
  bool combined_ = false;
  std::unique_ptr<WordFileLock> lock_;
  std::exception_ptr unsaved_;
  std::unique_ptr<TTangoList> list_;
};

}  // namespace norumi
