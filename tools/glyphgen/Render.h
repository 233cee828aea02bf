#pragma once

#include <QFont>
#include <QString>

#include <array>
#include <cstdint>

namespace norumi::glyphgen {

// How a character becomes black and white pixels.
struct RenderSettings {
  QString family;
  int pixelSize = 16;
  // 0: drawn without antialiasing (for a hinted font, its monochrome hinting). Otherwise drawn
  // antialiased at this multiple of the size, averaged back down and thresholded.
  int supersample = 0;
  QFont::HintingPreference hinting = QFont::PreferFullHinting;
  int threshold = 128;  // averaged grey levels below this become black
};

// A glyph on a canvas wider than any cell, so that ink beyond the cell shows. Bit x of row y is
// the pixel (x, y); set = black.
constexpr int kCanvas = 48;
struct Bitmap {
  std::array<uint64_t, kCanvas> rows{};
  int Ink() const;
  bool Empty() const { return Ink() == 0; }
  // The smallest rectangle holding all ink as left, top, right, bottom (exclusive); all 0 when
  // empty.
  std::array<int, 4> Bounds() const;
  // The rows of the size × size square at (left, top), bit 0 = the square's left column.
  template <int Size>
  std::array<uint32_t, Size> Square(int left, int top) const {
    std::array<uint32_t, Size> out{};
    for (int y = 0; y < Size; ++y) out[y] = uint32_t(rows[top + y] >> left) & ((1u << Size) - 1);
    return out;
  }
};

// The character drawn with its baseline origin at (kCanvas / 4, kCanvas * 3 / 4).
Bitmap Render(char32_t c, const RenderSettings& settings);

}  // namespace norumi::glyphgen
