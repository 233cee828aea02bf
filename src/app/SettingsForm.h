// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"
#include "session/ReviewBook.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace norumi {

// What the settings window sets.
struct ProgramSettings {
  ReviewSettings review;
  bool pronunciationShown = true;  // the line that says how a word is said
};

// "設定": how many new words the day's review brings in and how sure the learner wants to be of
// remembering a word when it comes back; and whether the windows say how a word is said.
class TfrmSettings : public TForm {
  Q_OBJECT

 public:
  explicit TfrmSettings(Services& services);

  // Shows `settings` for the learner to change; true, with them changed, when OK was pressed.
  bool Edit(ProgramSettings& settings);

  QGroupBox* gbReview;
  QLabel* Label1;
  QSpinBox* spNewPerDay;  // words, 0–999
  QLabel* Label2;
  QSpinBox* spRetention;  // percent, 70–97
  QLabel* lbHint;
  QGroupBox* gbPronunciation;
  QCheckBox* cbPronunciation;
  QPushButton* btOk;
  QPushButton* btCancel;

 public slots:
  void btOkClick();
  void btCancelClick();
};

extern TfrmSettings* frmSettings;

}  // namespace norumi
