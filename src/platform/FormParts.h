#pragma once

#include <QFrame>
#include <QLabel>
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

}  // namespace norumi
