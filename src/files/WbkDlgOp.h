// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"

class QButtonGroup;
class QCheckBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace norumi {

class TCSpinEdit;

// Shows and edits the file-wide settings of one word file: URL, read-only flag and commentary
// mode, with its title and word version. The selection window fills it and reads it back.
class TfrmWBKDlgOp : public TForm {
  Q_OBJECT

 public:
  explicit TfrmWBKDlgOp(Services& services);

  // The commentary mode as the radio group's item index: -1 (none chosen) to 1.
  int KaisetsuIndex() const;
  void SetKaisetsuIndex(int index);

  QLabel* Label1;
  QLabel* lbTitle;
  QLabel* Label2;
  QLineEdit* edUrl;
  QCheckBox* cbReadOnly;
  QGroupBox* rgKaisetsu;
  QButtonGroup* rgKaisetsuItems;
  QFrame* Shape1;
  QLabel* Label6;
  TCSpinEdit* csVersion;
  QPushButton* btOk;
  QPushButton* btCancel;

 public slots:
  void btOkClick();
  void btCancelClick();
};

extern TfrmWBKDlgOp* frmWBKDlgOp;

}  // namespace norumi
