// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModelSamples.h"
#include "TempDir.h"
#include "WbkRunner.h"

namespace norumi::test {
namespace {

// The four stored fields of an entry.
struct Word {
  std::string japan;
  HangulCodes hangul;
  std::string setsumei, url;
  bool operator==(const Word&) const = default;
  friend void PrintTo(const Word& w, std::ostream* os) {
    *os << FromCp932(w.japan).toStdString() << " [" << w.hangul.size() << " codes] "
        << FromCp932(w.setsumei).toStdString() << " | " << w.url;
  }
};

std::vector<Word> Words(const std::filesystem::path& path) {
  TTangoList list;
  EXPECT_EQ(list.LoadFromFile(path), LoadStatus::Intact) << path;
  std::vector<Word> words;
  for (int i = 0; i < list.Count(); ++i) {
    const TTango& t = list.Tango(i);
    words.push_back({t.Japan, t.Hangul, t.Setsumei, t.Url});
  }
  return words;
}

TEST(WbkImport, ReadsAFlashCardExportIntoANewFile) {
  TempDir dir;
  const std::string tsv =
      "\xEF\xBB\xBF#separator:tab\r\n#html:false\r\n#columns:Korean\tJapanese\r\n"
      "개\t犬\r\n"
      "\r\n"
      "고양이\t猫\t家で飼う\\n動物\thttps://example.org/cat\r\n"
      "   \n"
      "개\t犬\n"     // the same word once more, LF this time
      "사과\t林檎";  // no line end at the end
  const WbkRun run = RunWbk({"import", Arg(dir / "第1課.wbk"), "-"}, tsv);
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "added 3 of 4 words\n");

  TTangoList list;
  ASSERT_EQ(list.LoadFromFile(dir / "第1課.wbk"), LoadStatus::Intact);
  EXPECT_EQ(list.Title, Sj("第1課"));
  EXPECT_EQ(
      Words(dir / "第1課.wbk"),
      (std::vector<Word>{
          {Sj("犬"), {0xAC1C, 0}, "", ""},
          {Sj("猫"), {0xACE0, 0xC591, 0xC774, 0}, Sj("家で飼う\n動物"), "https://example.org/cat"},
          {Sj("林檎"), {0xC0AC, 0xACFC, 0}, "", ""},
      }));

  // From a file this time, into the file that exists now.
  WriteBytes(dir / "more.tsv", "개\t犬\n개\t犬\t説明は別\n");
  const WbkRun more = RunWbk({"import", Arg(dir / "第1課.wbk"), Arg(dir / "more.tsv")});
  ASSERT_EQ(more.status, 0) << more.err;
  EXPECT_EQ(more.out, "added 1 of 2 words\n");  // a different explanation is another word
  EXPECT_EQ(Words(dir / "第1課.wbk").size(), 4u);

