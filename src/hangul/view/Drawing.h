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

  // The syllables of initial consonant `initial` (0..18): 774 × 498, Format_Mono with black at
  // index 0 and white at index 1. Syllable (L, V, T) is the 18 × 18 square at (T × 28, V × 24).
  // The sheets are loaded at the first call, not with the keys: the keyboard's buttons need only
  // the keys, and a program that never draws a syllable should not pay for reading them.
  const QImage& Sheet(int initial) const;
  // The glyph of jamo key `index`, black on white: 0..18 the consonants ㄱ…ㅎ (16 × 16), 19..39
  // the vowels ㅏ…ㅣ (18 × 18).
  const QImage& KeyGlyph(int index) const { return keys_.at(index); }

 private:
  HangulGlyphs();
  std::array<QImage, 40> keys_;
};

// A new picture of `size`, white, with `codes` (nullptr: no list) drawn in 24-pixel cells from
// the left: syllables at the cell's top-left corner, lone jamo 4 right and 2 down; codes without
// a picture leave their cell empty.
QImage DrawCodes(const HangulCodes* codes, QSize size);

// Turns every pixel of colour `from` into `to`: the Japanese-to-Korean quiz shows the right
// answer in red.
void RecolorImage(QImage& picture, QColor from, QColor to);

}  // namespace norumi
