// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFont>
#include <QString>

#include <array>
#include <cstdint>
#include <vector>

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

// A glyph on a canvas wider than any cell, also at twice the size, so that ink beyond the cell
// shows. Bit x of row y is the pixel (x, y); set = black.
constexpr int kCanvas = 64;
struct Bitmap {
  std::array<uint64_t, kCanvas> rows{};
  int Ink() const;
  bool Empty() const { return Ink() == 0; }
  // The smallest rectangle holding all ink as left, top, right, bottom (exclusive); all 0 when
  // empty.
  std::array<int, 4> Bounds() const;
  // The rows of the size × size square at (left, top), bit 0 = the square's left column.
  std::vector<uint64_t> Square(int left, int top, int size) const {
    std::vector<uint64_t> out(size);
    for (int y = 0; y < size; ++y) out[y] = rows[top + y] >> left & ((uint64_t(1) << size) - 1);
    return out;
  }
};

// The character drawn with its baseline origin at (kCanvas / 4, kCanvas * 3 / 4).
Bitmap Render(char32_t c, const RenderSettings& settings);

}  // namespace norumi::glyphgen
