// SPDX-License-Identifier: GPL-3.0-or-later
#include "ModelSamples.h"
#include "TempDir.h"
#include "WbkRunner.h"
#include "model/MailCode.h"

#include <QJsonArray>

namespace norumi::test {

namespace {

constexpr const char* kInvalid = "メルマガコードが正しくありません";

TTango Word(const std::string& japan, HangulCodes hangul, bool displayOnly = false) {
  TTango word;
  word.Japan = japan;
  word.Hangul = std::move(hangul);
  word.Setsumei = Sj("説明");
  word.DisplayOnly = displayOnly;
  return word;
}

// A code as a teacher's word file of this title would issue it, without the lines around it.
std::string Code(const std::string& title, const TTango& word, const char* lineEnd = "\n") {
  TTangoList list;
  list.Creator = "teacher01";
  list.Title = title;
  list.Url = "https://example.org/";
  TextLines lines;
  EXPECT_EQ(list.HeaderToMailCode(lines), 0);
  EXPECT_EQ(word.ToMailCode(lines), 0);
  std::string text;
  for (const std::string& line : lines) text += line + lineEnd;
  return text;
}

WbkRun ReadCode(const std::string& code, const std::filesystem::path& folder) {
  return RunWbk({"read-mailcode", "--folder", Arg(folder)}, code);
}

TEST(WbkMailCode, WhatTheEditorShowsReadsBackThroughTheTool) {
  TempDir dir;
  TTangoList list;
  FillSample(list);
  list.SaveToFile(dir / "s.wbk");

  for (const bool displayOnly : {false, true}) {
    QStringList args{"mailcode", Arg(dir / "s.wbk"), "0"};
    if (displayOnly) args << "--display-only";
    const WbkRun issued = RunWbk(args);
    ASSERT_EQ(issued.status, 0) << issued.err;
    const QStringList lines = QString::fromStdString(issued.out).split('\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lines.first(), FromCp932(MailCodeOpeningLine()));
    EXPECT_EQ(lines.last(), FromCp932(MailCodeClosingLine()));
    EXPECT_EQ(lines.at(lines.size() - 2), displayOnly ? "1" : "0");

    const WbkRun read = RunWbk({"read-mailcode"}, issued.out);
    ASSERT_EQ(read.status, 0) << read.err;
    const QJsonObject json = ParseJson(read.out);
    EXPECT_EQ(json["creator"].toString(), "teacher01");
    EXPECT_EQ(json["title"].toString(), QStringLiteral("表ソ"));
    EXPECT_EQ(json["url"].toString(), "https://example.org/words");
    const QJsonObject entry = json["entry"].toObject();
    EXPECT_EQ(entry["japan"].toString(), QStringLiteral("犬"));
    EXPECT_EQ(entry["hangul"].toArray(), QJsonArray({0xAC1C, 0}));
    EXPECT_EQ(entry["setsumei"].toString(), "dog");
    EXPECT_EQ(entry["url"].toString(), "https://example.org/dog");
    EXPECT_EQ(entry["displayOnly"].toBool(), displayOnly);
    EXPECT_FALSE(json.contains("file"));  // nothing stored without a folder
  }
}

TEST(WbkMailCode, RefusesWordsItCannotIssue) {
  TempDir dir;
  TTangoList list;
  AddWord(list, Sj("犬"), {0xAC1C, 0});
  AddWord(list, Sj("大"), {0xAC00, 70000, 0});
  list.SaveToFile(dir / "s.wbk");
  for (const char* index : {"2", "-1", "99999999999"}) {
    const WbkRun run = RunWbk({"mailcode", Arg(dir / "s.wbk"), index});
    EXPECT_EQ(run.status, 1) << index;
    EXPECT_NE(run.err.find("holds 2 words"), std::string::npos) << run.err;
  }
  const WbkRun range = RunWbk({"mailcode", Arg(dir / "s.wbk"), "1"});
  EXPECT_EQ(range.status, 1);
  EXPECT_NE(range.err.find("entry 1"), std::string::npos) << range.err;
  EXPECT_NE(range.err.find("70000"), std::string::npos) << range.err;
  EXPECT_TRUE(range.out.empty());
}

TEST(WbkReadMailCode, AddsTheWordToTheFileOfItsTitleOnce) {
  TempDir dir;
  const std::string code = Code("lesson", Word(Sj("犬"), {0xAC1C, 0}));
  for (const bool added : {true, false}) {
    const WbkRun run = ReadCode(code, dir.Path());
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ParseJson(run.out)["added"].toBool(), added);
    TTangoList list;
    ASSERT_EQ(list.LoadFromFile(dir / "lesson.wbk"), LoadStatus::Intact);
    EXPECT_EQ(list.Title, "lesson");
    EXPECT_EQ(list.Creator, "teacher01");
    EXPECT_EQ(list.Url, "https://example.org/");
    EXPECT_EQ(list.UserName, "");
    ASSERT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Tango(0).Setsumei, Sj("説明"));
  }
  EXPECT_EQ(FolderContents(dir.Path()), std::vector<std::string>{"lesson.wbk"});
}

TEST(WbkReadMailCode, AnExistingFileKeepsItsWordsAndHistoriesAndTakesTheCodesHeader) {
  TempDir dir;
  TTangoList list;
  FillSample(list);  // titled 表ソ, whose CP932 bytes hold backslashes
  list.Creator = "someone else";
  list.SaveToFile(dir / "表ソ.wbk");
  const WbkRun run = ReadCode(Code(list.Title, Word(Sj("鳥"), {0xC0C8, 0}), "\r\n"), dir.Path());
  ASSERT_EQ(run.status, 0) << run.err;

  TTangoList after;
  ASSERT_EQ(after.LoadFromFile(dir / "表ソ.wbk"), LoadStatus::Intact);
  EXPECT_EQ(after.Creator, "teacher01");
  EXPECT_EQ(after.Url, "https://example.org/");
  EXPECT_EQ(after.UserName, list.UserName);
  EXPECT_EQ(after.ReadOnly, list.ReadOnly);
  EXPECT_EQ(after.RirekiJap2Kor.Records(), list.RirekiJap2Kor.Records());
  ASSERT_EQ(after.Count(), list.Count() + 1);
  EXPECT_EQ(after.Tango(0).Japan, list.Tango(0).Japan);
  EXPECT_EQ(after.Tango(list.Count()).Japan, Sj("鳥"));
}

TEST(WbkReadMailCode, DisplayOnlyCodesWriteNothing) {
  TempDir dir;
  const std::string code = Code("lesson", Word(Sj("犬"), {0xAC1C, 0}, true));
  WbkRun run = ReadCode(code, dir.Path());
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_TRUE(ParseJson(run.out)["entry"].toObject()["displayOnly"].toBool());
  EXPECT_TRUE(FolderContents(dir.Path()).empty());

  TTangoList list;
  list.Title = "lesson";
  list.SaveToFile(dir / "lesson.wbk");
  const std::string before = ReadBytes(dir / "lesson.wbk");
  run = ReadCode(code, dir.Path());
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(ReadBytes(dir / "lesson.wbk"), before);
}

TEST(WbkReadMailCode, TitlesNeverLeadOutOfTheFolder) {
  TempDir dir;
  std::filesystem::create_directories(dir / "folder");
  for (const char* title : {"../evil", "a/b", "/tmp/norumi-evil", "..", "a\\b", "C:evil", ""}) {
    const WbkRun run = ReadCode(Code(title, Word(Sj("犬"), {0xAC1C, 0})), dir / "folder");
    EXPECT_EQ(run.status, 1) << title;
    EXPECT_NE(run.err.find("nothing written"), std::string::npos) << run.err;
  }
  EXPECT_EQ(FolderContents(dir.Path()), std::vector<std::string>{"folder"});
  EXPECT_TRUE(FolderContents(dir / "folder").empty());
  EXPECT_FALSE(std::filesystem::exists("/tmp/norumi-evil.wbk"));
}

TEST(WbkReadMailCode, AnInvalidCodeIsRefusedInJapaneseAndWritesNothing) {
  TempDir dir;
  const std::string code = Code("lesson", Word(Sj("犬"), {0xAC1C, 0}));
  const size_t entryPart = code.find("$100");
  const std::string withoutDisplayLine = code.substr(0, code.size() - 2);  // ends after "$103"
  std::string badLetter = code;
  badLetter.replace(code.find("$101\n") + 5, 4, "71!C");
  const std::string invalid[] = {
      "",
      "hello\n",
      code.substr(0, entryPart),
      withoutDisplayLine,
      badLetter,
      code.substr(entryPart),  // no header part
  };
  for (const std::string& text : invalid) {
    for (const bool withFolder : {false, true}) {
      const WbkRun run = withFolder ? ReadCode(text, dir.Path()) : RunWbk({"read-mailcode"}, text);
      EXPECT_EQ(run.status, 1) << text;
      EXPECT_NE(run.err.find(kInvalid), std::string::npos) << run.err;
      EXPECT_TRUE(run.out.empty());
    }
  }
  EXPECT_TRUE(FolderContents(dir.Path()).empty());
}

}  // namespace
}  // namespace norumi::test
