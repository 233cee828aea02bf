// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/SpinButton.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace norumi {
namespace {

bool IsTabStop(const QWidget* widget) {
  return widget->focusPolicy() & Qt::TabFocus;
}
bool CanTakeFocus(const QWidget* widget) {
  return widget->isVisible() && widget->isEnabled();
}
bool MayTakeFocus(const QWidget* widget) {
  return IsTabStop(widget) && CanTakeFocus(widget);
}

}  // namespace

TCSpinButton::TCSpinButton(QWidget* parent) : QWidget(parent) {
  up_ = CreateButton(QStringLiteral("upButton"), Qt::UpArrow);
  down_ = CreateButton(QStringLiteral("downButton"), Qt::DownArrow);
  focused_ = up_;
  connect(up_, &QAbstractButton::clicked, this, &TCSpinButton::UpClick);
  connect(down_, &QAbstractButton::clicked, this, &TCSpinButton::DownClick);
  // Inside an edit the I-beam would be inherited; these are buttons.
  setCursor(Qt::ArrowCursor);
  setMinimumWidth(15);
  resize(20, 25);
}

TTimerSpeedButton* TCSpinButton::CreateButton(const QString& name, Qt::ArrowType arrow) {
  auto* button = new TTimerSpeedButton(this);
  button->setObjectName(name);
  button->setArrowType(arrow);
  button->SetRepeating(true);
  button->installEventFilter(this);
  return button;
}

void TCSpinButton::SetFocusedButton(TTimerSpeedButton* button) {
  if (button == focused_ || !MayTakeFocus(this)) return;
  focused_->SetFocusRect(false);
  focused_ = button;
  if (hasFocus()) focused_->SetFocusRect(true);
}

bool TCSpinButton::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress && (watched == up_ || watched == down_) &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    SetFocusedButton(static_cast<TTimerSpeedButton*>(watched));
    FocusAfterPress();
  }
  return QWidget::eventFilter(watched, event);
}

void TCSpinButton::FocusAfterPress() {
  // A focus control that already has the focus keeps it: the spin button does not take it over.
  if (focusControl_ && MayTakeFocus(focusControl_)) {
    if (!focusControl_->hasFocus()) focusControl_->setFocus(Qt::OtherFocusReason);
  } else if (MayTakeFocus(this) && !hasFocus()) {
    setFocus(Qt::OtherFocusReason);
  }
}

void TCSpinButton::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Up:
      SetFocusedButton(up_);
      up_->click();
      break;
    case Qt::Key_Down:
      SetFocusedButton(down_);
      down_->click();
      break;
    case Qt::Key_Space:
      focused_->click();
      break;
    default:
      QWidget::keyPressEvent(event);
      return;
  }
  event->accept();
}

void TCSpinButton::focusInEvent(QFocusEvent* event) {
  QWidget::focusInEvent(event);
  focused_->SetFocusRect(true);
}

void TCSpinButton::focusOutEvent(QFocusEvent* event) {
  QWidget::focusOutEvent(event);
  focused_->SetFocusRect(false);
}

void TCSpinButton::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  // The halves share one pixel row, so their borders meet as a single line.
  const int upHeight = height() / 2;
  up_->setGeometry(0, 0, width(), upHeight);
  down_->setGeometry(0, upHeight - 1, width(), height() - upHeight + 1);
}

}  // namespace norumi
