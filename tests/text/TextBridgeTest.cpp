#include <gtest/gtest.h>

#include <functional>

#include "hangul/core/TextForms.h"
#include "platform/text/Cp932.h"

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
      {[] { FromCp932Exactly("\x85\x40"); }, "\x82\xA0", QStringLiteral("あ")},  // unassigned
      {[] { ToCp932(QStringLiteral("개")); }, "\x82\xA0", QStringLiteral("あ")},  // no CP932
  };
  for (const auto& row : rows) {
    row.before();
    EXPECT_EQ(FromCp932(row.bytes), row.text);
    EXPECT_EQ(FromCp932Exactly(row.bytes), row.text);
    EXPECT_EQ(ToCp932(row.text), row.bytes);
  }
}

TEST(UnicodeText, OneCodePerUnitUpToTheTerminatingZero) {
  EXPECT_EQ(UnicodeTextToCodes(u"한a\n"), (HangulCodes{0xD55C, 'a', '\n'}));
  EXPECT_EQ(UnicodeTextToCodes(std::u16string_view(u"가\0나", 3)), HangulCodes{0xAC00});
  EXPECT_EQ(CodesToUnicodeText({0xD55C, 0, 32, 0x1AC00}), u"한 가");
}

}  // namespace
}  // namespace norumi
