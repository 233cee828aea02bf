// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <functional>

class QWidget;

namespace norumi {

// Runs `job` on a thread of its own while `window` is disabled, and returns once it has ended;
// the program's events are served meanwhile, so no window freezes. A job that takes longer than
// a moment is shown by a busy dialog over `window` with `caption` and `text`. What the job
// throws is thrown here. The job must not touch any widget.
void RunWhileBusy(QWidget& window, const QString& caption, const QString& text,
                  const std::function<void()>& job);

}  // namespace norumi
