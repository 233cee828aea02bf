#pragma once

#include "platform/Form.h"

class QLabel;
class QPushButton;

namespace norumi {

// "解説": a word's explanation and its reference address, shown after an answer.
class TfrmWBKSetsumei : public TForm {
  Q_OBJECT

 public:
  explicit TfrmWBKSetsumei(Services& services);

  QLabel* lbSetsumei;
  QLabel* lbUrl;
  QPushButton* btClose;

 public slots:
  void btCloseClick();
  void lbUrlClick();
};

extern TfrmWBKSetsumei* frmWBKSetsumei;

}  // namespace norumi
