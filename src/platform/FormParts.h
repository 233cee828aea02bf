#pragma once

#include <QColor>
#include <QFont>
#include <QFrame>
#include <QLabel>
#include <QPalette>
#include <QString>

namespace norumi {

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

// A horizontal rule in `color`.
inline QFrame* Rule(const char* name, const char* color) {
  auto* rule = Named(new QFrame, name);
  rule->setFrameShape(QFrame::HLine);
  rule->setStyleSheet(QStringLiteral("color: %1; background: %1;").arg(QLatin1String(color)));
  rule->setFixedHeight(2);
  return rule;
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
