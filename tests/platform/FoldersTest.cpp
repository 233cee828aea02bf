// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QStandardPaths>

#include "PlatformDoubles.h"
#include "TempDir.h"
#include "platform/Folders.h"
#include "platform/text/WordFileName.h"

namespace norumi {
namespace {

namespace fs = std::filesystem;

struct Layout {
  const char* name;
  bool installed;         // the data lies in ../share/norumi beside the bin folder
  bool programWritable;   // a file can be made in the program's folder (root makes one anywhere)
  bool wordsWithLearner;  // the word folder is the learner's own
};

class FoldersOfLayout : public testing::TestWithParam<Layout> {};

TEST_P(FoldersOfLayout, KeepsWordsBesideAPortableCopyThatCanBeWritten) {
  const Layout& layout = GetParam();
  test::TempDir root;
  fs::create_directories(root / "bin");
  if (layout.installed) fs::create_directories(root / "share" / "norumi");
  // Even root cannot make a file in /proc: a folder no permission bits can fake.
  const fs::path program = layout.programWritable ? root / "bin" : fs::path("/proc/self");
  const fs::path learner = root / "home" / "tarumo" / "norumi";

  const ProgramFolders folders = FoldersOf(program, learner);
  EXPECT_EQ(folders.words, layout.wordsWithLearner ? learner : program);
  EXPECT_EQ(folders.data, layout.installed ? root / "share" / "norumi" : program);
  EXPECT_TRUE(fs::is_empty(root / "bin"));  // the probe leaves nothing behind
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, FoldersOfLayout,
    testing::Values(Layout{"portable", false, true, false},
                    Layout{"portableReadOnly", false, false, true},
                    Layout{"installedEvenWhereBinCanBeWritten", true, true, true}),
    [](const testing::TestParamInfo<Layout>& info) { return std::string(info.param.name); });

// The first start gives the learner writable copies of the starter files and nothing else; a
// later start leaves the folder as the learner keeps it.
TEST(PrepareWordFolder, GivesTheStarterFilesOnlyAtTheFirstStart) {
  test::TempDir root;
  const fs::path data = root / "share" / "norumi";
  fs::create_directories(data);
  test::WriteBytes(data / "start.WBK", "words");
  test::WriteBytes(data / "euc2uni.dll", "table");
  fs::permissions(data / "start.WBK", fs::perms::owner_read | fs::perms::others_read);
  const ProgramFolders folders{root / "home" / ".local" / "tarumo" / "norumi", data};

  ASSERT_TRUE(PrepareWordFolder(folders));
  EXPECT_EQ(test::ReadBytes(folders.words / "start.WBK"), "words");
  EXPECT_FALSE(fs::exists(folders.words / "euc2uni.dll"));
  EXPECT_NE(fs::status(folders.words / "start.WBK").permissions() & fs::perms::owner_write,
            fs::perms::none);
  EXPECT_EQ(std::distance(fs::directory_iterator(folders.words.parent_path()), {}), 1);

  fs::remove(folders.words / "start.WBK");
  test::WriteBytes(folders.words / "mine.wbk", "mine");
  ASSERT_TRUE(PrepareWordFolder(folders));
  EXPECT_FALSE(fs::exists(folders.words / "start.WBK"));
  EXPECT_EQ(test::ReadBytes(folders.words / "mine.wbk"), "mine");
}

// Something where the learner's word folder belongs: the program says what and where at start,
// and takes the program's own folder or a chosen one for this run, or starts as it is.
struct InTheWay {
  const char* name;
  const char* blocked;  // made a broken link or a file, under the root
  bool link, programWritable;
  std::optional<const char*> chosen;  // the folder dialog's answer, under the root; "" cancels
  const char* words;                  // the word folder taken: "program" or under the root
  const char* said;                   // what is in the way; %2 where
};

class WordFolderInTheWay : public testing::TestWithParam<InTheWay> {};

TEST_P(WordFolderInTheWay, SaysWhatAndWhereAndOffersAnotherFolder) {
  const InTheWay& row = GetParam();
  test::TempDir root;
  const fs::path blocked = root / row.blocked, learner = root / "home" / "tarumo" / "norumi";
  fs::create_directories(blocked.parent_path());
  row.link ? fs::create_symlink(root / "gone", blocked) : test::WriteBytes(blocked, "");
  const fs::path program = row.programWritable ? root.Path() : fs::path("/proc/self");
  QString text = QStringLiteral("単語フォルダ「%1」を作れません。\n") + row.said +
                 "\nそれを移動するか削除すると、次回の起動からはそこに作ります。\n\n" +
                 (row.programWritable
                      ? "今回はプログラムのフォルダ「%3」を単語フォルダとして使いますか？\n"
                        "「いいえ」を選ぶと、別のフォルダを選べます。"
                      : "今回使う単語フォルダを選びますか？\n「いいえ」を選ぶと、このまま起動します"
                        "（単語ファイルと設定は読み書きできません）。");
  text.replace("%1", FromPath(learner)).replace("%2", FromPath(blocked));
  test::ScriptedDialogs dialogs;
  dialogs.ExpectMessage(text.replace("%3", FromPath(program)), "単語フォルダ", MsgIcon::Stop,
                        MsgButtons::YesNo, MsgAnswer::Yes);
  if (row.chosen)
    dialogs.ExpectFolder("今回使う単語フォルダを選んでください",
                         **row.chosen ? std::optional(FromPath(root / *row.chosen)) : std::nullopt);
  const fs::path words = SettleWordFolder({learner, root / "data"}, program, dialogs).words;
  EXPECT_EQ(words, std::string_view(row.words) == "program" ? program : root / row.words);
}

INSTANTIATE_TEST_SUITE_P(
    Obstacles, WordFolderInTheWay,
    testing::Values(InTheWay{"brokenLink", "home/tarumo/norumi", true, true, std::nullopt,
                             "program", "そこにはリンク先のないシンボリックリンクがあります。"},
                    InTheWay{"file", "home/tarumo/norumi", false, false, "home", "home",
                             "そこにはファイルがあります。"},
                    InTheWay{"fileAboveCancelled", "home/tarumo", false, false, "",
                             "home/tarumo/norumi",
                             "途中のフォルダ「%2」の場所にファイルがあります。"}),
    [](const testing::TestParamInfo<InTheWay>& info) { return std::string(info.param.name); });

// The keyboard program goes by another name; it must still find the program's word folder.
TEST(LearnerFolder, IsTheProgramsWhicheverProgramAsks) {
  const QString name = QCoreApplication::applicationName();
  QCoreApplication::setApplicationName(QStringLiteral("norumi-keyboard"));
  const fs::path folder = LearnerFolder();
  EXPECT_EQ(QCoreApplication::applicationName(), QStringLiteral("norumi-keyboard"));
  QCoreApplication::setApplicationName(name);
  EXPECT_EQ(folder, ToPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) /
                        "tarumo" / "norumi");
}

}  // namespace
}  // namespace norumi
