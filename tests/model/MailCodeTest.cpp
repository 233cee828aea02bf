// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "ModelSamples.h"
#include "model/MailCode.h"
#include "model/TangoList.h"

namespace norumi {
namespace {

TextLines Lines(std::initializer_list<const char*> lines) {
  return {lines.begin(), lines.end()};
}

TEST(MailCodeEncoding, TextAndCodeUnits) {
  EXPECT_EQ(EncodeMailText("a"), "03c");
  EXPECT_EQ(EncodeMailText("abc"), "03c03d03e");
  EXPECT_EQ(EncodeMailText("\x82\xA0"), "00100V");
  EXPECT_EQ(EncodeMailText("\x80"), "047");
  EXPECT_EQ(EncodeMailText("\x81"), "000");
  EXPECT_EQ(EncodeMailCodes({44032, 0, 61999}), "710C0000999z");
}

TEST(MailCodeEncoding, EntryIsWrittenAsDocumented) {
  TTango t;
  t.Japan = "a";
  t.Hangul = {44032};
  TextLines lines;
  ASSERT_EQ(t.ToMailCode(lines), kMailCodeOk);
  EXPECT_EQ(lines, Lines({"$100", "03c", "$100", "$101", "710C", "$101", "$102", "", "$102", "$103",
                          "", "$103", "0"}));
}

TEST(MailCodeEncoding, FieldsAreCutIntoLinesOfSeventy) {
  TTango t;
  t.Hangul = HangulCodes(35, 44032);  // 140 characters: two full lines, none after
  t.Setsumei = std::string(71, 'a');  // 213 characters: three lines and three left
  TextLines lines;
  t.ToMailCode(lines);
  EXPECT_EQ(lines[4].size(), 70u);
  EXPECT_EQ(lines[5].size(), 70u);
  EXPECT_EQ(lines[6], "$101");
  EXPECT_EQ(lines[8].size(), 70u);
  EXPECT_EQ(lines[11], "03c");
  EXPECT_EQ(lines[12], "$102");
}

TEST(MailCodeRoundTrip, EveryByteAndTheCodeLimitsComeBack) {
  TTangoList list;
  for (int b = 1; b < 256; ++b) list.Creator += static_cast<char>(b);
  list.Title = "\x95\x5C\x83\x5C";
  TTango t;
  t.Japan = list.Creator;
  t.Hangul = {0, 1, 61, 62, 44032, 55203, 61999};
  t.Url = "https://example.org/";
  t.DisplayOnly = true;

  TextLines lines = Lines({"garbage before", "$00", "-----"});
  ASSERT_EQ(list.HeaderToMailCode(lines), kMailCodeOk);
  ASSERT_EQ(t.ToMailCode(lines), kMailCodeOk);
  lines.emplace_back("trailing text is ignored");

  TTangoList readList;
  TTango read;
  ASSERT_EQ(readList.HeaderFromMailCode(lines), kMailCodeOk);
  ASSERT_EQ(read.FromMailCode(lines), kMailCodeOk);
  EXPECT_EQ(readList.Creator, list.Creator);
  EXPECT_EQ(readList.Title, list.Title);
  EXPECT_EQ(read.Japan, t.Japan);
  EXPECT_EQ(read.Hangul, t.Hangul);
  EXPECT_EQ(read.Url, t.Url);
  EXPECT_TRUE(read.DisplayOnly);
  EXPECT_EQ(lines, Lines({"trailing text is ignored"}));
}

TEST(MailCodeRoundTrip, LinesMaySplitAnywhereAndEmptyFieldsMayLackTheirLine) {
  TTango t;
  TextLines lines = Lines({"$100", "0", "3c0", "3d", "$100", "$101", "71", "0C", "$101", "$102",
                           "$102", "$103", "", "$103", "1"});
  ASSERT_EQ(t.FromMailCode(lines), kMailCodeOk);
  EXPECT_EQ(t.Japan, "ab");
  EXPECT_EQ(t.Hangul, HangulCodes{44032});
  EXPECT_EQ(t.Setsumei, "");
  EXPECT_TRUE(t.DisplayOnly);
  EXPECT_TRUE(lines.empty());
}

TEST(MailCodeParsing, DisplayOnlyIsSetOnlyByOne) {
  for (const char* flag : {"0", "", "11", "yes", " 1"}) {
    TTango t;
    t.DisplayOnly = true;
    TextLines lines = Lines({"$100", "$100", "$101", "$101", "$102", "$102", "$103", "$103"});
    lines.emplace_back(flag);
    ASSERT_EQ(t.FromMailCode(lines), kMailCodeOk);
    EXPECT_FALSE(t.DisplayOnly) << flag;
  }
}

struct BadCode {
  const char* name;
  std::vector<const char*> lines;
  bool header;
  int expected;
};

class MailCodeFailures : public testing::TestWithParam<BadCode> {};

TEST_P(MailCodeFailures, ReportTheirCode) {
  const BadCode& c = GetParam();
  TextLines lines(c.lines.begin(), c.lines.end());
  TTangoList list;
  TTango t;
  EXPECT_EQ(c.header ? list.HeaderFromMailCode(lines) : t.FromMailCode(lines), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MailCodeFailures,
    testing::Values(BadCode{"NoHeaderAtAll", {"hello", "$002"}, true, -1},
                    BadCode{"EmptyText", {}, true, -1},
                    BadCode{"CreatorEndsEarly", {"$001", "03c"}, true, -2},
                    BadCode{"TitleMarkerMissing", {"$001", "$001", "$003", "$003"}, true, -1},
                    BadCode{"TitleEndsEarly", {"$001", "$001", "$002", "03c"}, true, -4},
                    BadCode{"UrlEndsEarly", {"$001", "$001", "$002", "$002", "$003"}, true, -4},
                    BadCode{"EndsWhereTitleIsDue", {"$001", "$001"}, true, -4},
                    BadCode{"QuotientNotANumber", {"$001", "x3c", "$001"}, true, -2},
                    BadCode{"NegativeQuotient", {"$001", "-1c", "$001"}, true, -2},
                    BadCode{"LetterNotInAlphabet", {"$001", "03#", "$001"}, true, -3},
                    BadCode{"OneCharacterLeft", {"$001", "03c0", "$001"}, true, -2},
                    BadCode{"TwoCharactersLeft", {"$001", "03c03", "$001"}, true, -3},
                    BadCode{"EntryNotFirst", {"x", "$100", "$100"}, false, -1},
                    BadCode{"EntryEndsInBlock", {"$100", "03c"}, false, -4},
                    BadCode{"CodesNotANumber", {"$100", "$100", "$101", "7a0C", "$101"}, false, -2},
                    BadCode{"CodeLetterBad", {"$100", "$100", "$101", "710!", "$101"}, false, -3},
                    BadCode{"CodeCutShort", {"$100", "$100", "$101", "710", "$101"}, false, -3},
                    BadCode{"DisplayLineMissing",
                            {"$100", "$100", "$101", "$101", "$102", "$102", "$103", "$103"},
                            false,
                            -4}),
    [](const auto& info) { return info.param.name; });

TEST(MailCodeParsing, FieldsReadBeforeAFailureKeepTheirText) {
  TTango t;
  TextLines lines = Lines({"$100", "03c", "$100", "$101", "710C03", "$101"});
  EXPECT_EQ(t.FromMailCode(lines), kMailCodeBadNumber);
  EXPECT_EQ(t.Japan, "a");
  EXPECT_EQ(t.Hangul, HangulCodes{44032});
}

TEST(MailCodeWriting, RefusesWhatWouldNotReadBack) {
  TextLines lines;
  TTango t;
  t.Hangul = {62000};
  EXPECT_EQ(t.ToMailCode(lines), kMailCodeCodeRange);
  t.Hangul = {-1};
  EXPECT_EQ(t.ToMailCode(lines), kMailCodeCodeRange);
  t.Hangul = {1};
  t.Setsumei = std::string("a\0b", 3);
  EXPECT_EQ(t.ToMailCode(lines), kMailCodeZeroByte);
  TTangoList list;
  list.Title = std::string(1, '\0');
  EXPECT_EQ(list.HeaderToMailCode(lines), kMailCodeZeroByte);
  EXPECT_TRUE(lines.empty());  // nothing half-written
}

TEST(MailCodeLines, OpeningAndClosingLines) {
  const std::string open = MailCodeOpeningLine();
  EXPECT_EQ(open.substr(0, 50), std::string(50, '-'));
  EXPECT_EQ(open.substr(open.size() - 10), std::string(10, '-'));
  EXPECT_EQ(MailCodeClosingLine().substr(0, 2), "- ");
  // "↓ここから" and "↑" in CP932; the address is our home page.
  EXPECT_EQ(open, std::string(50, '-') + "\x81\xAB\x82\xB1\x82\xB1\x82\xA9\x82\xE7" + "----------");
  EXPECT_EQ(MailCodeClosingLine(), "- https://norumi.example/ <-Norumi!!  \x81\xAA------");
}

}  // namespace
}  // namespace norumi
