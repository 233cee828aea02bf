// SPDX-License-Identifier: GPL-3.0-or-later
// The teacher's part of the word editor: a word's explanation and URL, and issuing its code.
#include <QFile>
#include <QStringList>

#include "EditorFixture.h"
#include "WbkRunner.h"
#include "model/MailCode.h"

namespace norumi {
namespace {

using test::AddWord;
using test::Sj;

class Teacher : public test::EditorFixture {
 protected:
  Teacher() {
    MakeFile("lesson", [](TTangoList& l) {
      l.Creator = "teacher01";
      l.Url = "https://example.org/lesson";
      AddWord(l, Sj("犬"), {0xAC1C, 0}, Sj("よく使う"), "https://example.org/dog");
      AddWord(l, Sj("猫"), {0xACE0, 0xC591, 0xC774, 0});
    });
  }
  // Opens the option window on the word shown and works it with `drive`.
  void Options(TfrmRegist& w, const std::function<void(QDialog&)>& drive) {
    dialogs.ExpectModal("frmTangoOp", [&](QDialog& op) {
      EXPECT_FALSE(w.isVisible());  // the editor steps aside meanwhile
      drive(op);
    });
    w.btOption->click();
    EXPECT_TRUE(w.isVisible());
  }
};

TEST_F(Teacher, OptionsAreStoredOnOkOnly) {
  Edit("lesson", true, [&](TfrmRegist& w) {
    w.edNo->setText("0");
    w.btJump->click();
    Options(w, [](QDialog&) {
      EXPECT_EQ(frmTangoOp->mmSetsumei->toPlainText(), "よく使う");
      EXPECT_EQ(frmTangoOp->edUrl->text(), "https://example.org/dog");
      frmTangoOp->mmSetsumei->setPlainText("changed");
      frmTangoOp->btCancel->click();
    });
    Options(w, [](QDialog& op) {
      frmTangoOp->edUrl->setText("changed");
      op.reject();  // the close box is Cancel too
    });
    w.edNo->setText("1");
    w.btJump->click();
    Options(w, [](QDialog&) {
      EXPECT_EQ(frmTangoOp->mmSetsumei->toPlainText(), "");
      // A character CP932 cannot hold never gets into the memo.
      frmTangoOp->mmSetsumei->setPlainText(QStringLiteral("一行目\n二行目😀"));
      EXPECT_EQ(frmTangoOp->mmSetsumei->toPlainText(), "一行目\n二行目");
      frmTangoOp->edUrl->setText("https://example.org/cat");
      frmTangoOp->btOK->click();
    });
    w.btClose->click();  // without "登録"
  });
  const auto after = Load("lesson");
  EXPECT_EQ(after->Tango(0).Setsumei, Sj("よく使う"));
  EXPECT_EQ(after->Tango(0).Url, "https://example.org/dog");
  EXPECT_EQ(after->Tango(1).Setsumei, Sj("一行目\r\n二行目"));
  EXPECT_EQ(after->Tango(1).Url, "https://example.org/cat");
}

TEST_F(Teacher, TheIssuedCodeIsWhatTheToolPrints) {
  for (const bool displayOnly : {false, true}) {
    Edit("lesson", true, [&](TfrmRegist& w) {
      w.edNo->setText("0");
      w.btJump->click();
      w.edJapan->setText("unregistered");  // only what was registered goes into the code
      dialogs.ExpectMessage("単語の表示だけにしますか？", "メルマガコードの発行",
                            MsgIcon::Information, MsgButtons::YesNo,
                            displayOnly ? MsgAnswer::Yes : MsgAnswer::No);
      dialogs.ExpectModal("frmMelCode", [&](QDialog&) {
        EXPECT_TRUE(frmMelCode->mmMail->isReadOnly());
        QStringList args{"mailcode", test::Arg(folder / "lesson.wbk"), "0"};
        if (displayOnly) args << "--display-only";
        const test::WbkRun printed = test::RunWbk(args);
        ASSERT_EQ(printed.status, 0) << printed.err;
        EXPECT_EQ(frmMelCode->mmMail->toPlainText() + "\n", QString::fromStdString(printed.out));
        EXPECT_TRUE(frmMelCode->mmMail->toPlainText().endsWith(
            displayOnly ? "$103\n1\n- https://norumi.example/ <-Norumi!!  ↑------"
                        : "$103\n0\n- https://norumi.example/ <-Norumi!!  ↑------"));
        frmMelCode->btClose->click();
      });
      w.btMagCode->click();
      dialogs.VerifyFinished();
      // A pasted character beyond what a code carries is refused, not issued broken.
      Paste(u"개！");
      w.btHanguel->click();
      w.btRegist->click();
      dialogs.ExpectMessage("単語の表示だけにしますか？", "メルマガコードの発行",
                            MsgIcon::Information, MsgButtons::YesNo, MsgAnswer::No);
      dialogs.ExpectMessage("この単語はメルマガコードにできません。", "メルマガコードの発行",
                            MsgIcon::Stop);
      w.btMagCode->click();
      w.btClose->click();
    });
    // Put the word back for the next round.
    auto list = Load("lesson");
    list->Tango(0).Hangul = {0xAC1C, 0};
    list->Tango(0).Japan = Sj("犬");
    list->SaveToFile(folder / "lesson.wbk");
  }
}

}  // namespace
}  // namespace norumi
