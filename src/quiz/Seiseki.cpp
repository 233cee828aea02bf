// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/Seiseki.h"

#include <QBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>

#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/Spoken.h"
#include "quiz/ChartParts.h"
#include "quiz/ProgressChart.h"

namespace norumi {

TfrmSeiseki* frmSeiseki = nullptr;

namespace {

QString Rate(int right, int total) {
  return QString::number(SharePercent(right, total)) + QStringLiteral("%");
}

}  // namespace

TfrmSeiseki::TfrmSeiseki(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmSeiseki"));
  setWindowTitle(QStringLiteral("成績表"));

  Label1 = Named(new QLabel(QStringLiteral("今回の成績")), "Label1");
  pnlScore = Named(new QWidget, "pnlScore");
  lbSeikai = Named(new QLabel, "lbSeikai");
  Label2 = Named(new QLabel(QStringLiteral("/")), "Label2");
  lbTotal = Named(new QLabel, "lbTotal");
  lbPer = Named(new QLabel, "lbPer");
  for (QLabel* count : {lbSeikai, lbTotal}) {
    count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    count->setMinimumWidth(40);
  }
  Label2->setAlignment(Qt::AlignCenter);
  for (QLabel* score : {lbSeikai, Label2, lbTotal, lbPer}) {
    QFont font = score->font();
    font.setPointSizeF(font.pointSizeF() * 1.5);
    font.setBold(true);
    score->setFont(font);
  }
  Label3 = Named(new QLabel(QStringLiteral("今までの成績")), "Label3");
  lbHist = Named(new QListWidget, "lbHist");
  lbHist->setFixedSize(240, 160);
  lbHist->setAccessibleName(Label3->text());  // a list takes no name from a buddy label
  Label3->setBuddy(lbHist);
  imChart = Named(new QLabel, "imChart");
  imChart->setFixedSize(kProgressChartSize);
  lbComment = PlainLabel("lbComment");
  btClose = Named(new QPushButton(QStringLiteral("閉じる")), "btClose");

  // The score reads as one line: right / judged, then the rate.
  auto* score = new QHBoxLayout(pnlScore);
  score->setContentsMargins(0, 0, 0, 0);
  score->addWidget(lbSeikai);
  score->addWidget(Label2);
  score->addWidget(lbTotal);
  score->addSpacing(16);
  score->addWidget(lbPer);
  score->addStretch();
  auto* close = new QHBoxLayout;
  close->addStretch();
  close->addWidget(btClose);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(pnlScore);
  layout->addWidget(Label3);
  layout->addWidget(lbHist);
  layout->addWidget(imChart);
  layout->addWidget(lbComment);
  layout->addLayout(close);
  FixSize();

  Handle(btClose, &QPushButton::clicked, &TfrmSeiseki::btCloseClick);
}

void TfrmSeiseki::ShowResults(const TRirekiList& history) {
  const auto right = std::count(history.Marks.begin(), history.Marks.end(), kMarkRight);
  const auto wrong = std::count(history.Marks.begin(), history.Marks.end(), kMarkWrong);
  lbSeikai->setText(QString::number(right));
  lbTotal->setText(QString::number(right + wrong));
  lbPer->setText(Rate(int(right), int(right + wrong)));
  pnlScore->setAccessibleName(
      QStringLiteral("%1 %2/%3 %4")
          .arg(Label1->text(), lbSeikai->text(), lbTotal->text(), lbPer->text()));

  lbHist->clear();
  for (const TRireki& r : history.Records())
    lbHist->addItem(QStringLiteral("%1/%2 正解率：").arg(r.Seikai).arg(r.Total) +
                    Rate(r.Seikai, r.Total));
  // The newest drill is the last line; a long history shows it without scrolling by hand.
  lbHist->scrollToBottom();
  imChart->setPixmap(QPixmap::fromImage(ProgressChartImage(
      history.Records(), kProgressChartSize, imChart->font(), imChart->devicePixelRatioF())));
  imChart->setAccessibleName(ProgressChartText(history.Records()));
  // The window opens on its list of drills: the score and the chart are heard there.
  Describe(*lbHist, pnlScore->accessibleName() + QStringLiteral("。") + imChart->accessibleName());
  lbComment->clear();
  services_.dialogs.ShowModal(*this);
}

void TfrmSeiseki::btCloseClick() {
  done(kModalOk);
}

}  // namespace norumi
