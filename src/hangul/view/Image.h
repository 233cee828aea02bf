// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QImage>
#include <QWidget>

namespace norumi {

// The image control a Korean line is drawn into. It shows its picture with white left out, so
// that the window behind shows through around the letters. A screen reader knows it as text:
// its name is the Korean it shows, its description (set by its window) what that Korean is.
class TImage : public QWidget {
  Q_OBJECT

 public:
  explicit TImage(QWidget* parent = nullptr);

  // The picture bitmap (Format_RGB32), sized to the control by whoever draws into it, at the
  // screen's device pixel ratio or 1. Changing it directly is fine: the next paint notices.
  QImage Picture;
  void SetPicture(const QImage& picture);
  // The same, with the text it shows, which becomes the control's name; a screen reader is told
  // when the name changes.
  void SetPicture(const QImage& picture, const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Picture with white turned transparent, rebuilt only when Picture has changed since.
  QImage shown_;
  qint64 shownKey_ = 0;
};

}  // namespace norumi
