// SPDX-License-Identifier: GPL-3.0-or-later
// wbk beside other writers, and against input meant to hurt.
#include <QThread>

#include "ModelSamples.h"
#include "TempDir.h"
#include "WbkRunner.h"
#include "hangul/core/Uni2Euc.h"
#include "model/MailCode.h"
#include "storage/WordFileLock.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace norumi::test {
namespace {

namespace fs = std::filesystem;

std::string MailCodeOf(const std::string& title, const std::string& japan) {
  TTangoList list;
  list.Title = title;
  TTango word;
  word.Japan = japan;
  word.Hangul = {0xAC1C, 0};
  TextLines lines;
  EXPECT_EQ(list.HeaderToMailCode(lines), 0);
  EXPECT_EQ(word.ToMailCode(lines), 0);
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

void SaveWords(const fs::path& path, int count) {
  TTangoList list;
  list.Title = "race";
  for (int i = 0; i < count; ++i) AddWord(list, "w" + std::to_string(i), {i + 1, 0});
  list.SaveToFile(path);
}

int CountWords(const fs::path& path) {
  TTangoList list;
  EXPECT_EQ(list.LoadFromFile(path), LoadStatus::Intact);
  return list.Count();
}

TEST(WbkWriters, TwoImportsAtOnceLoseNoWord) {
  TempDir dir;
  const fs::path path = dir / "race.wbk";
  constexpr int kWords = 20'000;  // a load and a save long enough for the two to overlap
  SaveWords(path, kWords);
  for (int round = 0; round < 20; ++round) {
    QProcess first, second;
    for (QProcess* process : {&first, &second}) {
      process->start(QStringLiteral(NORUMI_WBK), {"import", Arg(path), "-"});
      ASSERT_TRUE(process->waitForStarted());
    }
    first.write(("가\tA" + std::to_string(round) + "\n").c_str());
    second.write(("나\tB" + std::to_string(round) + "\n").c_str());
    // Both get their input now, not when the test gets round to waiting for each.
    for (QProcess* process : {&first, &second}) {
      process->waitForBytesWritten();
      process->closeWriteChannel();
    }
    for (QProcess* process : {&first, &second}) {
      ASSERT_TRUE(process->waitForFinished(60'000));
      EXPECT_EQ(process->exitCode(), 0) << process->readAllStandardError().toStdString();
    }
    ASSERT_EQ(CountWords(path), kWords + 2 * (round + 1)) << "round " << round;
  }
}

// Each writing command waits while another writer holds the file, and then goes on with what
// that writer left.
TEST(WbkWriters, EveryWritingCommandWaitsForTheLock) {
  TempDir dir;
  SaveWords(dir / "in.wbk", 3);
  struct Row {
    const char* what;
    QStringList args;
    std::string input;
    fs::path written;
  };
  const std::vector<Row> rows = {
      {"import", {"import", Arg(dir / "in.wbk"), "-"}, "가\tnew\n", dir / "in.wbk"},
      {"read-mailcode",
       {"read-mailcode", "--folder", Arg(dir.Path())},
       MailCodeOf("in", "code"),
       dir / "in.wbk"},
      {"merge", {"merge", Arg(dir / "out.wbk"), Arg(dir / "in.wbk")}, "", dir / "out.wbk"},
      {"new", {"new", Arg(dir / "new.wbk")}, "", dir / "new.wbk"},
  };
  for (const Row& row : rows) {
    const std::string before = fs::exists(row.written) ? ReadBytes(row.written) : "";
    auto lock = std::make_unique<WordFileLock>(row.written);
    QProcess process;
    process.start(QStringLiteral(NORUMI_WBK), row.args);
    ASSERT_TRUE(process.waitForStarted());
    process.write(row.input.data(), qint64(row.input.size()));
    process.closeWriteChannel();
    EXPECT_FALSE(process.waitForFinished(700)) << row.what << " did not wait";
    EXPECT_EQ(fs::exists(row.written) ? ReadBytes(row.written) : "", before) << row.what;
    lock.reset();
    ASSERT_TRUE(process.waitForFinished(60'000));
    EXPECT_EQ(process.exitCode(), 0) << row.what << process.readAllStandardError().toStdString();
    EXPECT_NE(ReadBytes(row.written), before) << row.what;
  }
  EXPECT_EQ(CountWords(dir / "in.wbk"), 5);
  EXPECT_EQ(FolderContents(dir.Path()), (std::vector<std::string>{"in.wbk", "new.wbk", "out.wbk"}));
}

TEST(WbkRefusals, HostileInputIsRefusedQuicklyAndWritesNothing) {
  TempDir dir;
  // A NUL would cut the meaning short, and every repeat would add another copy.
  WbkRun run = RunWbk({"import", Arg(dir / "n.wbk"), "-"},
                      std::string("개\t犬\n개\t犬\0猫\n", sizeof("개\t犬\n개\t犬\0猫\n") - 1));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("line 2 holds a NUL byte"), std::string::npos) << run.err;

  // A code with more than a code's worth of text after it.
  run = RunWbk({"read-mailcode", "--folder", Arg(dir.Path())},
               MailCodeOf("lesson", "dog") + std::string(kMailCodeMaxInput, '\n'));
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("メルマガコードが正しくありません"), std::string::npos) << run.err;

#ifndef _WIN32
  // A pipe would keep the reader waiting for a writer that never comes.
  ASSERT_EQ(::mkfifo((dir / "pipe.wbk").c_str(), 0644), 0);
  run = RunWbk({"check", Arg(dir / "pipe.wbk")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("cannot read"), std::string::npos) << run.err;
  fs::remove(dir / "pipe.wbk");
#endif
  EXPECT_TRUE(FolderContents(dir.Path()).empty());
}

TEST(WbkRefusals, EucKrFormsFailWithoutTheirTable) {
  TempDir dir;
  const fs::path copy = dir / "wbk";
  fs::copy_file(NORUMI_WBK, copy);
  for (const char* sub : {"copy", "paste"}) {
    const WbkRun run = RunProgram(FromPath(copy), {"hangul", sub, "--pattern", "1"}, "한국");
    EXPECT_EQ(run.status, 1) << sub;
    EXPECT_TRUE(run.out.empty()) << sub;
    EXPECT_NE(run.err.find("euc2uni.dll"), std::string::npos) << run.err;
  }
  const WbkRun references = RunProgram(FromPath(copy), {"hangul", "copy", "--pattern", "2"}, "한");
  EXPECT_EQ(references.status, 0);
  EXPECT_EQ(references.out, "&#54620;");
}

#ifndef _WIN32
// A table that is not a whole regular file counts as missing: the windows disable the EUC-KR
// forms and wbk refuses them, saying the table is damaged. No bytes: a folder, or else a pipe,
// never waited on (a hang would end at the runner's limit with status -1).
TEST(WbkRefusals, EucKrFormsFailWithADamagedTable) {
  const std::string whole = ReadBytes(fs::path(NORUMI_PROGRAM_DIR) / TUni2Euc::kFileName);
  const std::pair<std::string, std::string> tables[] = {
      {"cut short", whole.substr(0, 100)},
      {"run on", whole + "\x01\x02"},
      {"zeroed entries", whole.substr(0, 4) + std::string(whole.size() - 4, '\0')},
      {"negative count", std::string("\xff\xff\xff\xff\xa1\xb0\0\xac", 8)},
      {"folder", ""},
      {"pipe", ""}};
  for (const auto& [name, bytes] : tables) {
    TempDir dir;
    fs::copy_file(NORUMI_WBK, dir / "wbk");
    const fs::path table = dir / TUni2Euc::kFileName;
    if (!bytes.empty()) WriteBytes(table, bytes);
    if (name == "folder") fs::create_directory(table);
    ASSERT_TRUE(name != "pipe" || ::mkfifo(table.c_str(), 0644) == 0);
    const auto run = RunProgram(FromPath(dir / "wbk"), {"hangul", "copy", "--pattern", "1"}, "한");
    EXPECT_EQ(run.status, 1) << name;
    EXPECT_NE(run.err.find("is damaged"), std::string::npos) << name << ": " << run.err;
    EXPECT_FALSE(TUni2Euc::FromProgramFolder(dir.Path()).IsAvailable()) << name;
  }
}
#endif

TEST(WbkMessages, ControlCharactersOfNamesAndTitlesAreShownEscaped) {
  TempDir dir;
  TTangoList list;
  list.Title = "t\x1b]0;x\x07";
  list.SaveToFile(dir / "t.wbk");
  struct Row {
    QStringList args;
    std::string shown;
    bool onStdout;
  };
  const std::vector<Row> rows = {
      {{"check", Arg(dir / "a\x1b[2Jb.wbk")}, "a\\x1b[2Jb.wbk", false},
      {{"new", Arg(dir / "x.wbk"), "--title", "a/\x1b[31m\r\n"}, "a/\\x1b[31m\\x0d\\x0a", false},
      {{"dump", Arg(dir / "t.wbk")}, "t\\x1b]0;x\\x07", true},
      // Bidirectional controls would show the name in another order; U+2010 is no control.
      {{"check", Arg(dir / "a\u202Eb\u2010\u2069.wbk")}, "a\\u202eb\u2010\\u2069.wbk", false},
      {{"new", Arg(dir / "y.wbk"), "--title", "\u061C\u200F\u2066\u0085\u200B\u200D"},
       "\\u061c\\u200f\\u2066\\u0085\\u200b\\u200d",
       false},
  };
  for (const Row& row : rows) {
    const WbkRun run = RunWbk(row.args);
    const std::string& text = row.onStdout ? run.out : run.err;
    EXPECT_NE(text.find(row.shown), std::string::npos) << text;
    for (const char* raw :
         {"\x1b", "\r", "\u202E", "\u2069", "\u061C", "\u200F", "\u2066", "\u200B", "\u200D"})
      EXPECT_EQ(text.find(raw), std::string::npos) << text;
  }
}

}  // namespace
}  // namespace norumi::test
