// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Dialogs.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

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

void QtDialogs::DetailedMessage(QWidget* parent, const QString& text, const QString& details,
                                const QString& caption, MsgIcon icon) {
  // A QMessageBox grows with its text until its button leaves the screen, and hides a detailed
  // text behind a button of its own: the list is what the user came for, so it is shown at once.
  QDialog box(parent);
  box.setWindowTitle(caption);
  QStyle* style = box.style();
  const int side = style->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, &box);
  auto* picture = new QLabel;
  picture->setPixmap(style
                         ->standardIcon(icon == MsgIcon::Stop ? QStyle::SP_MessageBoxCritical
                                                              : QStyle::SP_MessageBoxInformation,
                                        nullptr, &box)
                         .pixmap(side, side));
  auto* message = new QLabel(text);
  message->setTextFormat(Qt::PlainText);
  message->setWordWrap(true);
  auto* list = new QPlainTextEdit;
  list->setObjectName(QStringLiteral("mmDetails"));
  list->setPlainText(details);
  list->setReadOnly(true);
  list->setLineWrapMode(QPlainTextEdit::NoWrap);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &box, &QDialog::accept);
  auto* grid = new QGridLayout(&box);
  grid->addWidget(picture, 0, 0, 2, 1, Qt::AlignTop);
  grid->addWidget(message, 0, 1);
  grid->addWidget(list, 1, 1);
  grid->addWidget(buttons, 2, 0, 1, 2);
  grid->setRowStretch(1, 1);

  // Room for the widest line and a dozen lines, within two thirds of the screen; what does not
  // fit scrolls.
  const QFontMetrics metrics(list->font());
  const QStringList lines = details.split(QChar('\n'));
  int widest = 0;
  for (const QString& line : lines) widest = std::max(widest, metrics.horizontalAdvance(line));
  const int frame = 2 * list->frameWidth() + 2 * int(list->document()->documentMargin());
  const int scrollBar = list->verticalScrollBar()->sizeHint().width();
  const QRect screen = (parent ? parent->screen() : box.screen())->availableGeometry();
  const int rows = std::min(int(lines.size()), 12) + 1;  // and one for a horizontal scroll bar
  list->setMinimumHeight(4 * metrics.lineSpacing() + frame);
  list->setMinimumWidth(std::min(widest, 20 * metrics.averageCharWidth()) + frame + scrollBar);
  const QSize wanted(side + widest + frame + scrollBar + 48,
                     box.sizeHint().height() + (rows - 4) * metrics.lineSpacing());
  box.resize(wanted.boundedTo(screen.size() * 2 / 3).expandedTo(box.minimumSizeHint()));
  box.exec();
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
