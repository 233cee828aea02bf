// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BusyWork.h"

#include <QEventLoop>
#include <QProgressDialog>
#include <QScopeGuard>
#include <exception>
#include <thread>

namespace norumi {

namespace {

// A job over sooner than this is not worth a dialog that flashes up and goes.
constexpr int kShowAfterMs = 100;

}  // namespace

void RunWhileBusy(QWidget& window, const QString& caption, const QString& text,
                  const std::function<void()>& job) {
  QProgressDialog busy(text, QString(), 0, 0, &window);  // no steps to count: a busy bar
  busy.setObjectName(QStringLiteral("BusyDialog"));
  busy.setWindowTitle(caption);
  busy.setWindowModality(Qt::WindowModal);
  busy.setCancelButton(nullptr);  // the job cannot be stopped halfway
  busy.setMinimumDuration(kShowAfterMs);
  busy.setValue(0);  // starts the clock of minimumDuration

  window.setEnabled(false);
  const auto enable = qScopeGuard([&window] { window.setEnabled(true); });
  busy.setEnabled(true);  // a window of its own: it need not look as disabled as its parent
  QEventLoop loop;
  std::exception_ptr failure;
  // The quit is queued, so it ends the loop even when the job is over before the loop runs.
  std::thread worker([&] {
    try {
      job();
    } catch (...) {
      failure = std::current_exception();
    }
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
  });
  loop.exec();  // input reaches no disabled window, and is not kept for later
  worker.join();
  if (failure) std::rethrow_exception(failure);
}

}  // namespace norumi
