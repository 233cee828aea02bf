// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Spoken.h"

#include <QAccessible>
#include <QWidget>

namespace norumi {

namespace {

void TellDescription(QWidget& control) {
  QAccessibleEvent changed(&control, QAccessible::DescriptionChanged);
  QAccessible::updateAccessibility(&changed);
}

}  // namespace

void Describe(QWidget& control, const QString& text) {
  control.setAccessibleDescription(text);
  // Qt tells of a new description only; the next question may be the same word as the last.
  TellDescription(control);
}

}  // namespace norumi
