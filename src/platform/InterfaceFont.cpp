// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/InterfaceFont.h"

#include <QApplication>
#include <QFontDatabase>

namespace norumi {

void UseInterfaceFont() {
  for (const char* family : {"Noto Sans CJK JP", "Noto Sans JP", "Yu Gothic UI", "Meiryo UI"}) {
    if (QFontDatabase::hasFamily(QString::fromLatin1(family))) {
      QFont font(QString::fromLatin1(family));
      font.setPointSizeF(QApplication::font().pointSizeF());
      QApplication::setFont(font);
      return;
    }
  }
}

}  // namespace norumi
