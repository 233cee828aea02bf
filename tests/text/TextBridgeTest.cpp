// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QStringDecoder>
#include <QStringEncoder>
#include <QStringList>
#include <cstdio>
#include <functional>
#include <string_view>

#include "exchange/TextEscapes.h"
#include "exchange/Tsv.h"
#include "hangul/core/TextForms.h"
#include "platform/text/Cp932.h"
#include "platform/text/ShownControls.h"

namespace norumi {
namespace {

TEST(Cp932Bridge, ConvertsBothWaysAndRefusesWhatItCannotHold) {
  EXPECT_EQ(ToCp932(QStringLiteral("表ソあ～")), std::string("\x95\x5C\x83\x5C\x82\xA0\x81\x60"));
  EXPECT_EQ(FromCp932("\x95\x5C\x83\x5C\x82\xA0\x81\x60"), QStringLiteral("表ソあ～"));
  EXPECT_EQ(ToCp932(QStringLiteral("①髙")), std::string("\x87\x40\xFB\xFC"));
  EXPECT_FALSE(ToCp932(QStringLiteral("개")).has_value());
  EXPECT_EQ(FirstNonCp932(QStringLiteral("いぬ개")), 2);
  EXPECT_EQ(FirstNonCp932(QStringLiteral("a😀b")), 1);
  EXPECT_EQ(FirstNonCp932(QStringLiteral("いぬ")), -1);
}

TEST(Cp932Bridge, TheSignsLinuxTypesAreStoredAsTheirCp932Forms) {
  // Typed on Linux (JIS mapping) and on Windows (CP932 mapping): the same bytes either way.
  EXPECT_EQ(ToCp932(QStringLiteral("〜から")), ToCp932(QStringLiteral("～から")));
  EXPECT_EQ(ToCp932(QString::fromUtf8("〜−—‖¢£¬")),
            std::string("\x81\x60\x81\x7C\x81\x5C\x81\x61\x81\x91\x81\x92\x81\xCA"));
  EXPECT_EQ(FirstNonCp932(QStringLiteral("〜から")), -1);
}

// The codecs are kept from one conversion to the next: nothing the last one left may show.
TEST(Cp932Bridge, EachConversionStandsAloneWhateverTheOneBeforeLeft) {
  const struct {
    std::function<void()> before;
    std::string bytes;
    QString text;
  } rows[] = {
      {[] { FromCp932("ab\x82"); }, "\x60", QStringLiteral("`")},  // a cut-off lead byte
      {[] { FromCp932Exactly("\x85\x40"); }, "\x82\xA0", QStringLiteral("あ")},   // unassigned
      {[] { ToCp932(QStringLiteral("개")); }, "\x82\xA0", QStringLiteral("あ")},  // no CP932
  };
  for (const auto& row : rows) {
    row.before();
    EXPECT_EQ(FromCp932(row.bytes), row.text);
    EXPECT_EQ(FromCp932Exactly(row.bytes), row.text);
    EXPECT_EQ(ToCp932(row.text), row.bytes);
  }
}

// Texts are decoded through a table read off the codec: every byte and byte pair, alone and
// between others, must come out as the codec itself gives it, in UTF-16 and in UTF-8.
TEST(Cp932Bridge, DecodesEveryByteAndPairAsTheCodecDoes) {
  const auto codec = [](const std::string& bytes) {
    QStringDecoder decoder("windows-31j");
    return QString(decoder.decode(QByteArrayView(bytes.data(), qsizetype(bytes.size()))));
  };
  const auto utf8 = [](const std::string& bytes) {
    std::string text;
    AppendUtf8FromCp932(bytes, text);
    return text;
  };
  for (int lead = 0; lead < 256; ++lead) {
    std::string row;
    for (int trail = 0; trail < 256; ++trail) {
      const std::string pair{char(lead), char(trail)};
      ASSERT_EQ(FromCp932(pair), codec(pair)) << lead << " " << trail;
      ASSERT_EQ(utf8(pair), codec(pair).toStdString()) << lead << " " << trail;
      row += "a" + pair;
    }
    ASSERT_EQ(FromCp932(row), codec(row)) << lead;
    ASSERT_EQ(utf8(row), codec(row).toStdString()) << lead;
  }
}

// And encoded through one: every code unit, alone and between others, as the codec writes it.
// The signs Linux types in other forms are folded first (see the test above).
TEST(Cp932Bridge, EncodesEveryCodeUnitAsTheCodecDoes) {
  const auto codec = [](const QString& text) -> std::optional<std::string> {
    QStringEncoder encoder("windows-31j", QStringConverter::Flag::Stateless);
    const QByteArray bytes = encoder.encode(text);
    if (encoder.hasError()) return std::nullopt;
    return bytes.toStdString();
  };
  const QString folded = QStringLiteral("\u301C\u2212\u2014\u2016\u00A2\u00A3\u00AC");
  QString row;
  for (char32_t unit = 0; unit < 0x10000; ++unit) {
    const QChar c{char16_t(unit)};
    if (folded.contains(c)) continue;
    ASSERT_EQ(ToCp932(QString(c)), codec(QString(c))) << uint32_t(unit);
    if (unit % 64 == 0) row.clear();
    row += QStringLiteral("a") + c;
    if (unit % 64 == 63) {
      ASSERT_EQ(ToCp932(row), codec(row)) << uint32_t(unit);
    }
  }
}

// The listings convert and escape a stored text in one pass, through the escapes' ASCII forms:
// each ASCII character must come out as a column of TSV and a JSON string have always had it.
TEST(TextEscapes, EachAsciiCharacterIsWrittenAsItsFormatEscapesIt) {
  const auto tsv = [](char c) {
    std::string out;
    AppendTsvEscaped({&c, 1}, false, out);
    return out;
  };
  const auto json = [](char c) -> std::string {
    if (c == '"' || c == '\\') return {'\\', c};
    if (uint8_t(c) >= 0x20 && c != 0x7F) return {c};
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, "\\u%04X", unsigned(c));
    return escaped;
  };
  const struct {
    const cp932::AsciiForms& forms;
    std::function<std::string(char)> escaped;
  } rows[] = {{kTsvAscii, tsv}, {kJsonAscii, json}};
  for (const auto& row : rows) {
    for (int byte = 0; byte < 0x80; ++byte) {
      const std::string bytes = std::string("\x82\xA0") + char(byte);
      // The codec swaps a few controls: the form is that of the character the byte stands for.
      const QString text = FromCp932(bytes);
      ASSERT_LT(text.back().unicode(), 0x80) << byte;
      std::string out;
      ASSERT_TRUE(cp932::AppendDecodedUtf8(bytes, out, row.forms));
      EXPECT_EQ(out, "\u3042" + row.escaped(char(text.back().unicode()))) << byte;
    }
  }
}

TEST(UnicodeText, OneCodePerUnitUpToTheTerminatingZero) {
  EXPECT_EQ(UnicodeTextToCodes(u"한a\n"), (HangulCodes{0xD55C, 'a', '\n'}));
  EXPECT_EQ(UnicodeTextToCodes(std::u16string_view(u"가\0나", 3)), HangulCodes{0xAC00});
  EXPECT_EQ(CodesToUnicodeText({0xD55C, 0, 32, 0x1AC00}), u"한 가");
}

// Plain UTF-8 is decoded without Qt's decoder, and every other line is left to it: each line
// reads as the decoder reads it alone, or is refused as the decoder refuses it.
TEST(TsvRows, EachLineReadsAsQtsDecoderReadsIt) {
  const std::string lines[] = {
      "abcdefgh\tijklmnopq",                                       // eight ASCII bytes at a time
      "\xEA\xB0\x9C\t\xE7\x8A\xAC",                                // 개 犬
      "\xC2\x80 \xDF\xBF \xE0\xA0\x80 \xED\x9F\xBF \xEE\x80\x80",  // each length's ends
      "\xEF\xBB\xBF"
      "bom",
      "a\xEF\xBB\xBF",  // a BOM in the text
      "\xEF\xB7\x90",
      "\xEF\xB7\xAF",
      "\xEF\xBF\xBE",
      "\xEF\xBF\xBF",  // noncharacters
      "\xEF\xBF\xBD",
      "\xF0\x9F\x98\x80",  // U+FFFD, beyond the BMP
      "\xED\xA0\x80",
      "\xC0\xAF",
      "\xE0\x80\xAF",
      "\xF4\x90\x80\x80",  // not UTF-8
      "\xC3",
      "ab\xE3\x81",
      "\x80",
      "\xE3\x81\x81\x81",
      "12345678\xFF",
  };
  for (const std::string& line : lines) {
    std::vector<TsvBadLine> bad;
    QStringList read;
    ForEachTsvRow("x\n" + line + "\n", bad, [&](int number, const auto& columns) {
      if (number == 2)
        for (const QStringView column : columns) read << column.toString();
    });
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString expected = decoder.decode(QByteArrayView(line.data(), qsizetype(line.size())));
    if (decoder.hasError()) {
      EXPECT_EQ(bad.size(), 1u) << line;
      EXPECT_TRUE(read.isEmpty()) << line;
    } else {
      EXPECT_TRUE(bad.empty()) << line;
      EXPECT_EQ(read.join(QChar('\t')), expected) << line;
    }
  }
}

// What the windows show of a name, a title or a record: every invisible or reordering character
// as an escape, its neighbours and everything else as it is.
TEST(ShownControls, EscapesControlsZeroWidthsAndBidirectionalControlsAlone) {
  using namespace std::string_view_literals;
  const struct {
    std::u16string_view text, shown, shownInLines;
  } rows[] = {
      {u"a\x1b[2Jb\0\t"sv, u"a\\x1b[2Jb\\x00\\x09"sv, u"a\\x1b[2Jb\\x00\\x09"sv},  // C0
      {u"a\r\nb\nc\rd"sv, u"a\\x0d\\x0ab\\x0ac\\x0dd"sv, u"a\r\nb\nc\\x0dd"sv},    // line breaks
      {u"\x7f\x85\x9f\xa0"sv, u"\\x7f\\u0085\\u009f\xa0"sv, u"\\x7f\\u0085\\u009f\xa0"sv},
      {u"\u061b\u061c\u061d"sv, u"\u061b\\u061c\u061d"sv, u"\u061b\\u061c\u061d"sv},
      {u"\u200a\u200b\u200d\u200e\u200f\u2010"sv, u"\u200a\\u200b\\u200d\\u200e\\u200f\u2010"sv,
       u"\u200a\\u200b\\u200d\\u200e\\u200f\u2010"sv},
      {u"ab\u202ekbw.txt\u202a\u202f"sv, u"ab\\u202ekbw.txt\\u202a\u202f"sv,
       u"ab\\u202ekbw.txt\\u202a\u202f"sv},
      {u"\u2065\u2066\u2069\u206a"sv, u"\u2065\\u2066\\u2069\u206a"sv,
       u"\u2065\\u2066\\u2069\u206a"sv},
      {u"あいさつ 한국어 表ソ\\x"sv, u"あいさつ 한국어 表ソ\\x"sv, u"あいさつ 한국어 表ソ\\x"sv},
      {u"\U00020BB7野家\U0001F600"sv, u"\U00020BB7野家\U0001F600"sv, u"\U00020BB7野家\U0001F600"sv},
  };
  const auto q = [](std::u16string_view text) {
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
  };
  for (const auto& row : rows) {
    EXPECT_EQ(ShowControls(q(row.text)), q(row.shown)) << ShowControls(q(row.text)).toStdString();
    EXPECT_EQ(ShowControlsInLines(q(row.text)), q(row.shownInLines));
  }
}

}  // namespace
}  // namespace norumi
