#include "platform/Dialogs.h"

#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace norumi {

namespace {

QMessageBox::StandardButtons ButtonsOf(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::YesNo:
      return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::RetryCancel:
      return QMessageBox::Retry | QMessageBox::Cancel;
    case MsgButtons::RetryDiscardCancel:
      return QMessageBox::Retry | QMessageBox::Discard | QMessageBox::Cancel;
    case MsgButtons::Ok:
      break;
  }
  return QMessageBox::Ok;
}

MsgAnswer AnswerOf(int button, MsgButtons buttons) {
  switch (button) {
    case QMessageBox::Yes:
      return MsgAnswer::Yes;
    case QMessageBox::No:
      return MsgAnswer::No;
    case QMessageBox::Retry:
      return MsgAnswer::Retry;
    case QMessageBox::Discard:
      return MsgAnswer::Discard;
    case QMessageBox::Cancel:
      return MsgAnswer::Cancel;
    default:
      // Closed from its title bar or with Escape: the safe answer of its buttons.
      return buttons == MsgButtons::Ok      ? MsgAnswer::Ok
             : buttons == MsgButtons::YesNo ? MsgAnswer::No
                                            : MsgAnswer::Cancel;
  }
}

}  // namespace

MsgAnswer QtDialogs::MessageBox(QWidget* parent, const QString& text, const QString& caption,
                                MsgIcon icon, MsgButtons buttons) {
  QMessageBox box(icon == MsgIcon::Stop ? QMessageBox::Critical : QMessageBox::Information, caption,
                  text, ButtonsOf(buttons), parent);
  // Messages carry names, titles and lock records from outside: nothing in them may change how
  // the box looks, as Qt's guess at rich text would let it.
  box.setTextFormat(Qt::PlainText);
  if (buttons == MsgButtons::RetryCancel || buttons == MsgButtons::RetryDiscardCancel) {
    // Named as the messages name them, whether or not Qt's own translations are installed.
    box.setDefaultButton(QMessageBox::Retry);
    box.button(QMessageBox::Retry)->setText(QStringLiteral("再試行"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("キャンセル"));
    if (QAbstractButton* discard = box.button(QMessageBox::Discard))
      discard->setText(QStringLiteral("破棄"));
  }
  return AnswerOf(box.exec(), buttons);
}

QString QtDialogs::InputBox(QWidget* parent, const QString& caption, const QString& prompt,
                            const QString& defaultText) {
  QInputDialog dialog(parent);
  dialog.setWindowTitle(caption);
  dialog.setLabelText(prompt);
  dialog.setTextValue(defaultText);
  if (auto* label = dialog.findChild<QLabel*>()) label->setTextFormat(Qt::PlainText);
  return dialog.exec() == QDialog::Accepted ? dialog.textValue() : defaultText;
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

std::optional<QString> QtDialogs::ChooseFolder(QWidget* parent, const QString& caption,
                                               const QString& start) {
  const QString folder = QFileDialog::getExistingDirectory(parent, caption, start);
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

}  // namespace norumi
