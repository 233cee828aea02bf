// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "QtPrint.h"
#include "widgets/SpinButton.h"

namespace norumi {
namespace {

void Expire(QTimer* timer) {
  QTimerEvent event(timer->timerId());
  QCoreApplication::sendEvent(timer, &event);
}

TEST(TimerSpeedButton, RepeatsAfter400ThenEvery100MsWhileHeld) {
  TTimerSpeedButton button;
  button.resize(20, 20);
  button.SetRepeating(true);
  QSignalSpy clicked(&button, &QAbstractButton::clicked);

  QTest::mousePress(&button, Qt::LeftButton);
  QTimer* timer = button.RepeatTimer();
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());
  EXPECT_EQ(timer->interval(), 400);
  EXPECT_EQ(clicked.count(), 0);

  Expire(timer);
  EXPECT_EQ(timer->interval(), 100);
  EXPECT_EQ(clicked.count(), 1);
  Expire(timer);
  Expire(timer);
  EXPECT_EQ(clicked.count(), 3);
  EXPECT_TRUE(button.isDown());

  // Dragged off the button the repeat pauses; back on it, it goes on.
  QTest::mouseMove(&button, QPoint(-10, -10));
  Expire(timer);
  EXPECT_EQ(clicked.count(), 3);
  QTest::mouseMove(&button, QPoint(5, 5));
  Expire(timer);
  EXPECT_EQ(clicked.count(), 4);

  QTest::mouseRelease(&button, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_FALSE(timer->isActive());
  EXPECT_EQ(clicked.count(), 5);  // the release is an ordinary click

  // A new press starts from the long pause again.
  QTest::mousePress(&button, Qt::LeftButton);
  EXPECT_EQ(timer->interval(), 400);
  EXPECT_EQ(button.RepeatTimer(), timer);
  QTest::mouseRelease(&button, Qt::LeftButton);
}

TEST(SpinButton, HalvesShareOnePixelRowAtAnyHeight) {
  QWidget host;
  auto* spin = new TCSpinButton(&host);
  host.show();
  for (const int height : {25, 21, 20, 17, 2}) {
    spin->resize(15, height);
    const int upHeight = height / 2;
    EXPECT_EQ(spin->UpButton()->geometry(), QRect(0, 0, 15, upHeight)) << height;
    EXPECT_EQ(spin->DownButton()->geometry(), QRect(0, upHeight - 1, 15, height - upHeight + 1))
        << height;
  }
  spin->resize(4, 20);
  EXPECT_EQ(spin->width(), 15);
  EXPECT_EQ(spin->DownButton()->width(), 15);
}

class SpinButtonFocus : public testing::Test {
 protected:
  SpinButtonFocus() {
    host_.resize(200, 100);
    spin_ = new TCSpinButton(&host_);
    spin_->move(150, 0);
    edit_ = new QLineEdit(&host_);
    other_ = new QLineEdit(&host_);
    other_->move(0, 50);
    host_.show();
    QApplication::setActiveWindow(&host_);
    other_->setFocus();
  }

  QWidget host_;
  TCSpinButton* spin_;
  QLineEdit* edit_;
  QLineEdit* other_;
};

TEST_F(SpinButtonFocus, KeysClickAndMoveTheFocusedButton) {
  spin_->setFocusPolicy(Qt::StrongFocus);
  spin_->setFocus();
  QSignalSpy up(spin_, &TCSpinButton::UpClick);
  QSignalSpy down(spin_, &TCSpinButton::DownClick);
  EXPECT_TRUE(spin_->UpButton()->HasFocusRect());

  QTest::keyClick(spin_, Qt::Key_Down);
  EXPECT_EQ(spin_->FocusedButton(), spin_->DownButton());
  EXPECT_TRUE(spin_->DownButton()->HasFocusRect());
  EXPECT_FALSE(spin_->UpButton()->HasFocusRect());
  QTest::keyClick(spin_, Qt::Key_Space);
  EXPECT_EQ(down.count(), 2);
  QTest::keyClick(spin_, Qt::Key_Up);
  QTest::keyClick(spin_, Qt::Key_Space);
  EXPECT_EQ(up.count(), 2);
  EXPECT_EQ(down.count(), 2);

  other_->setFocus();
  EXPECT_FALSE(spin_->UpButton()->HasFocusRect());
}

TEST_F(SpinButtonFocus, APressHandsTheFocusToTheFocusControl) {
  spin_->SetFocusControl(edit_);
  QTest::mousePress(spin_->DownButton(), Qt::LeftButton);
  EXPECT_TRUE(edit_->hasFocus());
  QTest::mouseRelease(spin_->DownButton(), Qt::LeftButton);
  // Not being a tab stop itself, the spin button keeps its focused button.
  EXPECT_EQ(spin_->FocusedButton(), spin_->UpButton());

  // A focus control that cannot take the focus leaves it to a focusable spin button.
  other_->setFocus();
  edit_->setEnabled(false);
  spin_->setFocusPolicy(Qt::StrongFocus);
  QTest::mousePress(spin_->DownButton(), Qt::LeftButton);
  EXPECT_TRUE(spin_->hasFocus());
  EXPECT_EQ(spin_->FocusedButton(), spin_->DownButton());
  EXPECT_TRUE(spin_->DownButton()->HasFocusRect());
  QTest::mouseRelease(spin_->DownButton(), Qt::LeftButton);
}

}  // namespace
}  // namespace norumi
