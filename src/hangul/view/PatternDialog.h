// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "hangul/core/CommonSaver.h"
#include "platform/Form.h"

class QCheckBox;
class QGroupBox;
class QPushButton;
class QRadioButton;

namespace norumi {

// "コピー・貼り付けパターン": chooses the forms Korean is copied and pasted in.
class TfrmPattern : public TForm {
  Q_OBJECT

 public:
  explicit TfrmPattern(Services& services);

  // Shows the dialog on `pattern` and writes the choices back after OK. Returns the modal result.
  int EditPattern(TPattern& pattern);

  QGroupBox* gbCopy;
  QRadioButton* rbCopy1;
  QRadioButton* rbCopy2;
  QRadioButton* rbCopy3;
  QRadioButton* rbCopy4;
  QCheckBox* cbClear1;
  QGroupBox* gbPaste;
  QRadioButton* rbPaste1;
  QRadioButton* rbPaste2;
  QRadioButton* rbPaste3;
  QRadioButton* rbPaste4;
  QCheckBox* cbClear2;
  QPushButton* btOk;
  QPushButton* btCancel;

 public slots:
  void btOkClick();
  void btCancelClick();
};

extern TfrmPattern* frmPattern;

}  // namespace norumi
