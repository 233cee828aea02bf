// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Form.h"

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace norumi {

// "単語登録オプション": the explanation and the reference URL of one word, filled and read by
// the word editor. OK and Cancel only close it; closing it from its title bar is Cancel.
class TfrmTangoOp : public TForm {
  Q_OBJECT

 public:
  explicit TfrmTangoOp(Services& services);

  QLabel* Label1;
  QPlainTextEdit* mmSetsumei;
  QLabel* Label2;
  QLineEdit* edUrl;
  QPushButton* btOK;
  QPushButton* btCancel;

 public slots:
  void btOKClick();
  void btCancelClick();

 private:
  // Drops what CP932 cannot hold, as the edits' validators refuse it, so that what the teacher
  // sees is what the word file stores.
  void KeepCp932();
};

extern TfrmTangoOp* frmTangoOp;

}  // namespace norumi
