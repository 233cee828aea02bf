// SPDX-License-Identifier: GPL-3.0-or-later
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

  // Shows a word's explanation and address; a click opens the address itself.
  void ShowTexts(const QString& explanation, const QString& url);

 public slots:
  void btCloseClick();
  void lbUrlClick();

 private:
  QString url_;
};

extern TfrmWBKSetsumei* frmWBKSetsumei;

}  // namespace norumi
