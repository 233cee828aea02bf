// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <climits>
#include <set>
#include <vector>

#include "hangul/view/Drawing.h"

namespace norumi {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF, kBlack = 0xFF000000;

const HangulGlyphs& Glyphs() {
  return HangulGlyphs::Instance();
}

// The picture a line should give, built pixel by pixel from the glyph pictures: each piece is
// a rectangle of a glyph copied to a point, cut off at the picture's edges.
struct Piece {
  const QImage* glyph;
  QRect from;
  QPoint to;
};

QImage Expected(QSize size, const std::vector<Piece>& pieces) {
  QImage image(size, QImage::Format_RGB32);
  image.fill(kWhite);
  for (const Piece& p : pieces)
    for (int y = 0; y < p.from.height(); ++y)
      for (int x = 0; x < p.from.width(); ++x)
        if (image.rect().contains(p.to + QPoint(x, y)))
          image.setPixel(p.to + QPoint(x, y), p.glyph->pixel(p.from.topLeft() + QPoint(x, y)));
  return image;
}

Piece Syllable(int32_t code, QPoint to) {
  const int s = code - 0xAC00;
  return {&Glyphs().Sheet(s / 588), QRect(s % 28 * 28, s % 588 / 28 * 24, 18, 18), to};
}

Piece Key(int index, QPoint to) {
  return {&Glyphs().KeyGlyph(index), QRect(0, 0, 16, 16), to};
}

QImage Draw(HangulCodes codes, QSize size = {456, 24}) {
  return DrawCodes(&codes, size);
}

TEST(DrawCodes, NoTextGivesWhiteOfTheGivenSize) {
  const QImage white = Expected({456, 24}, {});
  EXPECT_EQ(DrawCodes(nullptr, {456, 24}), white);
  EXPECT_EQ(Draw({}), white);
  EXPECT_EQ(Draw({0, 32, 0}), white);
  EXPECT_EQ(Draw({65, 0x3131, 0xD7A4, 0xABFF, 0x10FF, 0x1113, 0x1160, 0x1176, -1, INT32_MIN}),
            white);
}

TEST(DrawCodes, SyllablesAtTheCellCornerAndJamoFourRightTwoDown) {
  const QImage line = Draw({0xD55C, 32, 0xAD6D, 0});
  EXPECT_EQ(line, Expected({456, 24}, {Syllable(0xD55C, {0, 0}), Syllable(0xAD6D, {48, 0})}));
  EXPECT_NE(line, Draw({}));

  // A vowel glyph is 18 × 18, of which only the top-left 16 × 16 is drawn.
  EXPECT_EQ(Draw({0x1100, 0x1175, 0x1161}),
            Expected({456, 24}, {Key(0, {4, 2}), Key(39, {28, 2}), Key(19, {52, 2})}));
}

TEST(DrawCodes, CellsBeyondTheEdgeAreCutOff) {
  HangulCodes line;
  for (int i = 0; i < 21; ++i) line.push_back(0xAC00 + i * 557);
  // 456 wide: the nineteenth cell (x = 432) is the last one shown whole.
  std::vector<Piece> shown;
  for (int i = 0; i < 19; ++i) shown.push_back(Syllable(line[i], {i * 24, 0}));
  EXPECT_EQ(Draw(line), Expected({456, 24}, shown));
  EXPECT_EQ(
      Draw({0xAC00, 0xAC00, 0x1100}, {58, 11}),
      Expected({58, 11}, {Syllable(0xAC00, {0, 0}), Syllable(0xAC00, {24, 0}), Key(0, {52, 2})}));
  EXPECT_EQ(Draw({0xAC00, 0x1100}, {48, 1}), Expected({48, 1}, {Syllable(0xAC00, {0, 0})}));
  EXPECT_EQ(Draw(line, {10, 24}).size(), QSize(10, 24));
  EXPECT_TRUE(Draw(line, {0, 0}).isNull());
  EXPECT_TRUE(Draw(line, {456, 0}).isNull());
}

// At scale 2 every length doubles: the sheets are 1548 × 996 with 36-pixel squares.
class HangulGlyphsAt : public testing::TestWithParam<int> {};

TEST_P(HangulGlyphsAt, EverySyllableHasItsOwnPictureInsideItsSquare) {
  const int k = GetParam(), side = 18 * k;
  std::set<QByteArray> seen;
  for (int l = 0; l < 19; ++l) {
    const QImage& sheet = Glyphs().Sheet(l, k);
    ASSERT_EQ(sheet.size(), QSize(774, 498) * k);
    ASSERT_EQ(sheet.colorTable(), QList<QRgb>({kBlack, kWhite}));
    QImage outside = sheet.convertToFormat(QImage::Format_RGB32);
    for (int v = 0; v < 21; ++v) {
      for (int t = 0; t < 28; ++t) {
        const QPoint corner(t * 28 * k, v * 24 * k);
        QByteArray square;
        for (int y = 0; y < side; ++y)
          for (int x = 0; x < side; ++x) square += char(sheet.pixelIndex(corner + QPoint(x, y)));
        EXPECT_TRUE(square.contains('\0')) << "empty: " << l << ' ' << v << ' ' << t;
        EXPECT_TRUE(seen.insert(square).second) << "repeated: " << l << ' ' << v << ' ' << t;
        for (int y = 0; y < side; ++y)
          for (int x = 0; x < side; ++x) outside.setPixel(corner + QPoint(x, y), kWhite);
      }
    }
    EXPECT_EQ(outside, Expected(sheet.size(), {})) << "ink between the squares of sheet " << l;
  }
  EXPECT_EQ(seen.size(), 11172u);

  for (int key = 0; key < 40; ++key) {
    const QImage& glyph = Glyphs().KeyGlyph(key, k);
    EXPECT_EQ(glyph.size(), (key < 19 ? QSize(16, 16) : QSize(18, 18)) * k);
    EXPECT_NE(glyph.convertToFormat(QImage::Format_RGB32), Expected(glyph.size(), {}));
  }
}
INSTANTIATE_TEST_SUITE_P(Scales, HangulGlyphsAt, testing::Values(1, 2));

// Above a device pixel ratio of 1 a line is drawn at twice the size from the glyphs drawn at that
// size, not from enlarged pixels; a ratio between 1 and 2 is left to painting to reduce.
TEST(DrawCodes, AboveARatioOfOneFromTheGlyphsAtTwiceTheSize) {
  const HangulCodes line = {0xD55C, 32, 0x1100, 0xAD6D};
  const auto syllable = [](int32_t code, QPoint to) {
    const int s = code - 0xAC00;
    return Piece{&Glyphs().Sheet(s / 588, 2), QRect(s % 28 * 56, s % 588 / 28 * 48, 36, 36), to};
  };
  const QImage expected = Expected({912, 48}, {syllable(0xD55C, {0, 0}),
                                               {&Glyphs().KeyGlyph(0, 2), {0, 0, 32, 32}, {104, 4}},
                                               syllable(0xAD6D, {144, 0})});
  for (qreal ratio : {1.5, 2.0}) {
    const QImage picture = DrawCodes(&line, {456, 24}, ratio);
    EXPECT_EQ(picture, expected);
    EXPECT_EQ(picture.devicePixelRatio(), 2);
  }
  const QImage enlarged = Draw({0xD55C}, {24, 24}).scaled(48, 48);
  EXPECT_NE(DrawCodes(&line, {24, 24}, 2), enlarged) << "한 is only the small glyph enlarged";
}

TEST(RecolorImage, TurnsBlackRedAndLeavesWhite) {
  QImage picture = Draw({0xD55C, 0xAD6D});
  const QImage before = picture;
  RecolorImage(picture, Qt::black, Qt::red);
  ASSERT_EQ(picture.size(), before.size());
  int red = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      EXPECT_EQ(picture.pixel(x, y), before.pixel(x, y) == kBlack ? qRgb(255, 0, 0) : kWhite);
      red += picture.pixel(x, y) == qRgb(255, 0, 0);
    }
  }
  EXPECT_GT(red, 0);
}

