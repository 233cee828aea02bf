// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModelSamples.h"
#include "TempDir.h"
#include "WbkRunner.h"

#include <QJsonArray>

namespace norumi::test {
namespace {

TEST(WbkUsage, WrongUsageIsStatusTwoAndTouchesNothing) {
  TempDir dir;
  const std::vector<QStringList> wrong = {
      {},
      {"nosuch"},
      {"new"},
      {"new", "a.wbk", "b.wbk"},
      {"new", "a.wbk", "--title"},
      {"new", "a.wbk", "--bogus"},
      {"dump", "a.wbk", "--json=yes"},
      {"merge", "out.wbk"},
      {"mailcode", "a.wbk", "first"},
      {"read-mailcode", "extra"},
  };
  for (const QStringList& args : wrong) {
    const WbkRun run = RunWbk(args, {}, dir.Path());
    EXPECT_EQ(run.status, 2) << args.join(' ').toStdString();
    EXPECT_FALSE(run.err.empty()) << args.join(' ').toStdString();
    EXPECT_TRUE(run.out.empty()) << args.join(' ').toStdString();
  }
  EXPECT_TRUE(FolderContents(dir.Path()).empty());
}

TEST(WbkUsage, HelpListsTheCommandsAndExplainsEach) {
  const WbkRun overview = RunWbk({"--help"});
  EXPECT_EQ(overview.status, 0);
  const QStringList commands = {"new",   "dump",     "check",         "import", "export",
                                "merge", "mailcode", "read-mailcode", "hangul", "progress",
                                "judge", "review",   "pronounce"};
  // The overview lists exactly these, so that a new command cannot go without its row here.
  EXPECT_EQ(Occurrences(overview.out, "\n  "), size_t(commands.size())) << overview.out;
  std::vector<QStringList> asks;
  for (const QString& name : commands) asks.push_back({name, "--help"});
  for (const char* sub : {"keys", "copy", "paste", "draw"}) asks.push_back({"hangul", sub, "-h"});
  asks.push_back({"review", "replay", "-h"});
  for (const QStringList& args : asks) {
    const std::string usage =
        "Usage: wbk " + QStringList(args.mid(0, args.size() - 1)).join(' ').toStdString();
    if (args.size() == 2) {
      EXPECT_NE(overview.out.find("  " + args[0].toStdString() + " "), std::string::npos) << usage;
    }
    const WbkRun help = RunWbk(args);
    EXPECT_EQ(help.status, 0) << usage << help.err;
    EXPECT_TRUE(help.out.starts_with(usage + " ") || help.out.starts_with(usage + "\n"))
        << help.out;
  }
}

TEST(WbkNew, WritesAnEmptyFileWithTheHeaderGiven) {
  TempDir dir;
  const auto path = dir / "表ソ.wbk";
  const WbkRun run = RunWbk(
      {"new", Arg(path), "--creator", "teacher01", "--user", "たも", "--url=https://example.org/"});
  ASSERT_EQ(run.status, 0) << run.err;
  TTangoList list;
  EXPECT_EQ(list.LoadFromFile(path), LoadStatus::Intact);
  EXPECT_EQ(list.Title, Sj("表ソ"));  // the name without ".wbk", backslash bytes and all
  EXPECT_EQ(list.Creator, "teacher01");
  EXPECT_EQ(list.UserName, Sj("たも"));
  EXPECT_EQ(list.Url, "https://example.org/");
  EXPECT_EQ(list.Count(), 0);

  ASSERT_EQ(RunWbk({"new", Arg(dir / "lesson.wbk"), "--title", "第1課"}).status, 0);
  EXPECT_EQ(list.LoadFromFile(dir / "lesson.wbk"), LoadStatus::Intact);
  EXPECT_EQ(list.Title, Sj("第1課"));
  EXPECT_EQ(list.Creator, "");
}

TEST(WbkNew, NeverReplacesAFileNorStoresWhatTheProgramCannotUse) {
  TempDir dir;
  WriteBytes(dir / "taken.wbk", "not a word file");
  const WbkRun taken = RunWbk({"new", Arg(dir / "taken.wbk")});
  EXPECT_EQ(taken.status, 1);
  EXPECT_NE(taken.err.find("taken.wbk"), std::string::npos) << taken.err;
  EXPECT_EQ(ReadBytes(dir / "taken.wbk"), "not a word file");

  struct Case {
    QStringList args;
    const char* named;  // what the message must point at
  } refused[] = {
      {{"new", Arg(dir / "a.wbk"), "--user", "김"}, "--user"},
      {{"new", Arg(dir / "a.wbk"), "--title", "犬개"}, "개"},
      {{"new", Arg(dir / "a.wbk"), "--title", "../evil"}, "../evil"},
      {{"new", Arg(dir / "a.wbk"), "--title", "a/b"}, "a/b"},
      {{"new", Arg(dir / "한국어.wbk")}, "--title"},
      // 84 kanji are 252 bytes of UTF-8: the file system's limit, not the program's, says no.
      {{"new", Arg(dir.Path()) + "/" + QString(84, QChar(0x8A9E)) + ".wbk"},
       "the name is too long for the file system"},
  };
  for (const Case& c : refused) {
    const WbkRun run = RunWbk(c.args);
    EXPECT_EQ(run.status, 1) << c.named;
    EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
  }
  EXPECT_EQ(FolderContents(dir.Path()), std::vector<std::string>{"taken.wbk"});
  EXPECT_EQ(RunWbk({"new", Arg(dir / "no-folder" / "a.wbk")}).status, 1);
}

// Word files as they were once read, intact and damaged at several cuts, beside the JSON their
// dump gave then: however the model comes to keep its words, loading reads them the same.
TEST(WbkDump, AKeptCorpusDumpsAsItAlwaysHas) {
  int files = 0;
  for (const auto& entry : std::filesystem::directory_iterator(NORUMI_DUMP_CORPUS)) {
    if (entry.path().extension() != ".wbk") continue;
    ++files;
    const std::string expected =
        ReadBytes(std::filesystem::path(entry.path()).replace_extension(".json"));
    const WbkRun dump = RunWbk({"dump", "--json", Arg(entry.path())});
    EXPECT_EQ(dump.out, expected) << entry.path();
    EXPECT_EQ(dump.status, expected.find("\"damage\":null") == std::string::npos ? 1 : 0)
        << entry.path();
  }
  EXPECT_GE(files, 10);
}

TEST(WbkDump, JsonHoldsEveryFieldAsLoaded) {
  TempDir dir;
  TTangoList list;
  FillSample(list);
  AddWord(list, Sj("引用"), {0x1AC00, 0}, "say \"hi\"\\ \r\n\x01 end", "");
  list.SaveToFile(dir / "s.wbk");

  const WbkRun run = RunWbk({"dump", Arg(dir / "s.wbk"), "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  // One line: every control character of a text is escaped.
  EXPECT_EQ(run.out.find_first_of("\r\t\x01"), std::string::npos);
  EXPECT_EQ(run.out.find('\n'), run.out.size() - 1);
  const QJsonObject json = ParseJson(run.out);
  EXPECT_EQ(json["fileFormat"].toInt(), 1);
  EXPECT_EQ(json["version"].toInt(), 7);
  EXPECT_EQ(json["key"].toInt(), list.Key);
  EXPECT_EQ(json["creator"].toString(), "teacher01");
  EXPECT_EQ(json["userName"].toString(), QStringLiteral("たも"));
  EXPECT_EQ(json["title"].toString(), QStringLiteral("表ソ"));
  EXPECT_EQ(json["readOnly"].toBool(), true);
  EXPECT_EQ(json["kaisetsu"].toInt(), 1);
  EXPECT_TRUE(json["damage"].isNull());

  const QJsonArray entries = json["entries"].toArray();
  ASSERT_EQ(entries.size(), 4);
  EXPECT_EQ(entries[0]["label"].toInt(), 0);
  EXPECT_EQ(entries[0]["japan"].toString(), QStringLiteral("犬"));
  EXPECT_EQ(entries[0]["url"].toString(), "https://example.org/dog");
  EXPECT_EQ(entries[1]["hangul"].toArray(), QJsonArray({0xACE0, 0xC591, 0xC774, 0}));
  EXPECT_EQ(entries[3]["hangul"].toArray(), QJsonArray({0x1AC00, 0}));
  EXPECT_EQ(entries[3]["setsumei"].toString(), QStringLiteral("say \"hi\"\\ \r\n\x01 end"));

  const QJsonObject jap2kor = json["rirekiJap2Kor"].toObject();
  EXPECT_FALSE(jap2kor["inProgress"].toBool());
  EXPECT_EQ(jap2kor["marks"].toArray(), QJsonArray({-1, 0, 0}));
  EXPECT_EQ(jap2kor["records"].toArray(), QJsonArray({QJsonObject{{"total", 3}, {"seikai", 0}}}));
  const QJsonObject kor2jap = json["rirekiKor2Jap"].toObject();
  EXPECT_TRUE(kor2jap["inProgress"].toBool());
  EXPECT_EQ(kor2jap["total"].toInt(), 2);
  EXPECT_EQ(kor2jap["order"].toArray(), QJsonArray({0, 1, 2}));
  EXPECT_TRUE(kor2jap["records"].toArray().isEmpty());

  const WbkRun text = RunWbk({"dump", Arg(dir / "s.wbk")});
  EXPECT_EQ(text.status, 0);
  EXPECT_NE(text.out.find("表ソ"), std::string::npos);
  EXPECT_NE(text.out.find("고양이 = 猫"), std::string::npos) << text.out;
}

// The listing for people keeps each text on one line: tabs, line breaks and backslashes show as
// their escapes, and so do the controls a terminal would obey, wherever in the text they stand.
TEST(WbkDump, TheListingShowsEachTextOnOneLine) {
  const struct {
    std::string japan;
    HangulCodes hangul;
    std::string line;
  } rows[] = {
      {"a\tb\nc\\d", {'k', 0}, "  [0] k = a\\tb\\nc\\\\d\n"},
      {"\x1b[31m", {0xD55C, 0}, "  [1] 한 = \\x1b[31m\n"},
      {"abcdefghij\x1bklmnopqrstuvwxyz", {'k', 0}, "  [2] k = abcdefghij\\x1bklmnopqrstuvwxyz\n"},
      {Sj("犬") + "\x01" + "12345678", {'k', 0}, "  [3] k = 犬\\x0112345678\n"},
      {"x", {0xD83D, 0xDE00, '\t', '\\', 0xD55C, 0}, "  [4] 😀\\t\\\\한 = x\n"},
  };
  TempDir dir;
  TTangoList list;
  for (const auto& row : rows) AddWord(list, row.japan, row.hangul, "", "");
  list.SaveToFile(dir / "s.wbk");
  const WbkRun run = RunWbk({"dump", Arg(dir / "s.wbk")});
  ASSERT_EQ(run.status, 0) << run.err;
  for (const auto& row : rows) EXPECT_NE(run.out.find(row.line), std::string::npos) << row.line;
}

// A list of many batches, with a history as long, comes out whole and in order.
TEST(WbkDump, ALongListIsShownWholeAndInOrder) {
  TempDir dir;
  TTangoList list;
  constexpr int kWords = 10'000;
  for (int n = 0; n < kWords; ++n) {
    AddWord(list, "w" + std::to_string(n), {0xAC00 + n, 0}, "", "");
    list.RirekiJap2Kor.Order.push_back(kWords - 1 - n);
  }
  list.SaveToFile(dir / "long.wbk");

  const WbkRun run = RunWbk({"dump", "--json", Arg(dir / "long.wbk")});
  ASSERT_EQ(run.status, 0) << run.err;
  const QJsonObject json = ParseJson(run.out);
  const QJsonArray entries = json["entries"].toArray();
  const QJsonArray order = json["rirekiJap2Kor"].toObject()["order"].toArray();
  ASSERT_EQ(entries.size(), kWords);
  ASSERT_EQ(order.size(), kWords);
  const WbkRun text = RunWbk({"dump", Arg(dir / "long.wbk")});
  size_t at = 0;
  for (int n = 0; n < kWords; ++n) {
    ASSERT_EQ(entries[n]["label"].toInt(), n);
    ASSERT_EQ(entries[n]["japan"].toString(), QStringLiteral("w%1").arg(n));
    ASSERT_EQ(order[n].toInt(), kWords - 1 - n);
    const std::string line = "  [" + std::to_string(n) + "] " +
                             QString(QChar(char16_t(0xAC00 + n))).toStdString() + " = w" +
                             std::to_string(n) + "\n";
    at = text.out.find(line, at);
    ASSERT_NE(at, std::string::npos) << line;
  }
}

TEST(WbkCheckAndDump, DamageIsNamedAndFailsWhileWhatWasReadIsShown) {
  TempDir dir;
  TTangoList list;
  FillSample(list);
  list.SaveToFile(dir / "s.wbk");
  const std::string bytes = ReadBytes(dir / "s.wbk");
  WriteBytes(dir / "cut.wbk", bytes.substr(0, bytes.size() - 30));
  std::string thirdMarker = bytes;
  thirdMarker.back() ^= 1;
  WriteBytes(dir / "third.wbk", thirdMarker);

  WbkRun run = RunWbk({"check", Arg(dir / "s.wbk")});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(run.out, "intact\n");
  run = RunWbk({"check", Arg(dir / "cut.wbk")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "truncated\n");
  run = RunWbk({"check", Arg(dir / "third.wbk")});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(run.out, "third-marker\n");

  run = RunWbk({"dump", "--json", Arg(dir / "cut.wbk")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("truncated"), std::string::npos);
  const QJsonObject json = ParseJson(run.out);
  EXPECT_EQ(json["damage"].toString(), "truncated");
  EXPECT_EQ(json["title"].toString(), QStringLiteral("表ソ"));
  EXPECT_TRUE(json["entries"].toArray().isEmpty());

  for (const char* command : {"check", "dump", "export"}) {
    run = RunWbk({command, Arg(dir / "missing.wbk")});
    EXPECT_EQ(run.status, 1) << command;
    EXPECT_NE(run.err.find("missing.wbk"), std::string::npos) << run.err;
  }
}

// Three files as a quiz over all of them combines them.
class WbkMerge : public ::testing::Test {
 protected:
  void SetUp() override {
    TTangoList a, b, c;
    FillSample(a);  // 犬/개 "dog", 猫/고양이, /한
    a.SaveToFile(dir_ / "a.wbk");
    AddWord(b, Sj("犬"), {0xAC1C, 0}, "another explanation", "https://other/");
    AddWord(b, Sj("鳥"), {0xC0C8, 0});
    AddWord(b, Sj("鳥"), {0xC0C8, 0});
    b.Title = "b";
    b.SaveToFile(dir_ / "b.wbk");
    AddWord(c, Sj("鳥"), {0xC0C8, 0});
    AddWord(c, Sj("猫"), {0xACE0, 0xC591, 0xC774});  // no closing 0: another word
    c.SaveToFile(dir_ / "c.wbk");
  }
  TempDir dir_;
};

TEST_F(WbkMerge, KeepsTheFirstFilesHeaderAndAddsOnlyNewWords) {
  const WbkRun run = RunWbk({"merge", Arg(dir_ / "out.wbk"), Arg(dir_ / "a.wbk"),
                             Arg(dir_ / "b.wbk"), Arg(dir_ / "c.wbk")});
  ASSERT_EQ(run.status, 0) << run.err;
  TTangoList out, a;
  ASSERT_EQ(out.LoadFromFile(dir_ / "out.wbk"), LoadStatus::Intact);
  a.LoadFromFile(dir_ / "a.wbk");
  EXPECT_EQ(out.Title, Sj("複合問題"));
  EXPECT_EQ(out.Creator, a.Creator);
  EXPECT_EQ(out.UserName, a.UserName);
  EXPECT_EQ(out.ReadOnly, a.ReadOnly);
  EXPECT_EQ(out.RirekiJap2Kor.Records(), a.RirekiJap2Kor.Records());
  EXPECT_EQ(out.RirekiKor2Jap.Marks, a.RirekiKor2Jap.Marks);
  std::vector<std::string> japan;
  for (int i = 0; i < out.Count(); ++i) japan.push_back(out.Tango(i).Japan);
  // b's 犬 differs only in explanation and URL; b holds 鳥 twice; c's 鳥 was merged from b.
  EXPECT_EQ(japan,
            (std::vector<std::string>{Sj("犬"), Sj("猫"), "", Sj("鳥"), Sj("鳥"), Sj("猫")}));
  EXPECT_EQ(out.Tango(0).Setsumei, "dog");

  ASSERT_EQ(RunWbk({"merge", Arg(dir_ / "one.wbk"), Arg(dir_ / "b.wbk")}).status, 0);
  ASSERT_EQ(out.LoadFromFile(dir_ / "one.wbk"), LoadStatus::Intact);
  EXPECT_EQ(out.Title, "b");
  EXPECT_EQ(out.Count(), 3);
}

TEST_F(WbkMerge, RefusesMissingOrDamagedInputsAndAnExistingOutput) {
  const std::string bytes = ReadBytes(dir_ / "b.wbk");
  WriteBytes(dir_ / "cut.wbk", bytes.substr(0, bytes.size() - 4));
  const auto out = Arg(dir_ / "out.wbk");

  WbkRun run = RunWbk({"merge", out, Arg(dir_ / "a.wbk"), Arg(dir_ / "none.wbk")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("none.wbk"), std::string::npos);
  run = RunWbk({"merge", out, Arg(dir_ / "a.wbk"), Arg(dir_ / "cut.wbk")});
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.err.find("truncated"), std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "out.wbk"));

  run = RunWbk({"merge", out, Arg(dir_ / "a.wbk"), Arg(dir_ / "cut.wbk"), "--allow-damaged"});
  EXPECT_EQ(run.status, 0);
  EXPECT_NE(run.err.find("truncated"), std::string::npos);  // still warned about
  TTangoList merged;
  EXPECT_EQ(merged.LoadFromFile(dir_ / "out.wbk"), LoadStatus::Intact);
  EXPECT_EQ(merged.Count(), 3);  // a's words only

  const std::string before = ReadBytes(dir_ / "out.wbk");
  EXPECT_EQ(RunWbk({"merge", out, Arg(dir_ / "b.wbk")}).status, 1);
  EXPECT_EQ(ReadBytes(dir_ / "out.wbk"), before);
  EXPECT_EQ(RunWbk({"merge", out, Arg(dir_ / "b.wbk"), "--force"}).status, 0);
  EXPECT_EQ(merged.LoadFromFile(dir_ / "out.wbk"), LoadStatus::Intact);
  EXPECT_EQ(merged.Count(), 3);
}

// What --allow-damaged could read, written over the file itself, would lose the rest for good.
TEST_F(WbkMerge, NeverWritesOverADamagedInputThatIsOut) {
  const std::string bytes = ReadBytes(dir_ / "b.wbk");
  WriteBytes(dir_ / "d.wbk", bytes.substr(0, bytes.size() - 4));
  std::filesystem::create_hard_link(dir_ / "d.wbk", dir_ / "link.wbk");
  for (const QStringList& files : std::vector<QStringList>{
           {"d.wbk", "d.wbk"}, {"./d.wbk", "d.wbk"}, {"link.wbk", "a.wbk", "d.wbk"}}) {
    const WbkRun run =
        RunWbk(QStringList{"merge", "--force", "--allow-damaged"} + files, {}, dir_.Path());
    EXPECT_EQ(run.status, 1) << run.err;
    EXPECT_NE(run.err.find("nothing written"), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(dir_ / "d.wbk"), bytes.substr(0, bytes.size() - 4));
  }
}

}  // namespace
}  // namespace norumi::test
