// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>
#include <optional>

#include "TempDir.h"
#include "hangul/core/TextForms.h"
#include "model/ByteStream.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <QStringDecoder>
#endif

namespace norumi {
namespace {

constexpr int32_t kHan = 0xD55C, kGuk = 0xAD6D;  // 한, 국

// The committed table, as the program finds it beside itself.
const TUni2Euc& Table() {
  static const TUni2Euc table = TUni2Euc::FromProgramFolder(NORUMI_DATA_DIR);
  return table;
}

std::string TableBytes(int32_t count, const std::vector<std::pair<uint16_t, uint16_t>>& entries) {
  ByteWriter out;
  out.WriteInt32(count);
  for (auto [euc, uni] : entries) {
    out.WriteUInt16(euc);
    out.WriteUInt16(uni);
  }
  return out.Data();
}

// The character the system's own codec reads from one EUC-KR byte pair: none for a pair it
// leaves unassigned or gives a private-use character.
std::optional<char16_t> SystemEucKr(int lead, int trail) {
  const char pair[] = {char(lead), char(trail)};
#ifdef _WIN32
  wchar_t text[2] = {};
  // Code page 949 is EUC-KR wherever both bytes are 0xA1 or above.
  const int length = ::MultiByteToWideChar(949, MB_ERR_INVALID_CHARS, pair, 2, text, 2);
  const char16_t c = text[0];
  if (length != 1 || c == 0xFFFD || (c >= 0xD800 && c < 0xF900)) return std::nullopt;
  return c;
#else
  QStringDecoder decoder("EUC-KR", QStringConverter::Flag::Stateless);
  const QString text = decoder(QByteArrayView(pair, 2));
  if (decoder.hasError() || text.size() != 1 || text[0].isSurrogate() ||
      text[0] == QChar::ReplacementCharacter || text[0].category() == QChar::Other_PrivateUse)
    return std::nullopt;
  return text[0].unicode();
#endif
}

struct ReferenceCopy {
  HangulCodes codes;
  bool hexadecimal;
  std::string text;
};

TEST(References, CopyWritesOneReferencePerCode) {
  const ReferenceCopy rows[] = {
      {{kHan}, false, "&#54620;"},
      {{kHan}, true, "&#xd55c;"},
      {{kHan, 32, kGuk}, false, "&#54620; &#44397;"},
      {{0, 'A', 0, 32, 0}, false, "&#65; "},
      {{0x1100, 0x10FFFF}, true, "&#x1100;&#x10ffff;"},
      {{-5}, false, "&#-5;"},
      {{-5}, true, "&#xfffffffb;"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(CodesToReferences(row.codes, row.hexadecimal), row.text) << row.text;
}

TEST(References, PasteReadsBothFormsAndSkipsOtherText) {
  const std::pair<std::string, HangulCodes> rows[] = {
      {"&#54620; &#44397;", {kHan, 32, kGuk}},
      {"&#xd55c; &#xad6d;", {kHan, 32, kGuk}},
      {"&#xd55c;&#54620;", {kHan, kHan}},
      {"abc&#54620;", {kHan}},
      {"&#54620;\r\n&#44397;", {kHan, kGuk}},
      {"  &#65;", {32, 32, 65}},
      {"&#65;x &#66;", {65, 66}},  // a space counts only right after a reference
      {" ", {32}},
      {"", {}},
      {";;&#1;", {1}},
      {"a;b&#1;c", {1}},
      {"&#1", {}},
      {"&&#65;", {65}},
      {"&#&#65;", {0}},
      {std::string("&#1;\0&#2;", 9), {1}},
      // the number text
      {"&#;", {0}},
      {"&#+12;", {12}},
      {"&#-12;", {-12}},
      {"&# 12;", {12}},
      {"&#12 ;", {0}},
      {"&#12a;", {0}},
      {"&#1 2;", {0}},
      {"&#+-1;", {0}},
      {"&#2147483647;", {INT_MAX}},
      {"&#-2147483648;", {INT_MIN}},
      {"&#2147483648;", {0}},
      {"&#99999999999;", {0}},
      {"&#$D55C;", {kHan}},
      {"&#0XD55C;", {kHan}},
      {"&#0xd55c;", {kHan}},
      {"&#X41;", {65}},
      {"&#-x10;", {-16}},
      {"&#x-10;", {0}},
      {"&#x;", {0}},
      {"&#0x;", {0}},
      {"&#x7fffffff;", {INT_MAX}},
      {"&#xfffffffb;", {0}},
      {"&#0012;", {12}},
  };
  for (const auto& [text, codes] : rows) EXPECT_EQ(ReferencesToCodes(text), codes) << text;
}

struct EucRow {
  bool withTable;
  HangulCodes codes;
  std::string bytes;
};

TEST(EucKr, CopyWritesTableValuesHighByteFirst) {
  const EucRow rows[] = {
      {true, {kHan, 32, kGuk}, "\xC7\xD1 \xB1\xB9"},
      {true, {0x1D55C}, "\xC7\xD1"},  // looked up by its low 16 bits
      {true, {'A', 0, 0x10041}, ""},  // no entry, and below 0x100 once cut
      {true, {0x4100}, "\x41"},       // no entry, low byte 0
      {false, {kHan, 32, 0x1100}, "\xD5\x5C \x11"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(CodesToEucKr(row.codes, row.withTable ? Table() : TUni2Euc()), row.bytes)
        << row.bytes;
}

TEST(EucKr, PasteTakesSpacesAloneAndOtherBytesInPairs) {
  const EucRow rows[] = {
      {true, {kHan, 32, 32, kGuk}, "\xC7\xD1\x20\x20\xB1\xB9"},
      {true, {kHan}, "\xC7\xD1\xB1"},  // a lead byte without its trail
      {true, {32, 32}, "ab\r\n"},      // pairs without entry
      {true, {32}, "a b"},             // a space after a lead byte is its trail
      {true, {kHan}, std::string("\xC7\xD1\0\xB1\xB9", 5)},
      {false, {32, 32, 32}, "\xC7\xD1 \xB1\xB9"},
  };
  for (const auto& row : rows)
    EXPECT_EQ(EucKrToCodes(row.bytes, row.withTable ? Table() : TUni2Euc()), row.codes)
        << row.bytes;
}

TEST(Uni2Euc, TableHoldsEveryCharacterTheCodecDecodes) {
  ASSERT_TRUE(Table().IsAvailable());
  size_t expected = 0;
  for (int lead = 0xA1; lead <= 0xFE; ++lead) {
    for (int trail = 0xA1; trail <= 0xFE; ++trail) {
      const int32_t euc = lead << 8 | trail;
      std::optional<char16_t> c = SystemEucKr(lead, trail);
      // The signs KS X 1001 gained in 1998: Windows reads them, ICU does not.
      if (euc == 0xA2E6 || euc == 0xA2E7) c = euc == 0xA2E6 ? u'\u20AC' : u'\u00AE';
      if (!c) {
        EXPECT_EQ(Table().EucToUnicode(euc), 32) << std::hex << euc;
        continue;
      }
      ++expected;
      EXPECT_EQ(Table().EucToUnicode(euc), *c) << std::hex << euc;
      EXPECT_EQ(Table().UnicodeToEuc(*c), euc) << std::hex << euc;
    }
  }
  EXPECT_EQ(Table().EucCodes.size(), expected);
  EXPECT_TRUE(std::is_sorted(Table().EucCodes.begin(), Table().EucCodes.end()));
}

TEST(TextForms, EverySyllableSurvivesEachForm) {
  HangulCodes syllables;
  for (int32_t code = 0xAC00; code <= 0xD7A3; ++code) syllables.push_back(code);
  syllables.push_back(32);
  EXPECT_EQ(UnicodeTextToCodes(CodesToUnicodeText(syllables)), syllables);
  EXPECT_EQ(ReferencesToCodes(CodesToReferences(syllables, false)), syllables);
  EXPECT_EQ(ReferencesToCodes(CodesToReferences(syllables, true)), syllables);
  // EUC-KR holds only the 2,350 common syllables.
  HangulCodes common;
  for (int32_t code : syllables)
    if (Table().UnicodeToEuc(code) != code) common.push_back(code);
  EXPECT_EQ(common.size(), 2350u);
  common.insert(common.begin() + 1000, 32);
  EXPECT_EQ(EucKrToCodes(CodesToEucKr(common, Table()), Table()), common);
}

// Korean handed over decomposed; what composes with nothing stays, as the keyboard's lone jamo.
TEST(TextForms, ReadersComposeDecomposedKorean) {
  const std::pair<std::u16string, HangulCodes> rows[] = {
      {u"\u1112\u1161\u11AB\u1100\u116E\u11A8", {kHan, kGuk}},
      {u"\uD558\u11AB\uAC00\u1104", {kHan, 0xAC00, 0x1104}},  // 하 + final ㄴ; 가 ㄸ as typed
      {u"\u1100\u1102\u1161\u1175", {0x1100, 0xB098, 0x1175}},
      {u"\uD55C\u11A8\u1161\u11A8\u11FF", {kHan, 0x11A8, 0x1161, 0x11A8, 0x11FF}},
  };
  for (const auto& [text, codes] : rows) {
    EXPECT_EQ(UnicodeTextToCodes(text), codes);
    EXPECT_EQ(ReferencesToCodes(CodesToReferences({text.begin(), text.end()}, true)), codes);
  }
}

// What copying from a web page or a document brings along that the learner cannot see draws no
// cell: zero-width characters anywhere, blanks and line breaks before the word.
TEST(TextForms, APasteAddsNoCellThatShowsNothingBeforeOrInsideTheWord) {
  struct Row {
    HangulCodes word, pasted, result;
  };
  for (const Row& row : std::initializer_list<Row>{
           {{}, {' ', '\r', '\n', 0x3000, 0xA0, 0xFEFF, kHan, '\n'}, {kHan, '\n'}},
           {{}, {kHan, 0x200B, kGuk, 0x200C, 0x200D}, {kHan, kGuk}},
           {{0, 0}, {'\t', kHan}, {kHan}},  // a word with no Korean yet: the paste starts it
           {{kHan, 0}, {' ', kGuk}, {kHan, 0, ' ', kGuk}},  // after a word, a space is meant
       }) {
    HangulCodes word = row.word;
    AppendPasted(word, row.pasted);
    EXPECT_EQ(word, row.result) << ::testing::PrintToString(row.pasted);
  }
}

TEST(Uni2Euc, LoadsOnlyAWholeTable) {
  test::TempDir dir;
  const std::vector<std::pair<uint16_t, uint16_t>> entries = {
      {0xB0A1, 0xAC00}, {0xB0A1, 0xAC01}, {0xB0A2, 0xAC00}};
  const std::pair<std::string, size_t> files[] = {
      {TableBytes(3, entries), 3},
      {TableBytes(5, entries) + "\x01\x02", 0},  // shorter than its count
      {TableBytes(-1, entries), 0},
      {TableBytes(0, entries), 0},
      {"\x03\x00", 0},
  };
  for (const auto& [bytes, size] : files) {
    test::WriteBytes(dir / "t", bytes);
    TUni2Euc table;
    EXPECT_EQ(table.LoadTable(dir / "t"), size > 0);
    EXPECT_EQ(table.EucCodes.size(), size);
    EXPECT_EQ(table.UniCodes.size(), size);
    EXPECT_EQ(table.IsAvailable(), size > 0);
  }

  test::WriteBytes(dir / TUni2Euc::kFileName, TableBytes(3, entries));
  TUni2Euc table = TUni2Euc::FromProgramFolder(dir.Path());
  EXPECT_EQ(table.EucToUnicode(0xB0A1), 0xAC00);  // the first entry wins both ways
  EXPECT_EQ(table.UnicodeToEuc(0xAC00), 0xB0A1);
  EXPECT_EQ(table.EucToUnicode(0xB0A2), 0xAC00);
  EXPECT_EQ(table.UnicodeToEuc(0xAC01), 0xB0A1);
  EXPECT_EQ(table.EucToUnicode(0xB0A3), 32);
  EXPECT_EQ(table.UnicodeToEuc(0x1AC02), 0x1AC02);
  std::vector<int32_t> target = {7};
  table.ListToEuc({0x1AC00, 0x12345}, target);
  EXPECT_EQ(target, (std::vector<int32_t>{7, 0xB0A1, 0x2345}));

  EXPECT_FALSE(table.LoadTable(dir / "missing"));
  EXPECT_FALSE(table.IsAvailable());
  EXPECT_EQ(table.EucToUnicode(0xB0A1), 32);
  EXPECT_FALSE(TUni2Euc::FromProgramFolder(dir / "missing").IsAvailable());
}

// A table of the right size can still be damaged: copying would write raw code values and
// pasting would give spaces, with nothing to tell. Each row changes the shipped table in place.
TEST(Uni2Euc, RefusesATableOfTheRightSizeThatIsNoEucKrTable) {
  const std::string shipped =
      test::ReadBytes(std::filesystem::path(NORUMI_DATA_DIR) / TUni2Euc::kFileName);
  const size_t hangul = 4 + 4 * 1000;  // an entry in the Hangul rows
  const auto put = [](std::string bytes, size_t at, std::string_view with) {
    return bytes.replace(at, with.size(), with);
  };
  const std::pair<const char*, std::string> rows[] = {
      {"shipped", shipped},
      {"zeroed entries", put(shipped, hangul, std::string(4 * 64, '\0'))},
      {"codes out of order",
       put(shipped, hangul, shipped.substr(hangul + 4, 4) + shipped.substr(hangul, 4))},
      {"code out of range", put(shipped, hangul, "\xff\xb0")},
      {"Hangul code giving no syllable", put(shipped, hangul + 2, "\x31\x31")},
  };
  test::TempDir dir;
  for (const auto& [name, bytes] : rows) {
    ASSERT_EQ(bytes.size(), shipped.size()) << name;
    test::WriteBytes(dir / "t", bytes);
    TUni2Euc table;
    const bool whole = std::string_view(name) == "shipped";
    EXPECT_EQ(table.LoadTable(dir / "t"), whole) << name;
    EXPECT_EQ(table.IsAvailable(), whole) << name;
    EXPECT_EQ(CodesToEucKr({kHan}, table), whole ? "\xc7\xd1" : "\xd5\x5c") << name;
  }
}

}  // namespace
}  // namespace norumi
