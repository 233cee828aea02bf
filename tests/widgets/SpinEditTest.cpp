// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMenu>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <climits>
#include <memory>
#include <utility>

#include "QtPrint.h"
#include "widgets/SpinEdit.h"

namespace norumi {
namespace {

void Expire(QTimer* timer) {
  QTimerEvent event(timer->timerId());
  QCoreApplication::sendEvent(timer, &event);
}

class SpinEditTest : public testing::Test {
 protected:
  SpinEditTest() {
    host_.resize(240, 120);
    edit_ = new TCSpinEdit(&host_);
    edit_->setObjectName(QStringLiteral("csVersion"));
    edit_->SetBeepFunction([this] { ++sounded_; });
    other_ = new QLineEdit(&host_);
    other_->move(0, 60);
  }

  void ShowActive() {
    host_.show();
    QApplication::setActiveWindow(&host_);
  }

  TTimerSpeedButton* Up() { return edit_->findChild<TTimerSpeedButton*>("upButton"); }
  TTimerSpeedButton* Down() { return edit_->findChild<TTimerSpeedButton*>("downButton"); }

  QWidget host_;
  TCSpinEdit* edit_;
  QLineEdit* other_;
  int sounded_ = 0;
};

TEST_F(SpinEditTest, SetValueClampsUnlessTheLimitsAreEqual) {
  EXPECT_EQ(edit_->text(), "0");
  edit_->SetMaxValue(100);
  const std::pair<int, const char*> rows[] = {{150, "100"}, {-5, "0"}, {42, "42"}, {100, "100"}};
  for (const auto& [value, shown] : rows) {
    edit_->SetValue(value);
    EXPECT_EQ(edit_->text(), shown) << value;
  }

  edit_->SetMinValue(7);
  edit_->SetMaxValue(7);
  edit_->SetValue(150);
  EXPECT_EQ(edit_->text(), "150");
  edit_->setProperty("Value", -5);
  EXPECT_EQ(edit_->property("Value").toInt(), -5);
}

TEST_F(SpinEditTest, UnreadableTextIsReplacedByMinValueButReadingDoesNotClamp) {
  edit_->SetMinValue(5);
  edit_->SetMaxValue(10);
  for (const char* unreadable : {"abc", "", "12 ", "1.5"}) {
    edit_->setText(unreadable);
    EXPECT_EQ(edit_->Value(), 5) << unreadable;
    EXPECT_EQ(edit_->text(), "5") << unreadable;
  }
  edit_->setText(" -$10");
  EXPECT_EQ(edit_->Value(), -16);
  EXPECT_EQ(edit_->text(), " -$10");
}

TEST_F(SpinEditTest, LeavingTheFieldRewritesOnlyAValueOutOfRange) {
  edit_->SetMaxValue(100);
  ShowActive();
  const std::pair<const char*, const char*> rows[] = {
      {"150", "100"}, {"-3", "0"}, {"abc", "0"}, {" 050", " 050"}};
  for (const auto& [typed, left] : rows) {
    edit_->setFocus();
    edit_->setText(typed);
    other_->setFocus();
    EXPECT_EQ(edit_->text(), left) << typed;
  }
}

TEST_F(SpinEditTest, ArrowKeysAndButtonsStepByIncrementWithinTheLimits) {
  edit_->SetMaxValue(10);
  edit_->SetIncrement(3);
  edit_->SetValue(8);
  QTest::keyClick(edit_, Qt::Key_Up);
  EXPECT_EQ(edit_->text(), "10");
  QTest::keyClick(edit_, Qt::Key_Up);
  EXPECT_EQ(edit_->text(), "10");
  QTest::keyClick(edit_, Qt::Key_Down);
  EXPECT_EQ(edit_->text(), "7");
  QTest::mouseClick(Down(), Qt::LeftButton);
  EXPECT_EQ(edit_->text(), "4");
  QTest::mouseClick(Up(), Qt::LeftButton);
  EXPECT_EQ(edit_->text(), "7");
  edit_->setText("junk");
  QTest::keyClick(edit_, Qt::Key_Up);
  EXPECT_EQ(edit_->text(), "3");

  // Without limits a step saturates instead of wrapping round.
  edit_->SetMaxValue(0);
  edit_->SetIncrement(INT_MAX);
  edit_->SetValue(INT_MAX - 1);
  QTest::keyClick(edit_, Qt::Key_Up);
  EXPECT_EQ(edit_->Value(), INT_MAX);
  edit_->SetValue(-2);
  QTest::keyClick(edit_, Qt::Key_Down);
  QTest::keyClick(edit_, Qt::Key_Down);
  EXPECT_EQ(edit_->Value(), INT_MIN);
  EXPECT_EQ(sounded_, 0);
}

TEST_F(SpinEditTest, TheVersionFieldOnlyBeepsWhateverTheUserDoes) {
  // The word version field of the options window.
  edit_->SetMaxValue(100);
  edit_->setReadOnly(true);
  edit_->SetEditorEnabled(false);
  edit_->SetValue(42);
  QApplication::clipboard()->setText(QStringLiteral("7"));
  QSignalSpy beeped(edit_, &TCSpinEdit::Beeped);

  QTest::keyClick(edit_, Qt::Key_Up);
  QTest::keyClick(edit_, Qt::Key_Down);
  QTest::mouseClick(Up(), Qt::LeftButton);
  QTest::mouseClick(Down(), Qt::LeftButton);
  QTest::keyClicks(edit_, "7-");
  QTest::keyClick(edit_, Qt::Key_Backspace);
  QTest::keyClick(edit_, Qt::Key_Delete);
  EXPECT_EQ(beeped.count(), 8);
  EXPECT_EQ(sounded_, 8);

  // Held down, every repeat beeps too.
  QTest::mousePress(Up(), Qt::LeftButton);
  Expire(Up()->RepeatTimer());
  Expire(Up()->RepeatTimer());
  QTest::mouseRelease(Up(), Qt::LeftButton);
  EXPECT_EQ(beeped.count(), 11);

  QTest::keyClick(edit_, Qt::Key_V, Qt::ControlModifier);
  QTest::keyClick(edit_, Qt::Key_Insert, Qt::ShiftModifier);
  edit_->paste();
  edit_->selectAll();
  QTest::keyClick(edit_, Qt::Key_X, Qt::ControlModifier);
  edit_->cut();
  EXPECT_EQ(edit_->text(), "42");
  EXPECT_EQ(edit_->Value(), 42);
}

TEST_F(SpinEditTest, WithTheEditorDisabledTheButtonsStillStepButNothingEdits) {
  edit_->SetEditorEnabled(false);
  edit_->SetValue(42);
  QApplication::clipboard()->setText(QStringLiteral("7"));
  QSignalSpy beeped(edit_, &TCSpinEdit::Beeped);

  QTest::keyClicks(edit_, "123");
  QTest::keyClick(edit_, Qt::Key_Backspace);
  QTest::keyClick(edit_, Qt::Key_Home);
  QTest::keyClick(edit_, Qt::Key_Delete);
  QTest::keyClick(edit_, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(beeped.count(), 6);
  edit_->selectAll();
  QTest::keyClick(edit_, Qt::Key_V, Qt::ControlModifier);
  edit_->paste();
  QTest::keyClick(edit_, Qt::Key_X, Qt::ControlModifier);
  edit_->cut();
  EXPECT_EQ(edit_->text(), "42");
  EXPECT_FALSE(edit_->acceptDrops());
  edit_->deselect();
  QTest::keyClick(edit_, Qt::Key_A, Qt::ControlModifier);  // a command, not a typed "a"
  EXPECT_EQ(edit_->selectedText(), "42");

  QTest::keyClick(edit_, Qt::Key_Up);
  EXPECT_EQ(edit_->text(), "43");
  EXPECT_EQ(beeped.count(), 6);

  // The same paste goes through once the editor is enabled again.
  edit_->SetEditorEnabled(true);
  edit_->selectAll();
  QTest::keyClick(edit_, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(edit_->text(), "7");
}

TEST_F(SpinEditTest, OnlyDigitsSignsAndTheDecimalPointMayBeTyped) {
  edit_->setLocale(QLocale::c());
  edit_->clear();
  QSignalSpy beeped(edit_, &TCSpinEdit::Beeped);
  QTest::keyClicks(edit_, "1a2 x$+-.,3");
  EXPECT_EQ(edit_->text(), "12+-.3");
  EXPECT_EQ(beeped.count(), 5);

  QTest::keyClick(edit_, Qt::Key_Backspace);
  QTest::keyClick(edit_, Qt::Key_Home);
  QTest::keyClick(edit_, Qt::Key_Delete);
  QTest::keyClick(edit_, Qt::Key_Return);
  EXPECT_EQ(edit_->text(), "2+-.");
  EXPECT_EQ(beeped.count(), 5);

  edit_->setLocale(QLocale(QLocale::German));
  EXPECT_TRUE(edit_->IsValidChar(u','));
  EXPECT_FALSE(edit_->IsValidChar(u'.'));
  EXPECT_FALSE(edit_->IsValidChar(u'\r'));
}

TEST_F(SpinEditTest, InputMethodTextIsCheckedLikeTypedText) {
  edit_->clear();
  QSignalSpy beeped(edit_, &TCSpinEdit::Beeped);
  QInputMethodEvent digits;
  digits.setCommitString(QStringLiteral("12"));
  QCoreApplication::sendEvent(edit_, &digits);
  QInputMethodEvent kana;
  kana.setCommitString(QStringLiteral("3あ"));
  QCoreApplication::sendEvent(edit_, &kana);
  EXPECT_EQ(edit_->text(), "12");
  EXPECT_EQ(beeped.count(), 1);
}

TEST_F(SpinEditTest, TheContextMenuOffersNoEditingTheFieldRefuses) {
  QApplication::clipboard()->setText(QStringLiteral("7"));
  edit_->setText("123");
  edit_->setSelection(0, 1);
  const auto enabledActions = [this] {
    std::unique_ptr<QMenu> menu(edit_->CreateContextMenu());
    QStringList names;
    for (const QAction* action : menu->actions())
      if (action->isEnabled() && !action->isSeparator()) names << action->objectName();
    return names.join(' ');
  };
  EXPECT_EQ(enabledActions(), "edit-cut edit-copy edit-paste edit-delete select-all");
  edit_->SetEditorEnabled(false);
  EXPECT_EQ(enabledActions(), "edit-copy select-all");
  edit_->SetEditorEnabled(true);
  edit_->setReadOnly(true);
  EXPECT_EQ(enabledActions(), "edit-copy select-all");

  // What stays enabled works: the menu's paste is the spin edit's own.
  edit_->setReadOnly(false);
  edit_->selectAll();
  std::unique_ptr<QMenu> menu(edit_->CreateContextMenu());
  menu->findChild<QAction*>("edit-paste")->trigger();
  EXPECT_EQ(edit_->text(), "7");
}

TEST_F(SpinEditTest, EnteringSelectsAllOnlyWithAutoSelect) {
  ShowActive();
  other_->setFocus();
  edit_->setText("123");
  edit_->setFocus(Qt::OtherFocusReason);
  EXPECT_EQ(edit_->selectedText(), "123");

  other_->setFocus();
  edit_->SetAutoSelect(false);
  edit_->deselect();
  edit_->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(edit_->hasSelectedText());
}

TEST_F(SpinEditTest, TheButtonSitsInsideTheRightEdgeAndTextStopsBeforeIt) {
  const int frame = edit_->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, edit_);
  const TCSpinButton* button = edit_->Button();
  ShowActive();
  for (const QSize& size : {QSize(120, 40), QSize(60, 31)}) {
    edit_->resize(size);
    EXPECT_EQ(button->geometry(),
              QRect(size.width() - frame - 15, frame, 15, size.height() - 2 * frame));
    EXPECT_EQ(Up()->geometry(), QRect(0, 0, 15, button->height() / 2));
    EXPECT_EQ(Down()->geometry().bottom(), button->height() - 1);
  }
  EXPECT_EQ(edit_->textMargins().right(), 15);

  // Too low a field is raised to the height its font needs.
  edit_->resize(60, 3);
  EXPECT_GT(edit_->height(), edit_->fontMetrics().height() + 4);
  EXPECT_EQ(button->geometry().bottom(), edit_->height() - 1 - frame);
}

}  // namespace
}  // namespace norumi
