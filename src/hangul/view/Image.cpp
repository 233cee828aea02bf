#include "hangul/view/Image.h"

#include <QPainter>

namespace norumi {

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::SetPicture(const QImage& picture) {
  Picture = picture;
  update();
}

void TImage::paintEvent(QPaintEvent*) {
  if (Picture.cacheKey() != shownKey_) {
    shownKey_ = Picture.cacheKey();
    // Opaque pixels look the same premultiplied, and a transparent one is simply 0.
    shown_ = Picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < shown_.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(shown_.scanLine(y));
      for (int x = 0; x < shown_.width(); ++x)
        if (line[x] == 0xFFFFFFFF) line[x] = 0;
    }
  }
  QPainter(this).drawImage(0, 0, shown_);
}

}  // namespace norumi
