// SPDX-License-Identifier: GPL-3.0-or-later
// The word editor's "TSVから読み込み...": a teacher's spreadsheet list read into the open file.
#include <QFileDialog>

#include "EditorFixture.h"

namespace norumi {
namespace {

using test::AddWord;
using test::Sj;
using test::WithZeros;

class Import : public test::EditorFixture {
 protected:
  Import() {
    MakeFile("lesson", [](TTangoList& l) { AddWord(l, Sj("犬"), WithZeros(test::kGae, 1)); });
  }
  // The file dialog answers with a list holding `tsv`.
  void ChooseList(const std::string& tsv) {
    WriteFile("list.tsv", tsv);
    dialogs.ExpectModal("OpenDialog1", [this](QDialog& w) {
      static_cast<QFileDialog&>(w).selectFile(FromPath(folder / "list.tsv"));
      w.done(QDialog::Accepted);
    });
  }
};

// Calls `seen` each time `window` is enabled or disabled.
class EnabledSpy : public QObject {
 public:
  EnabledSpy(QWidget& window, std::function<void()> seen) : seen_(std::move(seen)) {
    window.installEventFilter(this);
  }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::EnabledChange) seen_();
    return false;
  }

 private:
  std::function<void()> seen_;
};

TEST_F(Import, AListIsAddedShownAndSavedAtOnce) {
  Edit("lesson", false, [&](TfrmRegist& w) {
    EXPECT_TRUE(w.T1->isVisible());
    w.edJapan->setText("登録していない");
    ChooseList("#columns:Korean\tJapanese\n개\t犬\n고양이\t猫\t家で飼う\\n動物\n물\t水\n");
    dialogs.ExpectMessage("変更されていますがよろしいですか？", "TSVから読み込み",
                          MsgIcon::Information, MsgButtons::YesNo, MsgAnswer::Yes);
    dialogs.ExpectMessage("3語のうち2語を追加しました。", "TSVから読み込み", MsgIcon::Information);
    w.T1->trigger();
    // The first new word is on screen, right after the old one: the empty entry the window
    // opened on does not stand between them.
    EXPECT_EQ(w.edNo->text(), "1");
    EXPECT_EQ(Meaning(w), "猫");
    const auto saved = Load("lesson");
    ASSERT_EQ(saved->Count(), 3);
    EXPECT_EQ(saved->Tango(1).Hangul, WithZeros(test::kGoyangi, 1));
    EXPECT_EQ(saved->Tango(1).Setsumei, Sj("家で飼う\n動物"));
    EXPECT_EQ(saved->Tango(2).Japan, Sj("水"));
    w.btClose->click();
  });
}

TEST_F(Import, AListWithARefusedLineAddsNothingAndNamesEachLine) {
  Edit("lesson", false, [&](TfrmRegist& w) {
    ChooseList("고양이\t猫\n개\t犬개\n물\n\t水\n사과\t\u3000 \n");
    dialogs.ExpectDetailedMessage(
        "次の4行を読み込めないため、何も追加しませんでした。",
        "2行目 日本語の列: 「犬개」の「개」(U+AC1C)は単語ファイルに保存できない文字です\n"
        "3行目: 日本語の列がありません\n"
        "4行目: 韓国語の列にハングルがありません\n"
        "5行目: 日本語の列が空です",
        "TSVから読み込み", MsgIcon::Stop);
    w.T1->trigger();
    EXPECT_EQ(w.edNo->text(), "1");
    EXPECT_EQ(Load("lesson")->Count(), 1);
    w.btClose->click();
  });
  EXPECT_EQ(Load("lesson")->Count(), 1);
}

// A long list is read while the window waits: disabled, not to be closed, and with every word
// added once the list is read.
TEST_F(Import, ALongListIsReadWhileTheWindowWaitsDisabledAndOpen) {
  constexpr int kWords = 20000;
  std::string tsv;
  for (int i = 0; i < kWords; ++i) tsv += "물\t水" + std::to_string(i) + "\n";
  Edit("lesson", false, [&](TfrmRegist& w) {
    ChooseList(tsv);
    dialogs.ExpectMessage(QStringLiteral("%1語のうち%1語を追加しました。").arg(kWords),
                          "TSVから読み込み", MsgIcon::Information);
    std::vector<bool> enabled;
    const EnabledSpy spy(w, [&] {
      enabled.push_back(w.isEnabled());
      if (!w.isEnabled()) w.close();  // as from the title bar, while the list is read
    });
    w.T1->trigger();
    EXPECT_EQ(enabled, (std::vector<bool>{false, true}));
    EXPECT_TRUE(w.isVisible());
    const auto saved = Load("lesson");
    ASSERT_EQ(saved->Count(), kWords + 1);
    EXPECT_EQ(saved->Tango(kWords).Japan, Sj(QStringLiteral("水%1").arg(kWords - 1)));
    w.btClose->click();
  });
}

}  // namespace
}  // namespace norumi
