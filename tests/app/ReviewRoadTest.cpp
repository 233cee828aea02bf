// SPDX-License-Identifier: GPL-3.0-or-later
// The day's review from the menu: its count, the cards in the quiz windows of their directions,
// the ratings, the results, and a record that cannot be used.
#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>

#include "AppFixture.h"
#include "ModelSamples.h"
#include "app/WbkMenu.h"
#include "app/Windows.h"
#include "review/ReviewStore.h"

namespace norumi {
namespace {

using test::Find;
using test::Sj;

class ReviewRoad : public test::AppFixture {
 protected:
  ReviewRoad() {
    registry.WriteMachineString(kProgramKey, "user", QString::fromUtf8("たもつ"));
    registry.WriteMachineString(kProgramKey, "path", services.executablePath);
    TTangoList list;
    list.Title = Sj("animals");
    test::AddWord(list, Sj("犬"), {0xAC1C, 0});
    test::AddWord(list, Sj("猫"), {0xACE0, 0xC591, 0xC774, 0});
    test::AddWord(list, Sj("水"), {0xBB3C, 0});
    list.SaveToFile(folder / "animals.wbk");
    CreateWindows(services);
    frmWBKMenu->RefreshReview();
  }
  ~ReviewRoad() override { DestroyWindows(); }

  // Answers the card on screen, checking how many the title says are left.
  void ExpectCard(int left, const char* meaning, const std::function<void(QDialog&)>& leave) {
    dialogs.ExpectModal("frmKor2Jap", [=](QDialog& w) {
      EXPECT_EQ(w.windowTitle(), QStringLiteral("Norumi! > 今日の復習 > あと %1 語").arg(left));
      Find<QLineEdit>(w, "edJapan").setText(QString::fromUtf8(meaning));
      Find<QPushButton>(w, "btHantei").click();
      leave(w);
    });
  }
  static void Click(QDialog& w, const char* button) { Find<QPushButton>(w, button).click(); }
};

TEST_F(ReviewRoad, NewWordsAreAskedRatedAndCountedAndTheWrongOneOnceMore) {
  EXPECT_EQ(frmWBKMenu->btReview->text(), "今日の復習 (3)");
  EXPECT_TRUE(frmWBKMenu->btReview->isEnabled());
  ExpectCard(3, "犬", [](QDialog& w) {
    EXPECT_FALSE(Find<QPushButton>(w, "btHard").isHidden());
    Click(w, "btEasy");
  });
  ExpectCard(2, "いぬ", [](QDialog& w) {
    EXPECT_TRUE(Find<QPushButton>(w, "btHard").isHidden()) << "a wrong answer is not rated";
    Click(w, "btNext");
  });
  ExpectCard(2, "水", [](QDialog& w) {
    QKeyEvent key(QEvent::KeyPress, Qt::Key_2, Qt::NoModifier, "2");
    QCoreApplication::sendEvent(&w, &key);
  });
  ExpectCard(1, "猫", [](QDialog& w) { Click(w, "btNext"); });
  dialogs.ExpectModal("frmReviewResults", [](QDialog& w) {
    EXPECT_EQ(Find<QLabel>(w, "lbCount").text(), "4語");
    EXPECT_EQ(Find<QLabel>(w, "lbShare").text(), "75%");
    Click(w, "btClose");
  });
  frmWBKMenu->btReview->click();
  dialogs.VerifyFinished();
  EXPECT_EQ(frmWBKMenu->btReview->text(), "今日の復習 (0)");
  EXPECT_FALSE(frmWBKMenu->btReview->isEnabled());

  review::ReviewStore store(folder.Path());
  const auto cards = store.Cards("たもつ", "animals.wbk");
  EXPECT_EQ(cards.size(), 3u);
  const auto easy = store.Memory(
      {"たもつ", "animals.wbk", cards[0].hangul, Sj("犬"), review::Direction::KoreanToJapanese});
  ASSERT_TRUE(easy);
  EXPECT_GT(easy->stability, 8) << "rated Easy: the first stability of Easy";
}

TEST_F(ReviewRoad, TheSettingsKeepWhatOkTakesAndDropWhatCancelLeaves) {
  dialogs.ExpectModal("frmSettings", [](QDialog& w) {
    EXPECT_EQ(Find<QSpinBox>(w, "spNewPerDay").value(), 20);
    EXPECT_EQ(Find<QSpinBox>(w, "spRetention").value(), 90);
    Find<QSpinBox>(w, "spNewPerDay").setValue(1);
    Find<QSpinBox>(w, "spRetention").setValue(80);
    Find<QCheckBox>(w, "cbPronunciation").setChecked(false);
    Click(w, "btOk");
  });
  dialogs.ExpectModal("frmSettings", [](QDialog& w) {
    EXPECT_EQ(Find<QSpinBox>(w, "spNewPerDay").value(), 1);
    Find<QSpinBox>(w, "spNewPerDay").setValue(0);
    Click(w, "btCancel");
  });
  frmWBKMenu->btSettings->click();
  EXPECT_EQ(frmWBKMenu->btReview->text(), "今日の復習 (1)") << "one new word a day";
  frmWBKMenu->btSettings->click();
  dialogs.VerifyFinished();
  EXPECT_EQ(frmWBKMenu->btReview->text(), "今日の復習 (1)");
  EXPECT_EQ(registry.ReadMachineString(kProgramKey, "reviewNewPerDay"), "1");
  EXPECT_EQ(registry.ReadMachineString(kProgramKey, "reviewRetention"), "0.80");
  EXPECT_EQ(registry.ReadMachineString(kProgramKey, "pronunciationLine"), "0");
}

TEST_F(ReviewRoad, ARecordThatCannotBeUsedTurnsTheReviewOffAndSaysWhy) {
  // Another program's file where the record would be, found as the program starts.
  DestroyWindows();
  for (const char* part : {"review.db-wal", "review.db-shm"})
    std::filesystem::remove(folder / part);
  WriteFile("review.db", std::string(4096, 'x'));
  CreateWindows(services);
  frmWBKMenu->RefreshReview();
  EXPECT_FALSE(frmWBKMenu->btReview->isEnabled());
  EXPECT_EQ(frmWBKMenu->lbReview->text(), "review.db が復習の記録ではありません。復習は休みます。");
  // Once the file can be used, the review is back.
  std::filesystem::remove(folder / "review.db");
  frmWBKMenu->RefreshReview();
  EXPECT_EQ(frmWBKMenu->btReview->text(), "今日の復習 (3)");
  EXPECT_TRUE(frmWBKMenu->lbReview->text().isEmpty());
}

}  // namespace
}  // namespace norumi
