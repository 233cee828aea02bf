// SPDX-License-Identifier: GPL-3.0-or-later
#include <QProcess>
#include <fstream>
#include <map>
#include <set>

#include "TempDir.h"
#include "WbkRunner.h"

namespace norumi::test {
namespace {

struct Starter {
  const char* tsv;
  const char* title;
};
const Starter kStarters[] = {
    {"1-greetings.tsv", "はじめての韓国語 1 あいさつと基本"},
    {"2-everyday.tsv", "はじめての韓国語 2 身の回り"},
    {"3-verbs-adjectives.tsv", "はじめての韓国語 3 動詞と形容詞"},
};

// Meanings that more than one Korean word answers rightly. Any other meaning belongs to one
// word only, or the Japanese-to-Korean quiz would accept a word the learner did not mean.
const std::set<std::string> kSharedMeanings = {"こんにちは", "ありがとうございます", "はい", "私"};

int WordLines(const std::filesystem::path& tsv) {
  std::ifstream in(tsv);
  int lines = 0;
  for (std::string line; std::getline(in, line);) lines += !line.empty() && line[0] != '#';
  return lines;
}

TEST(StarterWords, EveryFileIsBuiltWholeUnderItsTitle) {
  std::map<std::string, std::set<HangulCodes>> wordsOfMeaning;
  for (const Starter& starter : kStarters) {
    SCOPED_TRACE(starter.title);
    const std::string name = std::string(starter.title) + ".wbk";
    TTangoList list;
    ASSERT_EQ(list.LoadFromFile(std::filesystem::path(NORUMI_STARTER_DIR) /
                                ToPath(QString::fromStdString(name))),
              LoadStatus::Intact);
    EXPECT_EQ(list.Title, Sj(starter.title));
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path(NORUMI_PROGRAM_DIR) /
                                        ToPath(QString::fromStdString(name))));
    const int lines = WordLines(std::filesystem::path(NORUMI_STARTER_SOURCE) / starter.tsv);
    EXPECT_GE(lines, 55);
    ASSERT_EQ(list.Count(), lines);
    std::set<std::pair<HangulCodes, std::string>> seen;
    for (int i = 0; i < list.Count(); ++i) {
      const TTango& word = list.Tango(i);
      EXPECT_GT(word.Hangul.size(), 1u) << word.Japan;
      EXPECT_FALSE(word.Japan.empty());
      EXPECT_TRUE(seen.insert({word.Hangul, word.Japan}).second) << "twice: " << word.Japan;
      wordsOfMeaning[word.Japan].insert(word.Hangul);
    }
  }
  for (const auto& [meaning, words] : wordsOfMeaning) {
    const std::string text = FromCp932(meaning).toStdString();
    EXPECT_EQ(words.size(), kSharedMeanings.contains(text) ? 2u : 1u) << text;
  }
}

TEST(StarterWords, LayingThemAgainLeavesTheLearnersFilesAlone) {
  TempDir staged, folder;
  WriteBytes(staged / "a.wbk", "built 1");
  WriteBytes(folder / "notes.txt", "kept");
  const auto lay = [&] {
    QProcess cmake;
    cmake.start(QStringLiteral(NORUMI_CMAKE),
                {"-DSTAGED=" + FromPath(staged.Path()), "-DFOLDER=" + FromPath(folder.Path()), "-P",
                 QStringLiteral(NORUMI_LAY_STARTER_SCRIPT)});
    ASSERT_TRUE(cmake.waitForFinished(60'000));
    ASSERT_EQ(cmake.exitCode(), 0) << cmake.readAllStandardError().toStdString();
  };
  lay();
  EXPECT_EQ(ReadBytes(folder / "a.wbk"), "built 1");
  // The learner answers (the file changes), then the words are rebuilt.
  WriteBytes(folder / "a.wbk", "with history");
  WriteBytes(staged / "a.wbk", "built 2");
  WriteBytes(staged / "b.wbk", "new starter");
  lay();
  EXPECT_EQ(ReadBytes(folder / "a.wbk"), "with history");
  EXPECT_EQ(ReadBytes(folder / "b.wbk"), "new starter");
  EXPECT_EQ(FolderContents(folder.Path()),
            (std::vector<std::string>{"a.wbk", "b.wbk", "notes.txt"}));
}

}  // namespace
}  // namespace norumi::test
