// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

class QWidget;

namespace norumi {

// What a screen reader says of `control` after its name: its description. Screen readers speak
// it when a button takes the focus and, while the control holds the focus, each time it changes
// (the same text again included). Windows say here what a learner who cannot see them must hear
// at that moment: the question, the verdict, the answer, the score.
void Describe(QWidget& control, const QString& text);

}  // namespace norumi
