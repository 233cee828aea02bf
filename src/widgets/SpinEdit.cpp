// SPDX-License-Identifier: GPL-3.0-or-later
#include "widgets/SpinEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMenu>
#include <QStyle>
#include <algorithm>
#include <climits>

#include "widgets/SpinValue.h"

namespace norumi {
namespace {

constexpr int kBorderHeight = 1;

// Keys that change the text without typing a character.
bool IsEditingCommand(const QKeyEvent& event) {
  if (event.key() == Qt::Key_Delete) return true;
  for (const auto command :
       {QKeySequence::Delete, QKeySequence::DeleteEndOfWord, QKeySequence::DeleteStartOfWord,
        QKeySequence::DeleteEndOfLine, QKeySequence::DeleteCompleteLine, QKeySequence::Undo,
        QKeySequence::Redo}) {
    if (event.matches(command)) return true;
  }
  return false;
}

}  // namespace

TCSpinEdit::TCSpinEdit(QWidget* parent)
    : QLineEdit(QStringLiteral("0"), parent), beep_([] { QApplication::beep(); }) {
  button_ = new TCSpinButton(this);
  button_->setObjectName(QStringLiteral("spinButton"));
  button_->resize(15, 17);
  button_->SetFocusControl(this);
  connect(button_, &TCSpinButton::UpClick, this, &TCSpinEdit::UpClick);
  connect(button_, &TCSpinButton::DownClick, this, &TCSpinEdit::DownClick);
  setInputMethodHints(Qt::ImhFormattedNumbersOnly);
  setMinimumHeight(MinHeight());
  PlaceButton();
}

void TCSpinEdit::SetEditorEnabled(bool on) {
  editorEnabled_ = on;
  setAcceptDrops(on);  // a drop is a paste by mouse
}

int TCSpinEdit::Value() {
  if (const auto value = ReadSpinValue(text())) return *value;
  setText(QString::number(minValue_));
  return minValue_;
}

void TCSpinEdit::SetValue(int value) {
  setText(QString::number(CheckValue(value)));
}

int TCSpinEdit::CheckValue(int value) const {
  if (maxValue_ == minValue_) return value;
  return std::max(minValue_, std::min(value, maxValue_));
}

bool TCSpinEdit::IsValidChar(QChar key) const {
  const char16_t code = key.unicode();
  const bool valid = key == locale().decimalPoint().front() || code == u'+' || code == u'-' ||
                     (code >= u'0' && code <= u'9') || (code < 32 && code != u'\r');
  if (!valid || editorEnabled_) return valid;
  return code < 32 && code != u'\b';
}

void TCSpinEdit::UpClick() {
  Step(increment_);
}

void TCSpinEdit::DownClick() {
  Step(-static_cast<long long>(increment_));
}

void TCSpinEdit::Step(long long delta) {
  if (isReadOnly()) {
    Beep();
    return;
  }
  // Saturate rather than wrap when the range is unlimited.
  SetValue(static_cast<int>(std::clamp<long long>(Value() + delta, INT_MIN, INT_MAX)));
}

void TCSpinEdit::Beep() {
  if (beep_) beep_();
  emit Beeped();
}

void TCSpinEdit::paste() {
  if (CanPasteOrCut()) QLineEdit::paste();
}

void TCSpinEdit::cut() {
  if (CanPasteOrCut()) QLineEdit::cut();
}

QMenu* TCSpinEdit::CreateContextMenu() {
  // Built here rather than taken from createStandardContextMenu, whose actions carry no names by
  // which the refused ones could be found. The texts are QLineEdit's, so Qt's translations apply.
  auto* menu = new QMenu(this);
  const auto add = [this, menu](const char* name, const char* text, QKeySequence::StandardKey key,
                                bool enabled, auto slot) {
    QString label = QCoreApplication::translate("QLineEdit", text);
    if (key != QKeySequence::UnknownKey)
      label += u'\t' + QKeySequence(key).toString(QKeySequence::NativeText);
    QAction* action = menu->addAction(label, this, slot);
    action->setObjectName(QLatin1String(name));
    action->setEnabled(enabled);
  };
  const bool editable = CanPasteOrCut();
  const bool selected = hasSelectedText();
  const bool canPaste = !QGuiApplication::clipboard()->text().isEmpty();
  add("edit-undo", "&Undo", QKeySequence::Undo, editable && isUndoAvailable(), &QLineEdit::undo);
  add("edit-redo", "&Redo", QKeySequence::Redo, editable && isRedoAvailable(), &QLineEdit::redo);
  menu->addSeparator();
  add("edit-cut", "Cu&t", QKeySequence::Cut, editable && selected, &TCSpinEdit::cut);
  add("edit-copy", "&Copy", QKeySequence::Copy, selected, &QLineEdit::copy);
  add("edit-paste", "&Paste", QKeySequence::Paste, editable && canPaste, &TCSpinEdit::paste);
  add("edit-delete", "Delete", QKeySequence::UnknownKey, editable && selected, &QLineEdit::del);
  menu->addSeparator();
  add("select-all", "Select All", QKeySequence::SelectAll,
      !text().isEmpty() && selectedText() != text(), &QLineEdit::selectAll);
  return menu;
}

void TCSpinEdit::keyPressEvent(QKeyEvent* event) {
  const bool pasteOrCut = event->matches(QKeySequence::Paste) || event->matches(QKeySequence::Cut);
  if (event->key() == Qt::Key_Up) {
    UpClick();
  } else if (event->key() == Qt::Key_Down) {
    DownClick();
  } else if (pasteOrCut && !CanPasteOrCut()) {
    // Refused silently, like the menu's paste.
  } else if (RefusesKey(*event)) {
    Beep();
  } else {
    QLineEdit::keyPressEvent(event);
    return;
  }
  event->accept();
}

bool TCSpinEdit::RefusesKey(const QKeyEvent& event) const {
  // Enter is no character here: it must still reach a dialog's default button.
  if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter) return false;
  if (event.key() == Qt::Key_Backspace) return !IsValidChar(QChar(u'\b'));
  if (IsEditingCommand(event)) return !editorEnabled_;
  // QLineEdit inserts nothing typed with Ctrl, whatever letter the platform puts in text().
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
  if (modifiers == Qt::ControlModifier || modifiers == (Qt::ControlModifier | Qt::ShiftModifier))
    return false;
  const QString typed = event.text();
  return std::any_of(typed.begin(), typed.end(), [this](QChar c) { return !IsValidChar(c); });
}

