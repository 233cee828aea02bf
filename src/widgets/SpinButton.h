// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include "widgets/TimerSpeedButton.h"

namespace norumi {

// An up and a down button stacked in one control. Clicks (held ones repeat) come out as UpClick
// and DownClick. A press on either button hands the keyboard focus to FocusControl, so the
// buttons of a spin edit never take the focus away from the edit.
class TCSpinButton : public QWidget {
  Q_OBJECT

 public:
  explicit TCSpinButton(QWidget* parent = nullptr);

  TTimerSpeedButton* UpButton() const { return up_; }
  TTimerSpeedButton* DownButton() const { return down_; }
  // The button that Space clicks and that shows the focus rectangle.
  TTimerSpeedButton* FocusedButton() const { return focused_; }
  void SetFocusedButton(TTimerSpeedButton* button);
  QWidget* FocusControl() const { return focusControl_; }
  void SetFocusControl(QWidget* control) { focusControl_ = control; }

 signals:
  void UpClick();
  void DownClick();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  TTimerSpeedButton* CreateButton(const QString& name, Qt::ArrowType arrow);
  void FocusAfterPress();

  TTimerSpeedButton* up_;
  TTimerSpeedButton* down_;
  TTimerSpeedButton* focused_;
  QPointer<QWidget> focusControl_;
};

}  // namespace norumi
