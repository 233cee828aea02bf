#include "quiz/Seiseki.h"

#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <algorithm>

#include "platform/Dialogs.h"
#include "platform/FormParts.h"

namespace norumi {

TfrmSeiseki* frmSeiseki = nullptr;

namespace {

// Truncated, never rounded: 2 of 3 is 66%.
QString Rate(int64_t right, int64_t total) {
  return QString::number(total == 0 ? 0 : right * 100 / total) + QStringLiteral("%");
}

}  // namespace

TfrmSeiseki::TfrmSeiseki(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmSeiseki"));
  setWindowTitle(QStringLiteral("成績表"));

  Label1 = Named(new QLabel(QStringLiteral("今回の成績")), "Label1");
  lbSeikai = Named(new QLabel, "lbSeikai");
  Label2 = Named(new QLabel(QStringLiteral("/")), "Label2");
  lbTotal = Named(new QLabel, "lbTotal");
  lbPer = Named(new QLabel, "lbPer");
  for (QLabel* count : {lbSeikai, lbTotal}) {
    count->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    count->setMinimumWidth(48);
  }
  Label2->setAlignment(Qt::AlignCenter);
  Label3 = Named(new QLabel(QStringLiteral("今までの成績")), "Label3");
  lbHist = Named(new QListWidget, "lbHist");
  lbHist->setFixedSize(240, 160);
  lbComment = Named(new QLabel, "lbComment");
  lbComment->setTextFormat(Qt::PlainText);
  btClose = Named(new QPushButton(QStringLiteral("閉じる")), "btClose");

  auto* layout = new QGridLayout(this);
  layout->addWidget(Label1, 0, 0, 1, 4);
  layout->addWidget(lbSeikai, 1, 0);
  layout->addWidget(Label2, 1, 1);
  layout->addWidget(lbTotal, 1, 2);
  layout->addWidget(lbPer, 1, 3);
  layout->addWidget(Label3, 2, 0, 1, 4);
  layout->addWidget(lbHist, 3, 0, 1, 4);
  layout->addWidget(lbComment, 4, 0, 1, 4);
  layout->addWidget(btClose, 5, 3);
  FixSize();

  connect(btClose, &QPushButton::clicked, this, [this] { Run([this] { btCloseClick(); }); });
}

void TfrmSeiseki::ShowResults(const TRirekiList& history) {
  const auto right = std::count(history.Marks.begin(), history.Marks.end(), kMarkRight);
  const auto wrong = std::count(history.Marks.begin(), history.Marks.end(), kMarkWrong);
  lbSeikai->setText(QString::number(right));
  lbTotal->setText(QString::number(right + wrong));
  lbPer->setText(Rate(right, right + wrong));

  lbHist->clear();
  for (const TRireki& r : history.Records())
    lbHist->addItem(QStringLiteral("%1/%2 正解率：").arg(r.Seikai).arg(r.Total) +
                    Rate(r.Seikai, r.Total));
  // The newest drill is the last line; a long history shows it without scrolling by hand.
  lbHist->scrollToBottom();
  lbComment->clear();
  services_.dialogs.ShowModal(*this);
}

void TfrmSeiseki::btCloseClick() {
  done(kModalOk);
}

}  // namespace norumi