void TCSpinEdit::inputMethodEvent(QInputMethodEvent* event) {
  const QString typed = event->commitString();
  if (std::all_of(typed.begin(), typed.end(), [this](QChar c) { return IsValidChar(c); }))
    return QLineEdit::inputMethodEvent(event);
  Beep();
  QInputMethodEvent withoutCommit(event->preeditString(), event->attributes());
  QLineEdit::inputMethodEvent(&withoutCommit);
}

void TCSpinEdit::mouseReleaseEvent(QMouseEvent* event) {
  // The middle button pastes the X11 selection.
  if (event->button() == Qt::MiddleButton && !CanPasteOrCut()) return event->accept();
  QLineEdit::mouseReleaseEvent(event);
}

void TCSpinEdit::contextMenuEvent(QContextMenuEvent* event) {
  QMenu* menu = CreateContextMenu();
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(event->globalPos());
}

void TCSpinEdit::focusInEvent(QFocusEvent* event) {
  const bool hadSelection = hasSelectedText();
  QLineEdit::focusInEvent(event);
  // A click places the cursor itself; QLineEdit selects on Tab even when we should not.
  if (autoSelect_ && event->reason() != Qt::MouseFocusReason)
    selectAll();
  else if (!autoSelect_ && !hadSelection)
    deselect();
}

void TCSpinEdit::focusOutEvent(QFocusEvent* event) {
  // A popup or another window taking over does not mean the user left the field.
  const Qt::FocusReason reason = event->reason();
  if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason) {
    const int value = Value();
    if (CheckValue(value) != value) SetValue(value);
  }
  QLineEdit::focusOutEvent(event);
}

int TCSpinEdit::MinHeight() const {
  const int own = fontMetrics().height();
  const int system = QFontMetrics(QApplication::font()).height();
  return own + std::min(own, system) / 4 + 4 * kBorderHeight + 2;
}

void TCSpinEdit::PlaceButton() {
  const int frame =
      hasFrame() ? style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this) : 0;
  const int buttonWidth = button_->width();
  button_->setGeometry(width() - frame - buttonWidth, frame, buttonWidth, height() - 2 * frame);
  // QLineEdit keeps its own small margin inside this one, so text stops short of the button.
  const QMargins margins(0, 0, buttonWidth, 0);
  if (textMargins() != margins) setTextMargins(margins);
}

void TCSpinEdit::resizeEvent(QResizeEvent* event) {
  QLineEdit::resizeEvent(event);
  PlaceButton();
}

void TCSpinEdit::changeEvent(QEvent* event) {
  QLineEdit::changeEvent(event);
  if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
    setMinimumHeight(MinHeight());
    PlaceButton();
  }
}

}  // namespace norumi
