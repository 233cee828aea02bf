// SPDX-License-Identifier: GPL-3.0-or-later
// A word file written behind the editor's window: saves that pile up while one is written, and
// closing the window while a write is under way.
#include <QTimer>
#include <atomic>
#include <future>

#include "EditorFixture.h"
#include "platform/ExceptionDisplay.h"
#include "storage/FileErrors.h"
#include "storage/SafeSave.h"

namespace norumi {
namespace {

struct Closing {
  const char* name;
  int registers;  // 登録 clicked while the first write is held
  int failing;    // writes that fail, from the first
  int writes;     // writes made in all
  bool saved;     // the last meaning is in the file after the window closed
};

class WriteBehind : public test::EditorFixture, public testing::WithParamInterface<Closing> {};

TEST_P(WriteBehind, SavesCoalesceAndTheWindowClosesOnlyOnceTheFileIsWritten) {
  const Closing row = GetParam();
  MakeFile("five", [](TTangoList& l) {
    for (int i = 0; i < 5; ++i) test::AddWord(l, "w" + std::to_string(i), test::kMul);
  });
  // The first write says it has begun, then waits until the window waits for it.
  std::promise<void> begun, gate;
  const std::shared_future<void> open = gate.get_future().share();
  std::atomic<int> writes = 0;
  delete frmRegist;
  frmRegist = new TfrmRegist(services, [&](const std::filesystem::path& to, std::string_view b) {
    const int n = ++writes;
    if (n == 1) begun.set_value(), open.wait();
    if (n <= row.failing) throw EFCreateError(to, FileCause::FileReadOnly);
    SaveFileReplacing(to, b);
  });
  frmRegist->writeBehindFrom = 0;
  const QString failed = ExceptionMessage(EFCreateError(PathOf("five"), FileCause::FileReadOnly));
  const std::string last = "meaning" + std::to_string(row.registers);
  Edit("five", false, [&](TfrmRegist& w) {
    for (int r = 1; r <= row.registers; ++r) {
      w.edJapan->setText(QString::fromStdString("meaning" + std::to_string(r)));
      w.btRegist->click();
      if (r == 1) begun.get_future().wait();
    }
    bool waitedOpen = false, released = false;
    QTimer::singleShot(0, &w, [&] {
      waitedOpen = w.isVisible() && !w.isEnabled();
      released = true;
      gate.set_value();
    });
    if (row.failing > row.writes - 1) {
      for (const MsgAnswer answer : {MsgAnswer::Retry, MsgAnswer::Discard})
        dialogs.ExpectMessage(
            "単語ファイルを保存できませんでした。\n" + failed +
                "\n「再試行」でもう一度保存します。「破棄」で保存せずに閉じると、"
                "保存されていない変更は失われます。「キャンセル」で単語登録に戻ります。",
            kApplicationTitle, MsgIcon::Stop, MsgButtons::RetryDiscardCancel, answer);
    }
    w.btClose->click();
    EXPECT_TRUE(waitedOpen) << "closed before the write under way ended";
    if (!released) gate.set_value();
  });
  EXPECT_EQ(writes, row.writes);
  const auto saved = Load("five");
  EXPECT_EQ(saved->Count() == 6 && saved->Tango(5).Japan == last, row.saved);
}

INSTANTIATE_TEST_SUITE_P(
    Editor, WriteBehind,
    testing::Values(Closing{"OneRegisterClosedWhileWritten", 1, 0, 2, true},
                    // Four saves handed in while the first is written: one more write.
                    Closing{"ThreeRegistersAndTheClosingCoalesce", 3, 0, 2, true},
                    Closing{"TheWriteUnderWayFailsAndTheClosingWritesAll", 1, 1, 2, true},
                    // 再試行 writes again and fails; 破棄 closes without the word.
                    Closing{"EveryWriteFailsAndIsAskedAboutAsBefore", 1, 99, 3, false}),
    [](const auto& info) { return std::string(info.param.name); });

// The next bytes are made in the buffer of the last ones written: a shorter file after a longer
// one holds its own bytes alone, nothing of the earlier ones.
TEST(WordFileWriter, BytesMadeInTheLastBuffer) {
  std::vector<std::string> written;
  WordFileWriter writer(
      [&](const std::filesystem::path&, std::string_view b) { written.emplace_back(b); });
  for (const std::string& bytes : {std::string(4096, 'a'), std::string("bc")}) {
    ByteWriter out = writer.TakeSpare();
    out.WriteBytes(bytes);
    writer.Submit("words.wbk", std::move(out));
    writer.WaitBlocking();
  }
  EXPECT_EQ(written, (std::vector<std::string>{std::string(4096, 'a'), "bc"}));
}

}  // namespace
}  // namespace norumi
