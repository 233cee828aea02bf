// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "model/Tango.h"
#include "platform/Form.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace norumi {

// "メルマガコード": shows the text issued for one word, for the teacher to select and copy into
// a newsletter.
class TfrmMelCode : public TForm {
  Q_OBJECT

 public:
  explicit TfrmMelCode(Services& services);

  // Replaces the memo's text with `lines` (CP932), all of it selected, ready to be copied.
  void SetLines(const TextLines& lines);

  QLabel* Label1;
  QPlainTextEdit* mmMail;
  QPushButton* btClose;

 public slots:
  void btCloseClick();
};

extern TfrmMelCode* frmMelCode;

}  // namespace norumi
