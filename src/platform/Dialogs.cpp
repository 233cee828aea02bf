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
  // A window that hides itself for a while (to show another one in its place) ends its modal
  // loop without being finished; it is shown modally again until it really closes.
  bool finished = false;
  const auto connection =
      QObject::connect(&window, &QDialog::finished, &window, [&finished] { finished = true; });
  window.exec();
  while (!finished && window.isVisible()) {
    window.hide();
    window.exec();
  }
  QObject::disconnect(connection);
  return ModalResultOf(window);
}

int ModalResultOf(const QDialog& window) {
  const int result = window.result();
  return result == kModalOk ? kModalOk : result == QDialog::Rejected ? kModalCancel : result;
}

}  // namespace norumi
