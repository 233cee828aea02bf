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
    ChooseList("고양이\t猫\n개\t犬개\n물\n");
    dialogs.ExpectMessage(
        "次の2行を読み込めないため、何も追加しませんでした。\n"
        "2行目 日本語の列: 「犬개」の「개」(U+AC1C)は単語ファイルに保存できない文字です\n"
        "3行目: 日本語の列がありません",
        "TSVから読み込み", MsgIcon::Stop);
    w.T1->trigger();
    EXPECT_EQ(w.edNo->text(), "1");
    EXPECT_EQ(Load("lesson")->Count(), 1);
    w.btClose->click();
  });
  EXPECT_EQ(Load("lesson")->Count(), 1);
}

}  // namespace
}  // namespace norumi
