#include "hangul/view/Drawing.h"

#include <QList>

#include <algorithm>
#include <bit>
#include <vector>

// At file scope: the macro declares the resource's initialiser where it is used, and a static
// library would otherwise drop the pictures at link time.
static void InitGlyphResources() {
  Q_INIT_RESOURCE(Glyphs);
}

namespace norumi {
namespace {

constexpr int kInitials = 19, kVowels = 21, kFinals = 28, kKeys = 40, kConsonantKeys = 19;
constexpr int kSquare = 18, kKeySquare = 16, kColumnPitch = 28, kRowPitch = 24;
constexpr QSize kSheetSize(774, 498);
constexpr int kCell = 24, kKeyLeft = 4, kKeyTop = 2;
constexpr int32_t kFirstSyllable = 0xAC00, kLastSyllable = 0xD7A3;
constexpr int32_t kFirstConsonant = 0x1100, kLastConsonant = 0x1112;
constexpr int32_t kFirstVowel = 0x1161, kLastVowel = 0x1175;
constexpr QRgb kBlack = 0xFF000000;

const QList<QRgb>& Palette() {
  static const QList<QRgb> palette{qRgb(0, 0, 0), qRgb(255, 255, 255)};
  return palette;
}

// Black at index 0 and white at 1 whatever the file held; a damaged build shows white rather
// than stopping the program.
QImage LoadMono(const QString& name, QSize size) {
  QImage image(":/glyphs/" + name);
  if (image.size() != size) {
    qWarning("The glyph picture %s is missing or damaged.", qPrintable(name));
    image = QImage(size, QImage::Format_RGB32);
    image.fill(Qt::white);
  }
  if (image.format() == QImage::Format_Mono && image.colorTable() == Palette()) return image;
  return image.convertToFormat(QImage::Format_RGB32)
      .convertToFormat(QImage::Format_Mono, Palette(), Qt::ThresholdDither);
}

// A glyph as bit rows (bit x of row y set: pixel (x, y) black), so that drawing touches only
// the black pixels instead of reading the sheet's packed bits.
using Rows = std::array<uint32_t, kSquare>;

Rows RowsOf(const QImage& mono, int left, int top, int side) {
  Rows rows{};
  for (int y = 0; y < side; ++y) {
    const uchar* line = mono.constScanLine(top + y);
    for (int x = left; x < left + side; ++x)
      if (!(line[x >> 3] >> (7 - (x & 7)) & 1)) rows[y] |= 1u << (x - left);
  }
  return rows;
}

struct GlyphRows {
  std::vector<Rows> syllables;   // by code − 0xAC00
  std::array<Rows, kKeys> keys;  // the 16 × 16 that is drawn
};

const GlyphRows& AllRows() {
  static const GlyphRows all = [] {
    const HangulGlyphs& glyphs = HangulGlyphs::Instance();
    GlyphRows rows;
    rows.syllables.reserve(kInitials * kVowels * kFinals);
    for (int l = 0; l < kInitials; ++l)
      for (int v = 0; v < kVowels; ++v)
        for (int t = 0; t < kFinals; ++t)
          rows.syllables.push_back(
              RowsOf(glyphs.Sheet(l), t * kColumnPitch, v * kRowPitch, kSquare));
    for (int k = 0; k < kKeys; ++k) rows.keys[k] = RowsOf(glyphs.KeyGlyph(k), 0, 0, kKeySquare);
    return rows;
  }();
  return all;
}

// The picture being drawn, its pixels reached without a per-row call into QImage.
struct Canvas {
  QRgb* pixels;
  qsizetype stride;  // in pixels
  int width, height;
};

// Sets the black pixels of a side × side glyph at (left, top), cut off at the canvas's edges.
void Blit(const Canvas& canvas, const Rows& rows, int side, int left, int top) {
  const int room = canvas.width - left, bottom = std::min(side, canvas.height - top);
  if (room <= 0 || bottom <= 0) return;
  const uint32_t clip = room >= side ? ~0u : (1u << room) - 1;
  QRgb* line = canvas.pixels + top * canvas.stride + left;
  for (int y = 0; y < bottom; ++y, line += canvas.stride)
    for (uint32_t bits = rows[y] & clip; bits; bits &= bits - 1)
      line[std::countr_zero(bits)] = kBlack;
}

}  // namespace

HangulGlyphs::HangulGlyphs() {
  InitGlyphResources();
  // The strip holds every key in an 18 × 18 slot; a consonant fills only the slot's 16 × 16.
  const QImage strip = LoadMono("keys.png", QSize(kKeys * kSquare, kSquare));
  for (int k = 0; k < kKeys; ++k) {
    const int side = k < kConsonantKeys ? kKeySquare : kSquare;
    keys_[k] = strip.copy(k * kSquare, 0, side, side);
  }
}

const HangulGlyphs& HangulGlyphs::Instance() {
  static const HangulGlyphs glyphs;
  return glyphs;
}

const QImage& HangulGlyphs::Sheet(int initial) const {
  static const std::array<QImage, kInitials> sheets = [] {
    std::array<QImage, kInitials> loaded;
    for (int l = 0; l < kInitials; ++l)
      loaded[l] = LoadMono(QString("sheet%1.png").arg(l, 2, 10, QChar('0')), kSheetSize);
    return loaded;
  }();
  return sheets.at(initial);
}

QImage DrawCodes(const HangulCodes* codes, QSize size) {
  QImage picture(size, QImage::Format_RGB32);
  if (picture.isNull()) return picture;
  picture.fill(Qt::white);
  if (!codes) return picture;
  const GlyphRows& glyphs = AllRows();
  const Canvas canvas{reinterpret_cast<QRgb*>(picture.bits()), picture.bytesPerLine() / 4,
                      picture.width(), picture.height()};
  const size_t cells = std::min(codes->size(), size_t(picture.width() + kCell - 1) / kCell);
  for (size_t i = 0; i < cells; ++i) {
    const int32_t c = (*codes)[i];
    const int left = int(i) * kCell;
    if (c >= kFirstSyllable && c <= kLastSyllable)
      Blit(canvas, glyphs.syllables[c - kFirstSyllable], kSquare, left, 0);
    else if (c >= kFirstConsonant && c <= kLastConsonant)
      Blit(canvas, glyphs.keys[c - kFirstConsonant], kKeySquare, left + kKeyLeft, kKeyTop);
    else if (c >= kFirstVowel && c <= kLastVowel)
      Blit(canvas, glyphs.keys[c - kFirstVowel + kConsonantKeys], kKeySquare, left + kKeyLeft,
           kKeyTop);
  }
  return picture;
}

void RecolorImage(QImage& picture, QColor from, QColor to) {
  if (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_ARGB32)
    picture.convertTo(QImage::Format_ARGB32);
  const bool alpha = picture.hasAlphaChannel();
  const QRgb old = alpha ? from.rgba() : from.rgb(), fresh = alpha ? to.rgba() : to.rgb();
  for (int y = 0; y < picture.height(); ++y) {
    QRgb* line = reinterpret_cast<QRgb*>(picture.scanLine(y));
    std::replace(line, line + picture.width(), old, fresh);
  }
}

}  // namespace norumi
