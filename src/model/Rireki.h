// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <vector>

#include "model/ByteStream.h"

namespace norumi {

// The score of one finished drill.
struct TRireki {
  int32_t Total = 0;
  int32_t Seikai = 0;

  bool LoadFromStream(ByteReader& in);
  void SaveToStream(ByteWriter& out) const;
  bool operator==(const TRireki&) const = default;
};

// Mark values of `TRirekiList::Marks`.
constexpr int32_t kMarkNotChosen = -99;
constexpr int32_t kMarkUnanswered = 0;
constexpr int32_t kMarkRight = 1;
constexpr int32_t kMarkWrong = -1;

// One answer history: the current drill (marks, order, resume position) and the records of the
// finished drills. It works on word indices only and knows nothing of the words.
class TRirekiList {
 public:
  // Creating a history reseeds the program's random source from the clock.
  TRirekiList();

  bool InProgress = false;
  int32_t Total = 0;
  int32_t Position = 0;
  std::vector<int32_t> Marks;
  std::vector<int32_t> Order;

  const std::vector<TRireki>& Records() const { return records_; }
  int Count() const { return static_cast<int>(records_.size()); }
  void AddRecord(const TRireki& record) { records_.push_back(record); }

  void ClearRecords() { records_.clear(); }
  void ResetDrill();
  void SelectQuestions(int32_t wordCount, int32_t wanted, bool random, bool onlyWrong);
  void Shuffle();
  // The word index at `position` or after it that is still to be asked (any word when
  // `anyWord`), or -1. Moves `position` and `Position` onto it. Indices a damaged history holds
  // outside `Marks` are never returned.
  int32_t NextQuestion(int32_t& position, bool anyWord);
  void MarkAnswer(int32_t position, bool right);
  // Which question of the drill the word at `position` is: 1 for the first word chosen.
  int32_t QuestionNumber(int32_t position) const;
  void FinishDrill();

  // Reads a whole history block. On a block that ends early or holds an impossible count,
  // returns false and leaves this history untouched.
  bool LoadFromStream(ByteReader& in);
  void SaveToStream(ByteWriter& out) const;

 private:
  std::vector<TRireki> records_;
};

}  // namespace norumi
