// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <utility>

#include "ModelSamples.h"
#include "TempDir.h"
#include "model/ByteStream.h"
#include "model/TangoList.h"

namespace norumi {
namespace {

using test::AddWord;
using test::FixedClock;

std::vector<int32_t> Ints(const std::string& bytes) {
  ByteReader in(bytes);
  std::vector<int32_t> values;
  for (int32_t v; in.ReadInt32(v);) values.push_back(v);
  return values;
}

void ExpectSameContent(const TTangoList& a, const TTangoList& b) {
  EXPECT_EQ(a.Version, b.Version);
  EXPECT_EQ(a.Creator, b.Creator);
  EXPECT_EQ(a.UserName, b.UserName);
  EXPECT_EQ(a.Title, b.Title);
  EXPECT_EQ(a.Url, b.Url);
  EXPECT_EQ(a.ReadOnly, b.ReadOnly);
  EXPECT_EQ(a.Kaisetsu, b.Kaisetsu);
  ASSERT_EQ(a.Count(), b.Count());
  for (int i = 0; i < a.Count(); ++i) {
    EXPECT_EQ(a.Tango(i).Japan, b.Tango(i).Japan);
    EXPECT_EQ(a.Tango(i).Hangul, b.Tango(i).Hangul);
    EXPECT_EQ(a.Tango(i).Setsumei, b.Tango(i).Setsumei);
    EXPECT_EQ(a.Tango(i).Url, b.Tango(i).Url);
  }
  for (auto [x, y] : {std::pair{&a.RirekiJap2Kor, &b.RirekiJap2Kor},
                      std::pair{&a.RirekiKor2Jap, &b.RirekiKor2Jap}}) {
    EXPECT_EQ(x->InProgress, y->InProgress);
    EXPECT_EQ(x->Total, y->Total);
    EXPECT_EQ(x->Position, y->Position);
    EXPECT_EQ(x->Marks, y->Marks);
    EXPECT_EQ(x->Order, y->Order);
    EXPECT_EQ(x->Records(), y->Records());
  }
}

TEST(WordFileFormat, EmptyListIsHundredBytesLaidOutAsDocumented) {
  TTangoList list;
  list.Version = 5;
  ByteWriter out;
  list.SaveToStream(out);
  ASSERT_EQ(out.Data().size(), 100u);
  const auto v = Ints(out.Data());
  const int32_t key = v[2];
  EXPECT_GE(key, 3);
  EXPECT_LE(key, 242);
  const std::vector<int32_t> expected = {1,   5,       key, key, key, key, key, 1 ^ key, 0 ^ key,
                                         key, 0 ^ key, key, 1,   0,   0,   0,   0,       0,
                                         1,   0,       0,   0,   0,   0,   key};
  EXPECT_EQ(v, expected);
}

TEST(WordFileFormat, EveryFieldSurvivesSavingAndLoading) {
  test::TempDir dir;
  TTangoList list;
  test::FillSample(list);
  list.SaveToFile(dir / "a.wbk");
  const std::string first = test::ReadBytes(dir / "a.wbk");

  TTangoList loaded;
  EXPECT_EQ(loaded.LoadFromFile(dir / "a.wbk"), LoadStatus::Intact);
  ExpectSameContent(list, loaded);
  EXPECT_EQ(loaded.Key, list.Key);

  // A new key at every save: the bytes differ (almost always), the content does not.
  bool differed = false;
  for (int i = 0; i < 5 && !differed; ++i) {
    loaded.SaveToFile(dir / "b.wbk");
    differed = test::ReadBytes(dir / "b.wbk") != first;
  }
  EXPECT_TRUE(differed);
  TTangoList again;
  again.LoadFromFile(dir / "b.wbk");
  ExpectSameContent(list, again);
}

TEST(WordFileFormat, ReadOnlyIsSetOnlyByAZeroAfterUnmasking) {
  TTangoList list;
  list.ReadOnly = true;
  ByteWriter out;
  list.SaveToStream(out);
  std::string bytes = out.Data();
  for (int32_t stored : {0, 1, 2, -1, 77}) {
    const int32_t masked = stored ^ list.Key;
    std::memcpy(bytes.data() + 28, &masked, 4);  // field 8, after three int32 and four strings
    TTangoList read;
    ByteReader in(bytes);
    EXPECT_EQ(read.LoadFromStream(in), LoadStatus::Intact);
    EXPECT_EQ(read.ReadOnly, stored == 0) << stored;
  }
}

TEST(WordFileFormat, TextEndsAtItsFirstZeroByte) {
  TTangoList list;
  AddWord(list, std::string("ab\0cd", 5), {1});
  ByteWriter out;
  list.SaveToStream(out);
  TTangoList read;
  ByteReader in(out.Data());
  read.LoadFromStream(in);
  EXPECT_EQ(read.Tango(0).Japan, "ab");
}

// A file written elsewhere may hold a zero byte inside a text: a load reads the text up to it,
// whether the entry is looked at or saved again unseen, and an entry left with neither meaning
// nor Korean is gone at the next save.
TEST(WordFileFormat, LoadCutsATextAtItsFirstZeroByte) {
  test::TempDir dir;
  TTangoList list;
  AddWord(list, "ab#cd", {1}, "s#t", "#u");
  AddWord(list, "#x", {});
  list.SaveToFile(dir / "z.wbk");
  std::string bytes = test::ReadBytes(dir / "z.wbk");
  const char low = char(list.Key & 0xFF);
  for (std::string text : {"ab#cd", "s#t", "#u", "#x"}) {
    for (char& c : text) c = char(c ^ low);
    const size_t at = bytes.find(text);
    ASSERT_NE(at, std::string::npos);
    bytes[at + text.find(char('#' ^ low))] = low;  // a zero once unmasked
  }
  for (const bool viewFirst : {true, false}) {
    test::WriteBytes(dir / "z.wbk", bytes);
    TTangoList loaded;
    ASSERT_EQ(loaded.LoadFromFile(dir / "z.wbk"), LoadStatus::Intact);
    if (viewFirst) {
      EXPECT_EQ(loaded.View(0).Japan, "ab");
      EXPECT_TRUE(loaded.View(1).IsEmpty());
    }
    loaded.SaveToFile(dir / "z.wbk");
    TTangoList again;
    again.LoadFromFile(dir / "z.wbk");
    ASSERT_EQ(again.Count(), 1) << viewFirst;
    const TTango entry = std::as_const(again).Tango(0);
    EXPECT_EQ(entry.Japan, "ab");
    EXPECT_EQ(entry.Setsumei, "s");
    EXPECT_EQ(entry.Url, "");
  }
}

TEST(WordList, EntriesWithBothFieldsEmptyAreDroppedOnSave) {
  TTangoList list;
  AddWord(list, "", {});
  AddWord(list, "only meaning", {});
  AddWord(list, "", {});
  AddWord(list, "", {0xAC00});
  ByteWriter out;
  list.SaveToStream(out);
  ASSERT_EQ(list.Count(), 2);  // also gone from the list in memory
  EXPECT_EQ(list.Tango(0).Japan, "only meaning");
  EXPECT_EQ(list.Tango(1).Hangul, HangulCodes{0xAC00});
}

TEST(WordList, LabelsAreRunningNumbersNeverReused) {
  TTangoList list;
  for (int i = 0; i < 3; ++i) AddWord(list, std::to_string(i), {i});
  test::TempDir dir;
  list.SaveToFile(dir / "l.wbk");
  TTangoList loaded;
  loaded.AddNew();  // replaced by the load
  loaded.LoadFromFile(dir / "l.wbk");
  loaded.DeleteAt(1);
  loaded.AddNew();
  ASSERT_EQ(loaded.Count(), 3);
  EXPECT_EQ(loaded.Label(0), "0");
  EXPECT_EQ(loaded.Label(1), "2");
  EXPECT_EQ(loaded.Label(2), "3");
  loaded.ClearEntries();
  EXPECT_EQ(loaded.AddNew().Japan, "");
  EXPECT_EQ(loaded.Label(0), "0");
}

TEST(WordList, LoadingAMissingFileKeepsEverything) {
  test::TempDir dir;
  TTangoList list;
  test::FillSample(list);
  EXPECT_EQ(list.LoadFromFile(dir / "none.wbk"), LoadStatus::Missing);
  TTangoList reference;
  test::FillSample(reference);
  ExpectSameContent(reference, list);
}

TEST(WordList, LoadingTwiceKeepsOnlyTheFilesRecords) {
  test::TempDir dir;
  TTangoList list;
  test::FillSample(list);
  list.SaveToFile(dir / "r.wbk");
  TTangoList loaded;
  loaded.LoadFromFile(dir / "r.wbk");
  loaded.LoadFromFile(dir / "r.wbk");
  EXPECT_EQ(loaded.RirekiJap2Kor.Count(), 1);
  EXPECT_EQ(loaded.Count(), 3);
}

// Reading a stream adds its entries to those held, each file masked under a key of its own.
TEST(WordList, StreamsReadInTurnAddTheirEntries) {
  std::vector<std::string> files;
  for (const char* japan : {"first", "second"}) {
    TTangoList list;
    AddWord(list, japan, {1, 2});
    ByteWriter out;
    list.SaveToStream(out);
    files.push_back(out.Data());
  }
  TTangoList read;
  for (const std::string& file : files) {
    ByteReader in(file);
    ASSERT_EQ(read.LoadFromStream(in), LoadStatus::Intact);
  }
  ASSERT_EQ(read.Count(), 2);
  EXPECT_EQ(read.View(0).Japan, "first");
  EXPECT_EQ(std::as_const(read).Tango(1).Japan, "second");
  EXPECT_EQ(read.Label(1), "1");
}

TEST(WordList, FindAndContainsCompareExactly) {
  TTangoList list;
  AddWord(list, "inu", {1, 2, 0}, "s", "u");
  AddWord(list, "inu", {1, 2});
  AddWord(list, "Inu", {1, 2, 0});
  std::vector<TTango*> found{nullptr};  // the result list is appended to, not cleared
  EXPECT_EQ(list.FindByJapan("inu", found), 2);
  EXPECT_EQ(found.size(), 3u);
  EXPECT_EQ(found[1], &list.Tango(0));

  TTango probe;
  probe.Assign(list.Tango(0));
  EXPECT_TRUE(list.Contains(probe));
  probe.Url = "other";
  EXPECT_FALSE(list.Contains(probe));
  EXPECT_TRUE(probe.IsSameWord(list.Tango(0)));
}

TEST(WordList, AssignCopiesTheStoredFieldsOnly) {
  TTango source;
  source.Japan = "j";
  source.Hangul = {5};
  source.Setsumei = "s";
  source.Url = "u";
  source.DisplayOnly = true;
  source.Key = 9;
  TTangoList list;
  const TTango& copy = list.AddCopy(source);
  EXPECT_TRUE(copy.IsSameWord(source));
  EXPECT_EQ(copy.Setsumei, "s");
  EXPECT_EQ(copy.Url, "u");
  EXPECT_FALSE(copy.DisplayOnly);
  EXPECT_EQ(copy.Key, 0);
}

// The documented merge, compared N×M, as the reference for the hashed one.
std::vector<std::pair<std::string, HangulCodes>> NaiveMerge(const TTangoList& into,
                                                            const TTangoList& other) {
  std::vector<std::pair<std::string, HangulCodes>> result;
  for (int i = 0; i < into.Count(); ++i)
    result.emplace_back(into.Tango(i).Japan, into.Tango(i).Hangul);
  const size_t n = result.size();
  for (int i = 0; i < other.Count(); ++i) {
    const TTango& e = other.Tango(i);
    bool held = false;
    for (size_t j = 0; j < n && !held; ++j)
      held = result[j].first == e.Japan && result[j].second == e.Hangul;
    if (!held) result.emplace_back(e.Japan, e.Hangul);
  }
  return result;
}

// Merges `other` into `into` as the quiz's list is built: the merged list is used up.
void MergeMoving(TTangoList& into, std::unique_ptr<TTangoList> other) {
  std::vector<std::unique_ptr<TTangoList>> others;
  others.push_back(std::move(other));
  into.MergeAllMoving(std::move(others));
}

TEST(WordListMerge, MatchesTheDocumentedResult) {
  FixedClock clock;
  auto& rnd = RandomSource::Instance();
  for (int round = 0; round < 50; ++round) {
    TTangoList a;
    auto b = std::make_unique<TTangoList>();
    for (int i = rnd.Random(12); i > 0; --i)
      AddWord(a, std::string(1, char('a' + rnd.Random(3))), {rnd.Random(3)});
    for (int i = rnd.Random(12); i > 0; --i)
      AddWord(*b, std::string(1, char('a' + rnd.Random(3))), {rnd.Random(3)}, "x");
    const auto expected = NaiveMerge(a, *b);
    MergeMoving(a, std::move(b));
    ASSERT_EQ(a.Count(), int(expected.size()));
    for (int i = 0; i < a.Count(); ++i) {
      EXPECT_EQ(a.Tango(i).Japan, expected[i].first);
      EXPECT_EQ(a.Tango(i).Hangul, expected[i].second);
    }
  }
}

TEST(WordListMerge, MergingSeveralAtOnceEqualsMergingInTurn) {
  FixedClock clock;
  auto& rnd = RandomSource::Instance();
  for (int round = 0; round < 30; ++round) {
    TTangoList inTurn, atOnce;
    std::vector<std::unique_ptr<TTangoList>> others(3), same(3);
    for (size_t o = 0; o < others.size(); ++o) {
      others[o] = std::make_unique<TTangoList>();
      same[o] = std::make_unique<TTangoList>();
      for (int i = rnd.Random(8); i > 0; --i) {
        const std::string japan(1, char('a' + rnd.Random(3)));
        const int32_t code = rnd.Random(2);
        AddWord(*others[o], japan, {code});
        AddWord(*same[o], japan, {code});
      }
    }
    AddWord(inTurn, "a", {0});
    AddWord(atOnce, "a", {0});
    for (auto& other : same) MergeMoving(inTurn, std::move(other));
    atOnce.MergeAllMoving(std::move(others));
    ASSERT_EQ(atOnce.Count(), inTurn.Count());
    for (int i = 0; i < atOnce.Count(); ++i)
      EXPECT_TRUE(atOnce.Tango(i).IsSameWord(inTurn.Tango(i)));
  }
}

TEST(WordListMerge, KeepsHeaderAndSkipsSameWords) {
  TTangoList a;
  auto self = std::make_unique<TTangoList>(), b = std::make_unique<TTangoList>();
  test::FillSample(a);
  test::FillSample(*self);
  MergeMoving(a, std::move(self));
  EXPECT_EQ(a.Count(), 3);  // merging with the same words appends nothing

  AddWord(*b, a.Tango(0).Japan, a.Tango(0).Hangul, "other explanation", "other url");
  AddWord(*b, "new", {1});
  AddWord(*b, "new", {1});
  b->Title = "b";
  const TTango first = std::as_const(*b).Tango(0);
  MergeMoving(a, std::move(b));
  ASSERT_EQ(a.Count(), 5);  // a word only differing in explanation is not new; "new" twice is
  EXPECT_EQ(a.Title, "\x95\x5C\x83\x5C");
  EXPECT_FALSE(a.Contains(first));
}

}  // namespace
}  // namespace norumi
