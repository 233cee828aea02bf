// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QToolButton>

class QTimer;

namespace norumi {

// A button that keeps clicking while it is held down: the first repeat waits a little, so that a
// short press gives exactly one click (on release, as any button), the following ones come fast.
//
// The pace comes from a QTimer of our own rather than QAbstractButton::autoRepeat, whose timer is
// hidden: RepeatTimer() lets a test fire expiries by hand instead of waiting for them.
class TTimerSpeedButton : public QToolButton {
  Q_OBJECT

 public:
  static constexpr int kInitRepeatPause = 400;  // ms
  static constexpr int kRepeatPause = 100;      // ms

  explicit TTimerSpeedButton(QWidget* parent = nullptr);

  bool Repeating() const { return repeating_; }
  void SetRepeating(bool on) { repeating_ = on; }
  bool HasFocusRect() const { return focusRect_; }
  void SetFocusRect(bool on);
  // Null until the first press with repeating on; owned by the button.
  QTimer* RepeatTimer() const { return repeatTimer_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void TimerExpired();

  bool repeating_ = false;
  bool focusRect_ = false;
  QTimer* repeatTimer_ = nullptr;
};

}  // namespace norumi
