// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/view/Image.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPainter>

namespace norumi {

namespace {

// A drawn line is read as text, not as an unnamed panel.
QAccessibleInterface* ImageAccessible(const QString& className, QObject* object) {
  if (className == QLatin1String(TImage::staticMetaObject.className()) && object->isWidgetType())
    return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::StaticText);
  return nullptr;
}

}  // namespace

TImage::TImage(QWidget* parent) : QWidget(parent) {
  static const bool installed = [] {
    QAccessible::installFactory(ImageAccessible);
    return true;
  }();
  Q_UNUSED(installed);
}

void TImage::SetPicture(const QImage& picture) {
  Picture = picture;
  update();
}

void TImage::SetPicture(const QImage& picture, const QString& text) {
  SetPicture(picture);
  // Tells the accessibility layer of a new name by itself, so that a new question is heard.
  if (text != accessibleName()) setAccessibleName(text);
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
  QPainter painter(this);
  // A picture drawn at 2 on a screen scaled between 1 and 2 is reduced, not cut to pixels.
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QPointF(0, 0), shown_);
}

}  // namespace norumi
