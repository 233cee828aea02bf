// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QImage>
#include <QSize>

#include <array>

#include "hangul/view/Image.h"
#include "model/Tango.h"

namespace norumi {

// The pictures Korean is drawn with, compiled into the program so that no font is needed.
class HangulGlyphs {
 public:
  static const HangulGlyphs& Instance();  // the key glyphs, loaded on first use

  // Every picture exists at `scale` 1 and, for screens scaled above 1, at 2: drawn from a font
  // twice the size, every length below multiplied by 2.

  // The syllables of initial consonant `initial` (0..18): 774 × 498, Format_Mono with black at
  // index 0 and white at index 1. Syllable (L, V, T) is the 18 × 18 square at (T × 28, V × 24).
  // The sheets of a scale are loaded at its first call, not with the keys: the keyboard's
  // buttons need only the keys, and a program that never draws a syllable should not pay for
  // reading them.
  const QImage& Sheet(int initial, int scale = 1) const;
  // The glyph of jamo key `index`, black on white: 0..18 the consonants ㄱ…ㅎ (16 × 16), 19..39
  // the vowels ㅏ…ㅣ (18 × 18).
  const QImage& KeyGlyph(int index, int scale = 1) const { return keys_.at(scale - 1).at(index); }

 private:
  HangulGlyphs();
  std::array<std::array<QImage, 40>, 2> keys_;
};

// A new picture for a control of `size`, white, with `codes` (nullptr: no list) drawn in
// 24-pixel cells from the left: syllables at the cell's top-left corner, lone jamo 4 right and
// 2 down; codes without a picture leave their cell empty. On a screen whose device pixel ratio
// is above 1 it is drawn from the pictures at scale 2 at twice the size, with a device pixel
// ratio of 2: painting reduces it smoothly to any ratio in between.
QImage DrawCodes(const HangulCodes* codes, QSize size, qreal devicePixelRatio = 1);

// The text a drawing of `codes` shows, for a screen reader: syllables as they are, lone jamo as
// letters of their own, spaces kept; what draws nothing is left out.
QString DrawnText(const HangulCodes* codes);

// Turns every pixel of colour `from` into `to`: the Japanese-to-Korean quiz shows the right
// answer in red.
void RecolorImage(QImage& picture, QColor from, QColor to);

}  // namespace norumi
