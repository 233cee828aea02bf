// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "session/ReviewBook.h"

class QLabel;
class QPushButton;
class QSpinBox;

namespace norumi {

// "復習の設定": how many new words the day's review brings in, and how sure the learner wants
// to be of remembering a word when it comes back.
class TfrmReviewSettings : public TForm {
  Q_OBJECT

 public:
  explicit TfrmReviewSettings(Services& services);

  // Shows `settings` for the learner to change; true, with them changed, when OK was pressed.
  bool Edit(ReviewSettings& settings);

  QLabel* Label1;
  QSpinBox* spNewPerDay;  // words, 0–999
  QLabel* Label2;
  QSpinBox* spRetention;  // percent, 70–97
  QLabel* lbHint;
  QPushButton* btOk;
  QPushButton* btCancel;

 public slots:
  void btOkClick();
  void btCancelClick();
};

extern TfrmReviewSettings* frmReviewSettings;

}  // namespace norumi
