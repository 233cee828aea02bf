// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QColor>
#include <QFont>
#include <QFrame>
#include <QKeySequence>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QString>

#include "platform/text/ShownControls.h"

namespace norumi {

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// Shows `keys` beside a menu item, for a key its window already takes by itself for the same
// command. The item takes the key only while its menu is open, so that everywhere else the
// window's own handling goes on as before.
inline void ShowShortcut(QAction* item, const QKeySequence& keys) {
  item->setShortcut(keys);
  item->setShortcutContext(Qt::WidgetShortcut);
}

// "発音" (F5), which speaks the window's Korean word. Hidden, keeping its place, until its window
// shows it where the machine can speak.
inline QPushButton* SpeakButton(QWidget* parent = nullptr) {
  auto* button = Named(new QPushButton(QStringLiteral("発音"), parent), "btSpeak");
  button->setToolTip(QStringLiteral("F5"));
  QSizePolicy keep = button->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  button->setSizePolicy(keep);
  button->hide();
  return button;
}

// A horizontal rule in `color`.
inline QFrame* Rule(const char* name, const char* color) {
  auto* rule = Named(new QFrame, name);
  rule->setFrameShape(QFrame::HLine);
  rule->setStyleSheet(QStringLiteral("color: %1; background: %1;").arg(QLatin1String(color)));
  rule->setFixedHeight(2);
  return rule;
}

// A label for text from outside the program (a title, a file name, a meaning, an address): plain
// text, whatever it holds. What it is given goes through ShowControls (or ShowControlsInLines).
template <typename L = QLabel>
L* PlainLabel(const char* name) {
  auto* label = Named(new L, name);
  label->setTextFormat(Qt::PlainText);
  return label;
}

// A file's title: bold teal. Shown as plain text, since a word file can hold anything.
inline void StyleTitle(QLabel* label) {
  label->setTextFormat(Qt::PlainText);
  label->setStyleSheet(QStringLiteral("color: #008080; font-weight: bold;"));
}

// Sets one colour of a widget's palette: its text (WindowText for labels, Text for edits).
inline void SetColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(role, color);
  widget->setPalette(palette);
}

// A bold font of a size in pixels, as the quiz windows show their question and their mark.
inline QFont BoldPixelFont(int pixels) {
  QFont font;
  font.setPixelSize(pixels);
  font.setBold(true);
  return font;
}

}  // namespace norumi
