#pragma once

#include "model/Rireki.h"
#include "platform/Form.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace norumi {

// "成績表": the score of the drill just finished and a line for every drill so far.
class TfrmSeiseki : public TForm {
  Q_OBJECT

 public:
  explicit TfrmSeiseki(Services& services);

  void ShowResults(const TRirekiList& history);

  QLabel* Label1;
  QLabel* lbSeikai;
  QLabel* Label2;
  QLabel* lbTotal;
  QLabel* lbPer;
  QLabel* Label3;
  QListWidget* lbHist;
  QLabel* lbComment;
  QPushButton* btClose;

 public slots:
  void btCloseClick();
};

extern TfrmSeiseki* frmSeiseki;

}  // namespace norumi
