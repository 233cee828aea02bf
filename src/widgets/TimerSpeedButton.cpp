// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/TimerSpeedButton.h"

#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QTimer>

namespace norumi {

TTimerSpeedButton::TTimerSpeedButton(QWidget* parent) : QToolButton(parent) {
  // Clicking must leave the keyboard focus where it is (the edit the button belongs to).
  setFocusPolicy(Qt::NoFocus);
}

void TTimerSpeedButton::SetFocusRect(bool on) {
  if (focusRect_ == on) return;
  focusRect_ = on;
  update();
}

void TTimerSpeedButton::mousePressEvent(QMouseEvent* event) {
  QToolButton::mousePressEvent(event);
  if (!repeating_ || !isDown()) return;
  if (!repeatTimer_) {
    repeatTimer_ = new QTimer(this);
    connect(repeatTimer_, &QTimer::timeout, this, &TTimerSpeedButton::TimerExpired);
  }
  repeatTimer_->start(kInitRepeatPause);
}

void TTimerSpeedButton::mouseReleaseEvent(QMouseEvent* event) {
  QToolButton::mouseReleaseEvent(event);
  if (repeatTimer_) repeatTimer_->stop();
}

void TTimerSpeedButton::TimerExpired() {
  repeatTimer_->setInterval(kRepeatPause);
  // Qt clears "down" when the pointer leaves the button or the button is released, so a held
  // button dragged off pauses the repeat and resumes it when the pointer comes back.
  // click() would clear "down" itself and end the repeat; the signal alone keeps it.
  if (isDown()) emit clicked(isChecked());
}

void TTimerSpeedButton::paintEvent(QPaintEvent* event) {
  QToolButton::paintEvent(event);
  if (!focusRect_) return;
  QStylePainter painter(this);
  QStyleOptionFocusRect option;
  option.initFrom(this);
  // Styles draw the rectangle only for keyboard focus, which is what the flag stands for.
  option.state |= QStyle::State_HasFocus | QStyle::State_KeyboardFocusChange;
  option.rect = rect().adjusted(3, 3, -3, -3);
  if (isDown()) option.rect.translate(1, 1);
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

}  // namespace norumi