// The control is transparent where its picture is white, also after the picture was changed in
// place since the last paint.
TEST(TImage, ShowsOnlyTheBlackOfItsPicture) {
  TImage image;
  image.resize(48, 24);
  image.SetPicture(Draw({0xD55C}, {48, 24}));
  const auto shown = [&] {
    QImage screen(48, 24, QImage::Format_RGB32);
    screen.fill(Qt::green);
    image.render(&screen, {}, {}, QWidget::RenderFlags());
    return screen;
  };
  QImage expected = image.Picture;
  RecolorImage(expected, Qt::white, Qt::green);
  EXPECT_EQ(shown(), expected);

  image.Picture.fill(Qt::black);
  expected.fill(Qt::black);
  EXPECT_EQ(shown(), expected);
}

// On a screen scaled between 1 and 2 the picture drawn at 2 is reduced with smoothing: the
// strokes' edges blend instead of losing whole pixel rows.
TEST(TImage, ReducesAPictureDrawnAtTwiceTheSizeSmoothly) {
  TImage image;
  image.resize(24, 24);
  const HangulCodes han = {0xD55C};
  image.SetPicture(DrawCodes(&han, {24, 24}, 2));
  QImage screen(36, 36, QImage::Format_RGB32);
  screen.setDevicePixelRatio(1.5);
  screen.fill(Qt::white);
  image.render(&screen, {}, {}, QWidget::RenderFlags());
  int grey = 0;
  for (int y = 0; y < 36; ++y)
    for (int x = 0; x < 36; ++x)
      grey += screen.pixel(x, y) != kWhite && screen.pixel(x, y) != kBlack;
  EXPECT_GT(grey, 10);
}

}  // namespace
}  // namespace norumi