  const std::string before = ReadBytes(dir / "第1課.wbk");
  EXPECT_EQ(RunWbk({"import", Arg(dir / "第1課.wbk"), Arg(dir / "more.tsv")}).out,
            "added 0 of 2 words\n");
  EXPECT_EQ(ReadBytes(dir / "第1課.wbk"), before);  // not even rewritten
}

TEST(WbkImport, ABadLineRefusesTheWholeImport) {
  TempDir dir;
  TTangoList list;
  FillSample(list);
  list.SaveToFile(dir / "s.wbk");
  const std::string before = ReadBytes(dir / "s.wbk");
  const std::string good = "#c\n새\t鳥\n";  // lines 1 and 2: the bad line is line 3
  struct Case {
    std::string line;
    std::vector<std::string> named;
  } cases[] = {
      {"개\t犬개\n", {"line 3, Japanese column", "\"犬개\"", "U+AC1C"}},
      {"개\t犬\t설명\n", {"line 3, explanation column"}},
      {"개\t犬\t\thttps://ex.org/😀\n", {"line 3, URL column", "U+1F600"}},
      {"개만\n", {"line 3", "Japanese column"}},
      // A word that could never be asked: no Hangul to show, or no meaning to show.
      {"\t\t説明だけ\n", {"line 3: the Korean column holds no Hangul"}},
      {"abc \u200B\t犬\n", {"line 3: the Korean column holds no Hangul"}},
      {"사과\t\n", {"line 3: the Japanese column is empty"}},
      {"사과\t \u3000\\t\t説明\n", {"line 3: the Japanese column is empty"}},
      {"개\t犬\t\t\textra\n", {"line 3", "5 columns"}},
      {"개\t\xFF\xFE\n", {"line 3", "UTF-8"}},
  };
  for (const Case& c : cases) {
    for (const char* target : {"s.wbk", "new.wbk"}) {
      const WbkRun run = RunWbk({"import", Arg(dir / target), "-"}, good + c.line + good);
      EXPECT_EQ(run.status, 1) << c.line;
      for (const std::string& named : c.named)
        EXPECT_NE(run.err.find(named), std::string::npos) << run.err;
    }
  }
  EXPECT_EQ(ReadBytes(dir / "s.wbk"), before);
  EXPECT_EQ(FolderContents(dir.Path()), std::vector<std::string>{"s.wbk"});

  // A damaged file is not made worse by saving what little of it could be read.
  WriteBytes(dir / "s.wbk", before.substr(0, before.size() - 10));
  const WbkRun damaged = RunWbk({"import", Arg(dir / "s.wbk"), "-"}, good);
  EXPECT_EQ(damaged.status, 1);
  EXPECT_NE(damaged.err.find("truncated"), std::string::npos);
  EXPECT_EQ(ReadBytes(dir / "s.wbk"), before.substr(0, before.size() - 10));
  EXPECT_EQ(RunWbk({"import", Arg(dir / "s.wbk"), Arg(dir / "none.tsv")}).status, 1);
}

TEST(WbkImport, EveryRefusedLineIsNamedAndSkippedOnlyWhenAsked) {
  // Lines 1, 3, … 49 are good words; 2, 4, … 50 are refused, in two different ways.
  std::string mixed, refusedOnly;
  for (int i = 1; i <= 25; ++i) {
    mixed += "개\t犬" + std::to_string(i) + "\n";
    mixed += i % 2 ? "개\t犬개\n" : "개만\n";
  }
  for (int i = 0; i < 3; ++i) refusedOnly += "개\t😀\n";
  struct Case {
    std::string tsv;
    bool skip;
    int status;
    size_t words;  // in the file afterwards; 0 when it is not made
    size_t named;  // refused lines named on their own
    std::vector<std::string> said;
  } cases[] = {
      {mixed,
       false,
       1,
       0,
       20,
       {"line 2, Japanese column", "line 4: there is no Japanese", "line 40", "and 5 more",
        "25 lines refused"}},
      {mixed, true, 0, 25, 20, {"line 2, Japanese column", "and 5 more", "skipped 25 lines"}},
      {refusedOnly, true, 1, 0, 3, {"line 3, Japanese column", "U+1F600"}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    QStringList args = {"import", Arg(dir / "w.wbk"), "-"};
    if (c.skip) args << "--skip-invalid";
    const WbkRun run = RunWbk(args, c.tsv);
    const std::string row = args.join(' ').toStdString();
    EXPECT_EQ(run.status, c.status) << row << run.err;
    EXPECT_EQ(Occurrences(run.err, "wbk import: line "), c.named) << run.err;
    EXPECT_EQ(run.err.find("line 42"), std::string::npos) << run.err;
    for (const std::string& said : c.said)
      EXPECT_NE(run.err.find(said), std::string::npos) << run.err;
    if (c.words == 0)
      EXPECT_TRUE(FolderContents(dir.Path()).empty()) << row;
    else
      EXPECT_EQ(Words(dir / "w.wbk").size(), c.words) << row;
  }
}

TEST(WbkExport, WhatItWritesImportsBackAsTheSameWords) {
  TempDir dir;
  TTangoList list;
  list.Title = "src";
  AddWord(list, Sj("犬"), {0xAC1C, 0}, "dog", "https://example.org/dog");
  AddWord(list, Sj("改行\r\nとタブ\tと\\n"), {0xD55C, 0}, Sj("一行目\r\n二行目\t\\"), "");
  AddWord(list, "#", {'#', 0xD574, 0}, "", "");  // would read as a comment line
  AddWord(list, Sj("表ソ"), {'a', ' ', 0xAC00, 0}, "", "url\\");
  list.SaveToFile(dir / "src.wbk");

  const WbkRun exported = RunWbk({"export", Arg(dir / "src.wbk")});
  ASSERT_EQ(exported.status, 0) << exported.err;
  size_t dataLines = 0;
  for (const QString& line : QString::fromStdString(exported.out).split('\n', Qt::SkipEmptyParts)) {
    if (line.startsWith('#')) continue;
    ++dataLines;
    EXPECT_EQ(line.count('\t'), 3) << line.toStdString();  // four columns, always
  }
  EXPECT_EQ(dataLines, 4u);

  const WbkRun imported = RunWbk({"import", Arg(dir / "copy.wbk"), "-"}, exported.out);
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(Words(dir / "copy.wbk"), Words(dir / "src.wbk"));
}

// Long enough to be written in several batches and read back in several parts at once, with a
// word longer than a block of records: the words come back in their order, and a refused line
// is named by its line in the whole text.
TEST(WbkExport, ALongListComesBackInOrderWithItsLinesCounted) {
  TempDir dir;
  TTangoList list;
  constexpr int kWords = 40'000;
  for (int n = 0; kWords > n; ++n)
    AddWord(list, "w" + std::to_string(n), {0xAC00 + n % 11172, 0},
            "explanation number " + std::to_string(n), "");
  AddWord(list, "long", {0xAC00, 0}, std::string(3 << 20, 'x'), "");  // longer than a block
  list.SaveToFile(dir / "long.wbk");

  const WbkRun exported = RunWbk({"export", Arg(dir / "long.wbk")});
  ASSERT_EQ(exported.status, 0) << exported.err;
  ASSERT_GT(exported.out.size(), size_t(1) << 20);
  const WbkRun imported =
      RunWbk({"import", Arg(dir / "copy.wbk"), "-", "--skip-invalid"}, exported.out + "last\n");
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_EQ(Words(dir / "copy.wbk"), Words(dir / "long.wbk"));
  const int lastLine = 3 + kWords + 2;  // after the three header lines and the long word
  EXPECT_NE(imported.err.find("line " + std::to_string(lastLine) + ": there is no Japanese"),
            std::string::npos)
      << imported.err;
}

}  // namespace
}  // namespace norumi::test
