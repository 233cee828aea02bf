// SPDX-License-Identifier: GPL-3.0-or-later
// The CP932 conversions and the word-file names on every system: on Windows they stand on the
// system's own code page 932 and file names, elsewhere on Qt's codec.
#include <gtest/gtest.h>

#include <fstream>

#include "TempDir.h"
#include "platform/text/Cp932Codec.h"
#include "platform/text/WordFilePath.h"

namespace norumi {
namespace {

// The bytes of a text and back, alike on every system; the text of bytes that stand for no
// text of their own (a character with two codes, one unassigned, one cut off) is refused.
TEST(Cp932Codec, TheSameBytesForTheSameTextOnEverySystem) {
  const struct {
    std::u16string text;
    std::optional<std::string> bytes;
    std::u16string decoded;  // what the bytes read back as
  } rows[] = {
      {u"表ソあ～", "\x95\x5C\x83\x5C\x82\xA0\x81\x60", u"表ソあ～"},
      {u"①Ⅰⅰ髙纊", "\x87\x40\x87\x54\xFA\x40\xFB\xFC\xFA\x5C", u"①Ⅰⅰ髙纊"},
      {u"ｱﾝ\\~", "\xB1\xDD\\~", u"ｱﾝ\\~"},
      {u"〜−—‖¢£¬", "\x81\x60\x81\x7C\x81\x5C\x81\x61\x81\x91\x81\x92\x81\xCA", u"～－―∥￠￡￢"},
      {u"いぬ개", std::nullopt, u""},
      {u"a😀", std::nullopt, u""},
  };
  for (const auto& row : rows) {
    EXPECT_EQ(Utf16ToCp932(row.text), row.bytes);
    if (!row.bytes) continue;
    EXPECT_EQ(Cp932ToUtf16Exactly(*row.bytes), row.decoded);
    EXPECT_EQ(Cp932ToUtf16(*row.bytes), row.decoded);
  }
  for (const char* other : {"\xED\x40", "\x87\x90", "\x85\x40", "abc\x82", "\xFF\xFF"})
    EXPECT_EQ(Cp932ToUtf16Exactly(other), std::nullopt) << other;
  EXPECT_EQ(Cp932ToUtf16("\x82\xA0\x85\x40x"), u"あ\uFFFDx");
}

TEST(WordFileNames, OnlyPlainNamesBecomePathsInTheFolder) {
  const std::filesystem::path folder = "/prog";
  EXPECT_EQ(WordFilePath(folder, "\x95\x5C\x83\x5C"), folder / std::filesystem::path(u"表ソ.wbk"));
  EXPECT_EQ(WordFilePath(folder, "lesson 1"), folder / "lesson 1.wbk");
  EXPECT_EQ(WordFilePath(folder, "..x"), folder / "..x.wbk");
  for (const char* bad : {"", ".", "..", "../x", "a/b", "a\\b", "/etc/passwd", "C:x", "CON",
                          "nul.txt", "a?", "name.", "name ", "tab\there"})
    EXPECT_FALSE(WordFilePath(folder, bad).has_value()) << bad;
  EXPECT_FALSE(WordFilePath(folder, "\xFF\xFF").has_value());  // not CP932 at all
  // Bytes that would not come back from the text: a lone lead byte at the end, control codes
  // the conversion swaps. Each would share its file with another title.
  for (const char* lossy : {"abc\x82", "a\x7F", "a\x1A", "a\x1C"})
    EXPECT_FALSE(WordFilePath(folder, lossy).has_value()) << lossy;
}

TEST(WordFileNames, AnExtensionInAnotherCaseIsTheSameWordFile) {
  test::TempDir dir;
  std::ofstream(dir / "Upper.WBK") << "x";
  std::ofstream(dir / "both.wbk") << "x";
  std::ofstream(dir / "both.Wbk") << "x";
  EXPECT_EQ(WordFilePath(dir.Path(), "Upper"), dir / "Upper.WBK");
  EXPECT_EQ(WordFilePath(dir.Path(), "both"), dir / "both.wbk");  // the exact one first
#ifdef _WIN32
  // Names that differ only in case are one file there.
  EXPECT_EQ(WordFilePath(dir.Path(), "upper"), dir / "Upper.WBK");
#else
  EXPECT_EQ(WordFilePath(dir.Path(), "upper"),
            dir / "upper.wbk");  // the name itself keeps its case
#endif
  EXPECT_EQ(WordFilePath(dir.Path(), "new"), dir / "new.wbk");
}

}  // namespace
}  // namespace norumi
