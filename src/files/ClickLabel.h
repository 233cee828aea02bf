// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLabel>

namespace norumi {

// A label that reports clicks and double clicks with the left button, for the title and URL
// lines of the selection window.
class ClickLabel : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void clicked();
  void doubleClicked();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  // The release that ends a double click is not a second click.
  bool doubleClicking_ = false;
};

}  // namespace norumi
