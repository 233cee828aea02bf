// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/ClickLabel.h"

#include <QMouseEvent>
#include <utility>

namespace norumi {

void ClickLabel::mousePressEvent(QMouseEvent* event) {
  QLabel::mousePressEvent(event);
  doubleClicking_ = false;
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  QLabel::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton) return;
  if (std::exchange(doubleClicking_, false)) return;
  // A press dragged off the label is no click.
  if (rect().contains(event->position().toPoint())) emit clicked();
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent* event) {
  QLabel::mouseDoubleClickEvent(event);
  if (event->button() != Qt::LeftButton) return;
  doubleClicking_ = true;
  emit doubleClicked();
}

}  // namespace norumi
