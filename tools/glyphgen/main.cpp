// SPDX-License-Identifier: GPL-3.0-or-later
// Draws the pictures the program shows Korean with: 19 syllable sheets and a strip of the 40 key
// glyphs, at the program's own size and at twice it, from a Korean font, checking that every
// syllable stays inside its square, has ink and differs from all the others. See CMakeLists.txt
// for how it is run.
#include <QCommandLineParser>
#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QSize>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <vector>

#include "Render.h"

namespace norumi::glyphgen {
namespace {

constexpr int kInitials = 19, kVowels = 21, kFinals = 28, kSyllables = 11172, kKeys = 40;
// The initial consonants as compatibility jamo, which that block interleaves with clusters; its
// vowels follow one another from kFirstVowelJamo.
constexpr char32_t kKeyJamo[kInitials] = {0x3131, 0x3132, 0x3134, 0x3137, 0x3138, 0x3139, 0x3141,
                                          0x3142, 0x3143, 0x3145, 0x3146, 0x3147, 0x3148, 0x3149,
                                          0x314A, 0x314B, 0x314C, 0x314D, 0x314E};
constexpr char32_t kFirstVowelJamo = 0x314F;

// Where the pictures put a glyph, at 1 (the program's own geometry) or 2 times the size: the
// same layout, every length multiplied.
struct Geometry {
  int scale;
  int Square() const { return 18 * scale; }
  int KeySquare() const { return 16 * scale; }
  int ColumnPitch() const { return 28 * scale; }
  int RowPitch() const { return 24 * scale; }
  QSize SheetSize() const { return QSize(774, 498) * scale; }
  // "sheet00.png" at 1×, "sheet00@2x.png" at 2×.
  QString File(const QString& stem) const {
    return scale == 1 ? stem + ".png" : QString("%1@%2x.png").arg(stem).arg(scale);
  }
};

using Rows = std::vector<uint64_t>;

[[noreturn]] void Fail(const QString& message) {
  std::fprintf(stderr, "glyphgen: %s\n", qPrintable(message));
  std::exit(1);
}

QString Text(char32_t c) {
  return QString::fromUcs4(&c, 1);
}

QImage WhiteMono(QSize size) {
  QImage image(size, QImage::Format_Mono);
  image.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
  image.fill(1);
  return image;
}

// The ink bounds of the glyph of `c`, which must have ink and must not reach the canvas edge
// (where it might have been cut off).
std::array<int, 4> InkBounds(const Bitmap& glyph, char32_t c) {
  const auto b = glyph.Bounds();
  if (glyph.Empty()) Fail(QString("%1 has no ink").arg(Text(c)));
  if (b[0] == 0 || b[1] == 0 || b[2] == kCanvas || b[3] == kCanvas)
    Fail(QString("%1 is too large for the canvas").arg(Text(c)));
  return b;
}

// The size × size square of `glyph` at (left, top) of its canvas.
Rows Cut(const Bitmap& glyph, int left, int top, int size, char32_t c) {
  if (left < 0 || top < 0 || top + size > kCanvas || left + size > kCanvas)
    Fail(QString("%1 cannot be placed on the canvas").arg(Text(c)));
  return glyph.Square(left, top, size);
}

void Put(QImage& image, const Rows& rows, int left, int top) {
  for (int y = 0; y < int(rows.size()); ++y)
    for (int x = 0; x < 64; ++x)
      if (rows[y] >> x & 1) image.setPixel(left + x, top + y, 0);
}

// All syllables share one placement (the union of their ink centred in the square), so that a
// line of them keeps one baseline.
std::vector<Rows> Syllables(const RenderSettings& settings, const Geometry& g) {
  const int side = g.Square();
  std::vector<Bitmap> glyphs(kSyllables);
  int left = kCanvas, top = kCanvas, right = 0, bottom = 0;
  for (int s = 0; s < kSyllables; ++s) {
    glyphs[s] = Render(0xAC00 + s, settings);
    const auto b = InkBounds(glyphs[s], 0xAC00 + s);
    left = std::min(left, b[0]), top = std::min(top, b[1]);
    right = std::max(right, b[2]), bottom = std::max(bottom, b[3]);
  }
  std::printf("ink of all syllables at %dx: %d x %d\n", g.scale, right - left, bottom - top);
  if (right - left > side || bottom - top > side)
    Fail(QString("the syllables span %1 x %2 pixels").arg(right - left).arg(bottom - top));
  left -= (side - (right - left)) / 2;
  top -= (side - (bottom - top)) / 2;

  std::vector<Rows> squares(kSyllables);
  std::map<Rows, int> seen;
  int duplicates = 0;
  for (int s = 0; s < kSyllables; ++s) {
    squares[s] = Cut(glyphs[s], left, top, side, 0xAC00 + s);
    int inside = 0;
    for (uint64_t row : squares[s]) inside += std::popcount(row);
    if (inside != glyphs[s].Ink()) Fail(QString("%1 leaves its square").arg(Text(0xAC00 + s)));
    const auto [it, added] = seen.emplace(squares[s], s);
    if (!added && ++duplicates <= 20)
      std::fprintf(stderr, "same picture: %s %s\n", qPrintable(Text(0xAC00 + it->second)),
                   qPrintable(Text(0xAC00 + s)));
  }
  if (duplicates) Fail(QString("%1 syllables look like another one").arg(duplicates));
  return squares;
}

// Each key glyph centred on its own, as they stand alone on their buttons, and all within the
// key square that a line shows of them, vowels too (their slots are a syllable's square).
std::vector<Rows> Keys(const RenderSettings& settings, const Geometry& g) {
  const int side = g.KeySquare();
  std::vector<Rows> keys(kKeys);
  std::map<Rows, int> seen;
  for (int k = 0; k < kKeys; ++k) {
    const char32_t c = k < kInitials ? kKeyJamo[k] : kFirstVowelJamo + (k - kInitials);
    const Bitmap glyph = Render(c, settings);
    const auto [l, t, r, b] = InkBounds(glyph, c);
    if (r - l > side || b - t > side)
      Fail(QString("key %1 is larger than %2 pixels").arg(Text(c)).arg(side));
    keys[k] = Cut(glyph, l - (side - (r - l)) / 2, t - (side - (b - t)) / 2, side, c);
    if (!seen.emplace(keys[k], k).second) Fail(QString("key %1 repeats another").arg(Text(c)));
  }
  return keys;
}

void Save(const QImage& image, const QString& path) {
  if (!image.save(path, "PNG")) Fail("cannot write " + QDir::toNativeSeparators(path));
}

// The sheets and the key strip of one scale.
void SavePictures(const std::vector<Rows>& squares, const std::vector<Rows>& keys,
                  const Geometry& g, const QString& out) {
  for (int l = 0; l < kInitials; ++l) {
    QImage sheet = WhiteMono(g.SheetSize());
    for (int v = 0; v < kVowels; ++v)
      for (int t = 0; t < kFinals; ++t)
        Put(sheet, squares[(l * kVowels + v) * kFinals + t], t * g.ColumnPitch(), v * g.RowPitch());
    Save(sheet, out + "/" + g.File(QString("sheet%1").arg(l, 2, 10, QChar('0'))));
  }
  QImage strip = WhiteMono(QSize(kKeys * g.Square(), g.Square()));
  for (int k = 0; k < kKeys; ++k) Put(strip, keys[k], k * g.Square(), 0);
  Save(strip, out + "/" + g.File("keys"));
}

// Enlarged pictures to judge the result by eye: hard syllables as the program lines them up, and
// the first columns of the sheet of ㅂ.
void SavePreview(const std::vector<Rows>& squares, const Geometry& g, const QString& folder) {
  QDir().mkpath(folder);
  const char32_t hard[] = {U'뷁', U'쀍', U'똠', U'햏', U'괬', U'읅', U'닭', U'궯',
                           U'한', U'국', U'어', U'읽', U'쌻', U'휅', U'꿹', U'뛝'};
  const int cell = 24 * g.scale, zoom = 4 / g.scale;
  QImage lines = WhiteMono(QSize(8 * cell, 2 * cell));
  for (int i = 0; i < int(std::size(hard)); ++i)
    Put(lines, squares[hard[i] - 0xAC00], i % 8 * cell, i / 8 * cell);
  Save(lines.scaled(lines.size() * zoom), folder + "/" + g.File("preview-hard"));
  QImage sheet = WhiteMono(QSize(8 * g.ColumnPitch(), kVowels * g.RowPitch()));
  for (int v = 0; v < kVowels; ++v)
    for (int t = 0; t < 8; ++t)
      Put(sheet, squares[7 * 588 + v * 28 + t], t * g.ColumnPitch(), v * g.RowPitch());
  Save(sheet.scaled(sheet.size() * zoom), folder + "/" + g.File("preview-sheet"));
}

}  // namespace
}  // namespace norumi::glyphgen

