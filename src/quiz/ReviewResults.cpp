// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/ReviewResults.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/Spoken.h"

namespace norumi {

TfrmReviewResults* frmReviewResults = nullptr;

TfrmReviewResults::TfrmReviewResults(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmReviewResults"));
  setWindowTitle(QStringLiteral("今日の復習の結果"));

  pnlScore = Named(new QWidget, "pnlScore");
  Label1 = Named(new QLabel(QStringLiteral("今日の復習")), "Label1");
  lbCount = Named(new QLabel, "lbCount");
  Label2 = Named(new QLabel(QStringLiteral("正解率")), "Label2");
  lbShare = Named(new QLabel, "lbShare");
  // The values stand out as the drill's score does; their labels stay in the window's font.
  for (QLabel* value : {lbCount, lbShare}) {
    QFont font = value->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    value->setFont(font);
  }
  // Each label sits on the line of its larger value, not centred beside it.
  for (QLabel* label : {Label1, lbCount, Label2, lbShare})
    label->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  imChart = Named(new QLabel, "imChart");
  imChart->setFixedSize(kReviewChartSize);
  imChart->setAccessibleName(QStringLiteral("復習のグラフ"));
  btClose = Named(new QPushButton(QStringLiteral("閉じる")), "btClose");

  // The score reads as one line: the words asked today, then the share right.
  auto* score = new QHBoxLayout(pnlScore);
  score->setContentsMargins(0, 0, 0, 0);
  score->addWidget(Label1);
  score->addWidget(lbCount);
  score->addSpacing(24);
  score->addWidget(Label2);
  score->addWidget(lbShare);
  score->addStretch();
  auto* close = new QHBoxLayout;
  close->addStretch();
  close->addWidget(btClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(pnlScore);
  layout->addWidget(imChart);
  layout->addLayout(close);
  FixSize();

  Handle(btClose, &QPushButton::clicked, &TfrmReviewResults::btCloseClick);
}

void TfrmReviewResults::ShowResults(const ReviewSummary& summary) {
  lbCount->setText(QStringLiteral("%1語").arg(summary.answered));
  lbShare->setText(QStringLiteral("%1%").arg(SharePercent(summary.right, summary.answered)));
  pnlScore->setAccessibleName(
      QStringLiteral("%1 %2 %3 %4")
          .arg(Label1->text(), lbCount->text(), Label2->text(), lbShare->text()));
  imChart->setPixmap(QPixmap::fromImage(
      ReviewChartImage(summary.days, kReviewChartSize, imChart->devicePixelRatioF())));
  const QString chart = ReviewChartText(summary.days);
  imChart->setAccessibleDescription(chart);
  // The window opens on its only button: the score and the chart are heard there.
  Describe(*btClose, pnlScore->accessibleName() + QStringLiteral("。") + chart);
  services_.dialogs.ShowModal(*this);
}

void TfrmReviewResults::btCloseClick() {
  done(kModalOk);
}

}  // namespace norumi
