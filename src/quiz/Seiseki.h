// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Rireki.h"
#include "platform/Form.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace norumi {

// "成績表": the score of the drill just finished, a line for every drill so far and, under them,
// the same drills as a chart.
class TfrmSeiseki : public TForm {
  Q_OBJECT

 public:
  explicit TfrmSeiseki(Services& services);

  void ShowResults(const TRirekiList& history);

  QLabel* Label1;
  QWidget* pnlScore;  // holds the four labels of the score, read as one
  QLabel* lbSeikai;
  QLabel* Label2;
  QLabel* lbTotal;
  QLabel* lbPer;
  QLabel* Label3;
  QListWidget* lbHist;
  QLabel* imChart;
  QLabel* lbComment;
  QPushButton* btClose;

 public slots:
  void btCloseClick();
};

extern TfrmSeiseki* frmSeiseki;

}  // namespace norumi
