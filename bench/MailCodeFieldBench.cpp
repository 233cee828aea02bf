// SPDX-License-Identifier: GPL-3.0-or-later
// A key typed into the menu's mail-magazine code field, from the key to the repainted field,
// while the field holds as much as it takes (kMailCodeMaxInput) in lines as long as it takes
// (kMailCodeMaxLine), typed at the end of the last, beside the same key typed into the empty
// field in the same run (`x_empty`).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QKeyEvent>

#include "BenchWords.h"
#include "app/MailCodeMemo.h"
#include "model/MailCode.h"
#include "platform/Dialogs.h"

namespace norumi::bench {
namespace {

// Made on first use and never destroyed: the other benchmarks need no application, and Qt's
// globals may be gone by the time a static one would be.
void NeedApplication() {
  if (QApplication::instance()) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "norumi_bench";
  static char* argv[] = {name, nullptr};
  new QApplication(argc, argv);
}

// Types a letter at the end of the field and takes it back, each time repainted: the field's
// length stays as it was.
void TypeAndTakeBack(QWidget& field) {
  for (const auto& [key, text] :
       {std::pair{Qt::Key_A, QStringLiteral("a")}, std::pair{Qt::Key_Backspace, QString()}}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&field, &press);
    field.repaint();
    QApplication::processEvents();
  }
}

double SecondsPerKey(TMailCodeMemo& field, const QString& held) {
  field.setPlainText(held);
  field.moveCursor(QTextCursor::End);
  QApplication::processEvents();
  constexpr int kKeys = 1;
  return BestOf(3,
                [&] {
                  for (int k = 0; k < kKeys; ++k) TypeAndTakeBack(field);
                }) /
         (2 * kKeys);
}

void BM_KeyInFullCodeField(benchmark::State& state) {
  NeedApplication();
  QtDialogs dialogs;
  TMailCodeMemo field(dialogs);
  field.resize(400, 120);  // as on the menu
  field.show();
  const double empty = SecondsPerKey(field, QString());
  QString line(qsizetype(kMailCodeMaxLine), QLatin1Char('A'));
  line += QLatin1Char('\n');
  const QString held = line.repeated(qsizetype(kMailCodeMaxInput / size_t(line.size())));
  double key = 0;
  for (auto _ : state) key = SecondsPerKey(field, held.chopped(1));
  state.counters["x_empty"] = key / empty;
  state.counters["key_ms"] = key * 1e3;
  state.counters["empty_ms"] = empty * 1e3;
}
BENCHMARK(BM_KeyInFullCodeField)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace norumi::bench
