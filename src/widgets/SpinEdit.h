// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLineEdit>
#include <functional>

#include "widgets/SpinButton.h"

class QMenu;

namespace norumi {

// A numeric edit with up/down buttons at its right edge. The text is the value: Value reads it
// (an unreadable text is replaced by MinValue on reading) and SetValue writes it, clamped to
// MinValue..MaxValue unless the two are equal. ReadOnly (QLineEdit's) makes the buttons and the
// arrow keys only beep; EditorEnabled false forbids typing, pasting and cutting but still lets
// the buttons step.
//
// A refused key, character or step calls the beep function (QApplication::beep unless replaced)
// and emits Beeped; a refused paste or cut does nothing at all.
class TCSpinEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(int MinValue READ MinValue WRITE SetMinValue)
  Q_PROPERTY(int MaxValue READ MaxValue WRITE SetMaxValue)
  Q_PROPERTY(int Increment READ Increment WRITE SetIncrement)
  Q_PROPERTY(bool EditorEnabled READ EditorEnabled WRITE SetEditorEnabled)
  Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE SetAutoSelect)
  Q_PROPERTY(int Value READ Value WRITE SetValue)

 public:
  using BeepFunction = std::function<void()>;

  explicit TCSpinEdit(QWidget* parent = nullptr);

  int MinValue() const { return minValue_; }
  void SetMinValue(int value) { minValue_ = value; }
  int MaxValue() const { return maxValue_; }
  void SetMaxValue(int value) { maxValue_ = value; }
  int Increment() const { return increment_; }
  void SetIncrement(int value) { increment_ = value; }
  bool EditorEnabled() const { return editorEnabled_; }
  void SetEditorEnabled(bool on);
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool on) { autoSelect_ = on; }

  // Not const: an unreadable text is rewritten as MinValue.
  int Value();
  void SetValue(int value);
  int CheckValue(int value) const;

  TCSpinButton* Button() const { return button_; }
  void SetBeepFunction(BeepFunction beep) { beep_ = std::move(beep); }

  virtual bool IsValidChar(QChar key) const;
  virtual void UpClick();
  virtual void DownClick();

  // These hide QLineEdit's slots so that a paste or cut asked of the spin edit obeys
  // EditorEnabled and ReadOnly like the keys and the context menu do.
  void paste();
  void cut();
  // The usual edit menu, with the editing actions this field refuses disabled.
  QMenu* CreateContextMenu();

 signals:
  void Beeped();

 protected:
  void Beep();
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  bool CanPasteOrCut() const { return editorEnabled_ && !isReadOnly(); }
  bool RefusesKey(const QKeyEvent& event) const;
  void Step(long long delta);
  int MinHeight() const;
  void PlaceButton();

  int minValue_ = 0;
  int maxValue_ = 0;
  int increment_ = 1;
  bool editorEnabled_ = true;
  bool autoSelect_ = true;
  BeepFunction beep_;
  TCSpinButton* button_;
};

}  // namespace norumi
