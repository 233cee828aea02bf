// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>

#include "ModelSamples.h"
#include "TempDir.h"
#include "model/ByteStream.h"
#include "model/TangoList.h"

namespace norumi {
namespace {

std::string SampleBytes(TTangoList& list) {
  test::FillSample(list);
  ByteWriter out;
  list.SaveToStream(out);
  return out.Data();
}

LoadStatus Load(TTangoList& list, const std::string& bytes) {
  list.ClearEntries();
  ByteReader in(bytes);
  return list.LoadFromStream(in);
}

void PutInt(std::string& bytes, size_t at, int32_t value) {
  std::memcpy(bytes.data() + at, &value, 4);
}

TEST(DamagedFile, EveryTruncationKeepsTheHeaderReadSoFarAndNoEntries) {
  TTangoList sample;
  const std::string bytes = SampleBytes(sample);
  for (size_t size = 0; size < bytes.size(); ++size) {
    TTangoList list;
    EXPECT_EQ(Load(list, bytes.substr(0, size)), LoadStatus::Truncated) << size;
    EXPECT_EQ(list.Count(), 0) << size;
    if (size >= 12) {
      EXPECT_EQ(list.Key, sample.Key);
    }
  }
  // Whole header, entries cut: the header is complete.
  TTangoList list;
  Load(list, bytes.substr(0, bytes.size() - 40));
  EXPECT_EQ(list.Title, sample.Title);
  EXPECT_TRUE(list.ReadOnly);
}

// The selection window shows a title from the header alone: what a full load would show, also
// when a long title outgrows the first bytes read.
TEST(DamagedFile, TheHeaderAloneGivesTheTitleAFullLoadGivesForEveryCut) {
  test::TempDir dir;
  const auto path = dir / "w.wbk";
  for (const size_t titleSize : {size_t(0), size_t(70'000)}) {
    TTangoList sample;
    test::FillSample(sample);
    if (titleSize > 0) sample.Title = std::string(titleSize, 't');
    ByteWriter out;
    sample.SaveToStream(out);
    const std::string bytes = out.Data();
    const size_t step = titleSize > 0 ? 4999 : 1;
    for (size_t size = 0;; size = std::min(size + step, bytes.size())) {
      test::WriteBytes(path, bytes.substr(0, size));
      TTangoList full, header;
      full.LoadFromFile(path);
      header.LoadHeaderFromFile(path);
      EXPECT_EQ(header.Title, full.Title) << size;
      EXPECT_EQ(header.Url, full.Url) << size;
      EXPECT_EQ(header.Count(), 0);
      if (size == bytes.size()) break;
    }
  }
}

TEST(DamagedFile, EveryFlippedByteLoadsWithEntriesOnlyWhenIntact) {
  TTangoList sample;
  const std::string bytes = SampleBytes(sample);
  for (size_t at = 0; at < bytes.size(); ++at) {
    for (unsigned char flip : {0x01, 0x80, 0xFF}) {
      std::string damaged = bytes;
      damaged[at] = static_cast<char>(damaged[at] ^ flip);
      TTangoList list;
      const LoadStatus status = Load(list, damaged);
      if (status != LoadStatus::Intact) {
        EXPECT_EQ(list.Count(), 0) << at;
      }
      // A damaged history never makes the guarded operations step outside their lists.
      for (TRirekiList* h : {&list.RirekiJap2Kor, &list.RirekiKor2Jap}) {
        int32_t p = h->Position;
        while (h->NextQuestion(p, false) >= 0) h->MarkAnswer(p++, true);
        p = h->Position;
        h->NextQuestion(p, true);
        h->MarkAnswer(h->Position, false);
      }
    }
  }
}

TEST(DamagedFile, WrongMarkersGiveTheirDocumentedResults) {
  TTangoList sample;
  const std::string bytes = SampleBytes(sample);
  const int32_t key = sample.Key;
  // Offsets of the markers: the first after the header, the others found from the end.
  const size_t third = bytes.size() - 4;
  ByteReader probe(bytes);
  TTangoList header;
  ASSERT_EQ(header.LoadFromStream(probe), LoadStatus::Intact);

  std::string wrong = bytes;
  PutInt(wrong, third, key + 1);
  TTangoList list;
  EXPECT_EQ(Load(list, wrong), LoadStatus::ThirdMarker);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.RirekiJap2Kor.Count(), 1);  // the histories just read stay
  EXPECT_EQ(list.RirekiKor2Jap.Marks, sample.RirekiKor2Jap.Marks);

  const size_t historyBytes = 4 * (6 + 3 + 3) + 8 + 4 * (6 + 3 + 3);
  const size_t second = third - historyBytes - 4;
  ASSERT_EQ(std::memcmp(bytes.data() + second, &key, 4), 0);
  wrong = bytes;
  PutInt(wrong, second, key ^ 0x100);
  TTangoList kept;
  test::FillSample(kept);
  kept.RirekiJap2Kor.ClearRecords();
  EXPECT_EQ(Load(kept, wrong), LoadStatus::SecondMarker);
  EXPECT_EQ(kept.Count(), 0);
  EXPECT_EQ(kept.RirekiJap2Kor.Count(), 0);  // histories not read

  const size_t first = 12 + 4 * 4 + 9 + 4 + 4 + 25 + 8;  // int32 ×3, four strings, two int32
  ASSERT_EQ(std::memcmp(bytes.data() + first, &key, 4), 0);
  wrong = bytes;
  PutInt(wrong, first, 0);
  TTangoList headerOnly;
  EXPECT_EQ(Load(headerOnly, wrong), LoadStatus::FirstMarker);
  EXPECT_EQ(headerOnly.Count(), 0);
  EXPECT_EQ(headerOnly.Creator, "teacher01");
  EXPECT_EQ(headerOnly.Kaisetsu, 1);
}

TEST(DamagedFile, ImpossibleLengthsAreRefusedBeforeAnythingIsAllocated) {
  TTangoList sample;
  const std::string bytes = SampleBytes(sample);
  const int32_t key = sample.Key;
  for (int32_t bad : {-1, 0x7FFFFFFF, 0x40000000, -0x7FFFFFFF}) {
    std::string damaged = bytes;
    PutInt(damaged, 12, bad ^ key);  // the creator's length
    TTangoList list;
    EXPECT_EQ(Load(list, damaged), LoadStatus::Truncated);
    EXPECT_EQ(list.Creator, "");

    damaged = bytes;
    const size_t count = 12 + 4 * 4 + 9 + 4 + 4 + 25 + 8 + 4;
    PutInt(damaged, count, bad ^ key);  // the entry count
    EXPECT_EQ(Load(list, damaged), LoadStatus::Truncated);
    EXPECT_EQ(list.Title, sample.Title);
  }
}

TEST(DamagedFile, HistoryFromADamagedFileIsGuarded) {
  TRirekiList h;
  h.Marks = {0, 0};
  h.Order = {5, -3, 1, 0};
  int32_t p = -7;
  EXPECT_EQ(h.NextQuestion(p, false), 1);
  EXPECT_EQ(p, 2);
  p = 0;
  EXPECT_EQ(h.NextQuestion(p, true), 1);  // indices outside Marks are never asked
  h.MarkAnswer(0, true);
  h.MarkAnswer(1, true);
  h.MarkAnswer(99, true);
  h.MarkAnswer(-1, true);
  EXPECT_EQ(h.Marks, (std::vector<int32_t>{0, 0}));
  h.MarkAnswer(3, false);
  EXPECT_EQ(h.Marks, (std::vector<int32_t>{-1, 0}));
  p = 40;
  EXPECT_EQ(h.NextQuestion(p, true), -1);
}

}  // namespace
}  // namespace norumi
