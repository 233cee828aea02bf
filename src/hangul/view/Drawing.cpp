// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/view/Drawing.h"

#include <QList>

#include <algorithm>
#include <bit>
#include <type_traits>
#include <vector>

#include "hangul/core/CodeKinds.h"
#include "hangul/view/KeyboardKeys.h"

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
constexpr QRgb kBlack = 0xFF000000;

const QList<QRgb>& Palette() {
  static const QList<QRgb> palette{qRgb(0, 0, 0), qRgb(255, 255, 255)};
  return palette;
}

// "sheet00.png" at scale 1, "sheet00@2x.png" at 2.
QString FileName(const QString& stem, int scale) {
  return scale == 1 ? stem + ".png" : QString("%1@%2x.png").arg(stem).arg(scale);
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

// The glyphs of one scale as bit rows (bit x of row y set: pixel (x, y) black), so that drawing
// touches only the black pixels instead of reading the sheet's packed bits.
template <int Scale>
struct GlyphRows {
  static constexpr int kSide = kSquare * Scale, kKeySide = kKeySquare * Scale;
  using Row = std::conditional_t<(kSide <= 32), uint32_t, uint64_t>;
  using Rows = std::array<Row, kSide>;

  static Rows RowsOf(const QImage& mono, int left, int top, int side) {
    Rows rows{};
    for (int y = 0; y < side; ++y) {
      const uchar* line = mono.constScanLine(top + y);
      for (int x = left; x < left + side; ++x)
        if (!(line[x >> 3] >> (7 - (x & 7)) & 1)) rows[y] |= Row(1) << (x - left);
    }
    return rows;
  }

  static const GlyphRows& All() {
    static const GlyphRows all = [] {
      const HangulGlyphs& glyphs = HangulGlyphs::Instance();
      GlyphRows rows;
      rows.syllables.reserve(kInitials * kVowels * kFinals);
      for (int l = 0; l < kInitials; ++l)
        for (int v = 0; v < kVowels; ++v)
          for (int t = 0; t < kFinals; ++t)
            rows.syllables.push_back(RowsOf(glyphs.Sheet(l, Scale), t * kColumnPitch * Scale,
                                            v * kRowPitch * Scale, kSide));
      for (int k = 0; k < kKeys; ++k)
        rows.keys[k] = RowsOf(glyphs.KeyGlyph(k, Scale), 0, 0, kKeySide);
      return rows;
    }();
    return all;
  }

  std::vector<Rows> syllables;   // by code − 0xAC00
  std::array<Rows, kKeys> keys;  // the key square that is drawn
};

// The picture being drawn, its pixels reached without a per-row call into QImage.
struct Canvas {
  QRgb* pixels;
  qsizetype stride;  // in pixels
  int width, height;
};

// Sets the black pixels of a side × side glyph at (left, top), cut off at the canvas's edges.
template <typename Rows>
void Blit(const Canvas& canvas, const Rows& rows, int side, int left, int top) {
  using Row = typename Rows::value_type;
  const int room = canvas.width - left, bottom = std::min(side, canvas.height - top);
  if (room <= 0 || bottom <= 0) return;
  const Row clip = room >= side ? ~Row(0) : (Row(1) << room) - 1;
  QRgb* line = canvas.pixels + top * canvas.stride + left;
  for (int y = 0; y < bottom; ++y, line += canvas.stride)
    for (Row bits = rows[y] & clip; bits; bits &= bits - 1) line[std::countr_zero(bits)] = kBlack;
}

template <int Scale>
QImage Draw(const HangulCodes* codes, QSize size) {
  using Glyphs = GlyphRows<Scale>;
  QImage picture(size * Scale, QImage::Format_RGB32);
  if (picture.isNull()) return picture;
  picture.setDevicePixelRatio(Scale);
  picture.fill(Qt::white);
  if (!codes) return picture;
  const Glyphs& glyphs = Glyphs::All();
  const Canvas canvas{reinterpret_cast<QRgb*>(picture.bits()), picture.bytesPerLine() / 4,
                      picture.width(), picture.height()};
  const size_t cells = std::min(codes->size(), size_t(size.width() + kCell - 1) / kCell);
  for (size_t i = 0; i < cells; ++i) {
    const int32_t c = (*codes)[i];
    const int left = int(i) * kCell * Scale;
    const int keyLeft = left + kKeyLeft * Scale, keyTop = kKeyTop * Scale;
    if (c >= kFirstSyllable && c <= kLastSyllable)
      Blit(canvas, glyphs.syllables[c - kFirstSyllable], Glyphs::kSide, left, 0);
    else if (c >= kFirstConsonant && c <= kLastConsonant)
      Blit(canvas, glyphs.keys[c - kFirstConsonant], Glyphs::kKeySide, keyLeft, keyTop);
    else if (c >= kFirstVowel && c <= kLastVowel)
      Blit(canvas, glyphs.keys[c - kFirstVowel + kConsonantKeys], Glyphs::kKeySide, keyLeft,
           keyTop);
  }
  return picture;
}

}  // namespace

HangulGlyphs::HangulGlyphs() {
  InitGlyphResources();
  for (int scale : {1, 2}) {
    // The strip holds every key in a syllable's square; a consonant fills only its key square.
    const int slot = kSquare * scale;
    const QImage strip = LoadMono(FileName("keys", scale), QSize(kKeys * slot, slot));
    for (int k = 0; k < kKeys; ++k) {
      const int side = (k < kConsonantKeys ? kKeySquare : kSquare) * scale;
      keys_[scale - 1][k] = strip.copy(k * slot, 0, side, side);
    }
  }
}

const HangulGlyphs& HangulGlyphs::Instance() {
  static const HangulGlyphs glyphs;
  return glyphs;
}

const QImage& HangulGlyphs::Sheet(int initial, int scale) const {
  using Sheets = std::array<QImage, kInitials>;
  const auto load = [](int scale) {
    Sheets loaded;
    for (int l = 0; l < kInitials; ++l)
      loaded[l] = LoadMono(FileName(QString("sheet%1").arg(l, 2, 10, QChar('0')), scale),
                           kSheetSize * scale);
    return loaded;
  };
  if (scale == 2) {
    static const Sheets sheets = load(2);
    return sheets.at(initial);
  }
  static const Sheets sheets = load(1);
  return sheets.at(initial);
}

QImage DrawCodes(const HangulCodes* codes, QSize size, qreal devicePixelRatio) {
  return devicePixelRatio > 1 ? Draw<2>(codes, size) : Draw<1>(codes, size);
}

QString DrawnText(const HangulCodes* codes) {
  QString text;
  if (!codes) return text;
  for (const int32_t c : *codes) {
    if (c >= kFirstSyllable && c <= kLastSyllable)
      text += QChar(char16_t(c));
    else if (c >= kFirstConsonant && c <= kLastConsonant)
      text += QChar(kJamoKeys[c - kFirstConsonant].jamo);
    else if (c >= kFirstVowel && c <= kLastVowel)
      text += QChar(kJamoKeys[c - kFirstVowel + kConsonantKeys].jamo);
    else if (c == ' ')
      text += QLatin1Char(' ');
  }
  return text.trimmed();
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
