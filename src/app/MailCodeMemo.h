// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPlainTextEdit>

namespace norumi {

class IDialogs;

// The menu's field for a pasted mail-magazine code. A paste or a drop that would make the
// field longer than any code can be is refused at once with the message the menu gives for an
// unreadable code, before the editor lays out megabytes of text; the field keeps what it held.
class TMailCodeMemo : public QPlainTextEdit {
 public:
  explicit TMailCodeMemo(IDialogs& dialogs, QWidget* parent = nullptr);

 protected:
  void insertFromMimeData(const QMimeData* source) override;

 private:
  IDialogs& dialogs_;
};

}  // namespace norumi
