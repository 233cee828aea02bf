// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/Rireki.h"

#include <algorithm>
#include <utility>

#include "model/Random.h"
#include "storage/LargeBlocks.h"

namespace norumi {

bool TRireki::LoadFromStream(ByteReader& in) {
  return in.ReadInt32(Total) && in.ReadInt32(Seikai);
}

void TRireki::SaveToStream(ByteWriter& out) const {
  out.WriteInt32(Total);
  out.WriteInt32(Seikai);
}

TRirekiList::TRirekiList() {
  RandomSource::Instance().SeedFromClock();
}

void TRirekiList::ResetDrill() {
  Total = 0;
  Position = 0;
  InProgress = false;
  Marks.clear();
  Order.clear();
}

void TRirekiList::SelectQuestions(int32_t wordCount, int32_t wanted, bool random, bool onlyWrong) {
  // A negative count asks no word, as 0 does: a drill never has fewer than no questions.
  wanted = std::max(wanted, 0);
  Total = wanted;
  Position = 0;
  const std::vector<int32_t> previous = std::move(Marks);
  const int32_t n = std::max(wordCount, 0);
  Marks.assign(n, kMarkNotChosen);
  Order.resize(n);
  for (int32_t i = 0; i < n; ++i) Order[i] = i;
  if (random) Shuffle();

  int32_t chosen = 0;
  for (size_t pos = 0; pos < Order.size() && chosen < wanted; ++pos) {
    const int32_t w = Order[pos];
    const bool wasWrong = std::cmp_less(w, previous.size()) && previous[w] == kMarkWrong;
    if (onlyWrong && !wasWrong) continue;
    Marks[w] = kMarkUnanswered;
    ++chosen;
  }
  if (chosen == 0) {
    for (size_t pos = 0; pos < Order.size() && chosen < wanted; ++pos) {
      Marks[Order[pos]] = kMarkUnanswered;
      ++chosen;
    }
  }
  if (Total > chosen) Total = chosen;
  InProgress = true;
}

void TRirekiList::Shuffle() {
  // One draw per place (Fisher-Yates), from the program's random source: every order equally
  // likely, in time linear in the words. A drill under way keeps the order its file stores.
  auto& rnd = RandomSource::Instance();
  for (auto i = static_cast<int32_t>(Order.size()) - 1; i > 0; --i)
    std::swap(Order[i], Order[rnd.Random(i + 1)]);
}

int32_t TRirekiList::NextQuestion(int32_t& position, bool anyWord) {
  if (position < 0) position = 0;
  int32_t result = -1;
  while (std::cmp_less(position, Order.size())) {
    const int32_t w = Order[position];
    const bool known = w >= 0 && std::cmp_less(w, Marks.size());
    if (known && (anyWord || Marks[w] == kMarkUnanswered)) {
      result = w;
      break;
    }
    ++position;
  }
  Position = position;
  return result;
}

void TRirekiList::MarkAnswer(int32_t position, bool right) {
  if (position < 0 || std::cmp_greater_equal(position, Order.size())) return;
  const int32_t w = Order[position];
  if (w < 0 || std::cmp_greater_equal(w, Marks.size())) return;
  Marks[w] = right ? kMarkRight : kMarkWrong;
}

int32_t TRirekiList::QuestionNumber(int32_t position) const {
  const auto end = Order.begin() + std::clamp<int64_t>(position, 0, int64_t(Order.size()));
  return 1 + int32_t(std::count_if(Order.begin(), end, [&](int32_t w) {
           return w >= 0 && std::cmp_less(w, Marks.size()) && Marks[w] != kMarkNotChosen;
         }));
}

void TRirekiList::FinishDrill() {
  const auto right = std::count(Marks.begin(), Marks.end(), kMarkRight);
  // A history read from a damaged file may hold any total; a record never holds a negative one.
  records_.push_back({std::max(Total, 0), static_cast<int32_t>(right)});
  InProgress = false;
}

namespace {

// Reads a count followed by that many int32 values, refusing a count the rest cannot hold.
bool ReadIntList(ByteReader& in, std::vector<int32_t>& out) {
  int32_t count = 0;
  if (!in.ReadInt32(count) || count < 0 || static_cast<size_t>(count) > in.Remaining() / 4)
    return false;
  out.reserve(size_t(count));
  PrepareLarge(out.data(), size_t(count) * 4);
  out.resize(size_t(count));
  return in.ReadInt32s(out.data(), out.size());
}

}  // namespace

bool TRirekiList::LoadFromStream(ByteReader& in) {
  int32_t finished = 0, total = 0, position = 0, recordCount = 0;
  std::vector<int32_t> marks, order;
  if (!in.ReadInt32(finished) || !in.ReadInt32(total) || !in.ReadInt32(position)) return false;
  if (!ReadIntList(in, marks) || !ReadIntList(in, order)) return false;
  if (!in.ReadInt32(recordCount) || recordCount < 0 ||
      static_cast<size_t>(recordCount) > in.Remaining() / 8)
    return false;
  std::vector<TRireki> records(recordCount);
  for (auto& r : records) r.LoadFromStream(in);

  InProgress = finished == 0;
  Total = total;
  Position = position;
  Marks = std::move(marks);
  Order = std::move(order);
  records_ = std::move(records);
  return true;
}

void TRirekiList::SaveToStream(ByteWriter& out) const {
  out.WriteInt32(InProgress ? 0 : 1);
  out.WriteInt32(Total);
  out.WriteInt32(Position);
  out.WriteInt32(static_cast<int32_t>(Marks.size()));
  out.WriteInt32s(Marks);
  out.WriteInt32(static_cast<int32_t>(Order.size()));
  out.WriteInt32s(Order);
  out.WriteInt32(static_cast<int32_t>(records_.size()));
  for (const auto& r : records_) r.SaveToStream(out);
}

}  // namespace norumi
