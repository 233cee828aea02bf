// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>
#include <QString>
#include <ostream>

// Readable GoogleTest failure messages for the Qt types the widget tests compare.
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QRect& rect, std::ostream* out) {
  *out << "QRect(" << rect.x() << ", " << rect.y() << ", " << rect.width() << ", " << rect.height()
       << ')';
}
