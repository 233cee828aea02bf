// SPDX-License-Identifier: GPL-3.0-or-later
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include "AppFixture.h"
#include "quiz/ProgressChart.h"
#include "quiz/QuizSteps.h"
#include "quiz/ReviewResults.h"
#include "quiz/Seiseki.h"
#include "quiz/Setsumei.h"

namespace norumi {
namespace {

class Results : public test::AppFixture {
 protected:
  // Shows the results of `history` and reads them back as the learner sees them.
  std::vector<QString> Show(const TRirekiList& history) {
    std::vector<QString> seen;
    dialogs.ExpectModal("frmSeiseki", [&](QDialog& window) {
      EXPECT_EQ(window.windowTitle(), "成績表");
      seen = {seiseki.lbSeikai->text(), seiseki.lbTotal->text(), seiseki.lbPer->text(),
              seiseki.lbComment->text()};
      EXPECT_EQ(seiseki.imChart->pixmap().size(), kProgressChartSize);
      for (int i = 0; i < seiseki.lbHist->count(); ++i)
        seen.push_back(seiseki.lbHist->item(i)->text());
      seiseki.btClose->click();
    });
    seiseki.ShowResults(history);
    EXPECT_EQ(seiseki.result(), kModalOk);
    return seen;
  }

  TfrmSeiseki seiseki{services};
};

TEST_F(Results, CountAllMarksAndTruncateTheRates) {
  TRirekiList history;
  history.Marks = {1, -1, kMarkNotChosen, 1, kMarkUnanswered};
  history.AddRecord({10, 7});
  history.AddRecord({0, 0});
  history.AddRecord({3, 2});
  seiseki.lbComment->setText("left over");
  EXPECT_EQ(Show(history), (std::vector<QString>{"2", "3", "66%", "", "7/10 正解率：70%",
                                                 "0/0 正解率：0%", "2/3 正解率：66%"}));
  // Heard as one score, the chart in words, the list by its label.
  EXPECT_EQ(test::Heard(seiseki.pnlScore), "今回の成績 2/3 66%");
  EXPECT_EQ(test::Heard(seiseki.imChart), "正解率の推移：70%, 0%, 66%。最新 66%");
  EXPECT_EQ(test::Heard(seiseki.lbHist), "今までの成績");
  // Every showing rewrites the whole window.
  EXPECT_EQ(Show(TRirekiList{}), (std::vector<QString>{"0", "0", "0%", ""}));
}

TEST_F(Results, ReviewResultsShowTodayAndTheChartAndAreHeardAsOne) {
  TfrmReviewResults review(services);
  const auto show = [&](const ReviewSummary& summary) {
    std::vector<QString> seen;
    dialogs.ExpectModal("frmReviewResults", [&](QDialog& window) {
      EXPECT_EQ(window.windowTitle(), "今日の復習の結果");
      seen = {review.lbCount->text(), review.lbShare->text(), test::Heard(review.pnlScore),
              test::Heard(review.btClose, QAccessible::Description)};
      EXPECT_EQ(review.imChart->pixmap().size(), kReviewChartSize);
      EXPECT_EQ(test::Heard(review.imChart), "復習のグラフ");
      EXPECT_EQ(test::Heard(review.imChart, QAccessible::Description),
                ReviewChartText(summary.days));
      review.btClose->click();
    });
    review.ShowResults(summary);
    EXPECT_EQ(review.result(), kModalOk);
    return seen;
  };
  const ReviewDays days{{3, 0, 5}, {4, 24}, {2, 17}};
  // 17 of 24 is 70.8%: truncated, as the drill results are.
  EXPECT_EQ(show({24, 17, days}),
            (std::vector<QString>{"24語", "70%", "今日の復習 24語 正解率 70%",
                                  "今日の復習 24語 正解率 70%。" + ReviewChartText(days)}));
  EXPECT_EQ(show({}), (std::vector<QString>{"0語", "0%", "今日の復習 0語 正解率 0%",
                                            "今日の復習 0語 正解率 0%。" + ReviewChartText({})}));
}

TEST_F(Results, ExplanationOpensOnlyWebAddresses) {
  TfrmWBKSetsumei explanation(services);
  EXPECT_EQ(explanation.windowTitle(), "解説");
  const auto click = [&](const QString& url, Qt::MouseButton button = Qt::LeftButton) {
    explanation.ShowTexts(QString(), url);
    const QPointF at(2, 2);
    QMouseEvent press(QEvent::MouseButtonPress, at, explanation.lbUrl->mapToGlobal(at), button,
                      button, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, explanation.lbUrl->mapToGlobal(at), button,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(explanation.lbUrl, &press);
    QApplication::sendEvent(explanation.lbUrl, &release);
  };
  click("https://example.org/a?b=1");
  click("https://example.org/right", Qt::RightButton);
  dialogs.ExpectMessage(
      "calc.exe はWebのアドレス (http:// または https://) ではないため、開けません。", "URL",
      MsgIcon::Stop);
  click("calc.exe");
  click("");
  EXPECT_EQ(shell.opened, std::vector<QString>{"https://example.org/a?b=1"});
}

TEST(ExplanationPlace, BelowTheQuizElseRightElseLeftElseAbove) {
  const QRect screen(0, 0, 1000, 800);
  struct Row {
    QRect quiz;
    QPoint at;
  };
  for (const Row& row : {
           Row{{100, 100, 480, 300}, {100, 400}}, Row{{100, 400, 480, 300}, {580, 400}},
           Row{{500, 400, 480, 300}, {100, 400}}, Row{{300, 500, 480, 300}, {300, 300}},
           Row{{700, 100, 300, 300}, {600, 400}},  // moved along the side onto the screen
           Row{{0, 0, 1000, 800}, {0, 600}},       // no room: below as far as the screen allows
       })
    EXPECT_EQ(BesideQuiz(row.quiz, {400, 200}, screen), row.at) << row.quiz.x() << row.quiz.y();
}

}  // namespace
}  // namespace norumi
