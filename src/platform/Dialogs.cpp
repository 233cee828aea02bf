#include "platform/Dialogs.h"

#include <QDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace norumi {

MsgAnswer QtDialogs::MessageBox(QWidget* parent, const QString& text, const QString& caption,
                                MsgIcon icon, MsgButtons buttons) {
  QMessageBox box(
      icon == MsgIcon::Stop ? QMessageBox::Critical : QMessageBox::Information, caption, text,
      buttons == MsgButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok, parent);
  const int answer = box.exec();
  if (buttons == MsgButtons::Ok) return MsgAnswer::Ok;
  return answer == QMessageBox::Yes ? MsgAnswer::Yes : MsgAnswer::No;
}

QString QtDialogs::InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                            const QString& defaultText) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, defaultText, &ok);
  return ok ? text : defaultText;
}

int QtDialogs::ShowModal(QDialog& window) {
  window.exec();
  return ModalResultOf(window);
}

int ModalResultOf(const QDialog& window) {
  const int result = window.result();
  return result == kModalOk ? kModalOk : result == QDialog::Rejected ? kModalCancel : result;
}

}  // namespace norumi