int main(int argc, char** argv) {
  using namespace norumi::glyphgen;
  QGuiApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription("Draws the Hangul glyph pictures from a font.");
  parser.addHelpOption();
  parser.addOptions({{"size", "Pixel size of the syllables.", "px", "17"},
                     {"key-size", "Pixel size of the key glyphs.", "px", "16"},
                     {"supersample", "0: hinted monochrome; n: antialiased at n times.", "n", "0"},
                     {"hinting", "full, vertical or none.", "kind", "full"},
                     {"threshold", "Grey level below which a pixel is black.", "0-255", "128"},
                     {"preview", "Also write enlarged previews into this folder.", "folder"}});
  parser.addPositionalArgument("font", "The font file.");
  parser.addPositionalArgument("out", "The folder of the pictures.");
  parser.process(app);
  if (parser.positionalArguments().size() != 2) parser.showHelp(2);
  const QString fontFile = parser.positionalArguments()[0];
  const QString out = parser.positionalArguments()[1];

  const int id = QFontDatabase::addApplicationFont(fontFile);
  if (id < 0) Fail("cannot load the font " + QDir::toNativeSeparators(fontFile));
  RenderSettings settings;
  settings.family = QFontDatabase::applicationFontFamilies(id).value(0);
  settings.supersample = parser.value("supersample").toInt();
  settings.threshold = parser.value("threshold").toInt();
  const QString hinting = parser.value("hinting");
  settings.hinting = hinting == "none"       ? QFont::PreferNoHinting
                     : hinting == "vertical" ? QFont::PreferVerticalHinting
                                             : QFont::PreferFullHinting;
  // The same settings at twice the size give the pictures of the scales above 1. Every picture
  // is checked before any is written.
  const Geometry scales[] = {{1}, {2}};
  std::vector<Rows> squares[2], keys[2];
  for (int i = 0; i < 2; ++i) {
    settings.pixelSize = parser.value("size").toInt() * scales[i].scale;
    squares[i] = Syllables(settings, scales[i]);
    settings.pixelSize = parser.value("key-size").toInt() * scales[i].scale;
    keys[i] = Keys(settings, scales[i]);
  }
  QDir().mkpath(out);
  for (int i = 0; i < 2; ++i) {
    SavePictures(squares[i], keys[i], scales[i], out);
    if (parser.isSet("preview")) SavePreview(squares[i], scales[i], parser.value("preview"));
  }
  std::printf("%d syllables and %d keys written at 1x and 2x, all distinct\n", kSyllables, kKeys);
  return 0;
}
