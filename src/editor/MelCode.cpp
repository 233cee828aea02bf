// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/MelCode.h"

#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/text/Cp932.h"

namespace norumi {

TfrmMelCode* frmMelCode = nullptr;

TfrmMelCode::TfrmMelCode(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmMelCode"));
  setWindowTitle(QStringLiteral("メルマガコード"));
  Label1 = Named(new QLabel(QStringLiteral("メルマガコード")), "Label1");
  mmMail = Named(new QPlainTextEdit, "mmMail");
  mmMail->setReadOnly(true);
  mmMail->setLineWrapMode(QPlainTextEdit::NoWrap);
  // Read-only, but the keyboard still selects and copies.
  mmMail->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  // The code's lines are 70 characters: a fixed pitch shows them as the block they are.
  mmMail->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  const QFontMetrics metrics(mmMail->font());
  mmMail->setFixedSize(metrics.horizontalAdvance(QString(74, QLatin1Char('0'))) + 24,
                       metrics.lineSpacing() * 28);
  Label1->setBuddy(mmMail);
  btClose = Named(new QPushButton(QStringLiteral("閉じる")), "btClose");
  btClose->setAutoDefault(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(mmMail);
  layout->addWidget(btClose, 0, Qt::AlignRight);
  FixSize();

  Handle(btClose, &QPushButton::clicked, &TfrmMelCode::btCloseClick);
}

void TfrmMelCode::SetLines(const TextLines& lines) {
  mmMail->clear();
  QStringList text;
  for (const std::string& line : lines) text.append(FromCp932(line));
  mmMail->setPlainText(text.join(QLatin1Char('\n')));
  mmMail->selectAll();
  mmMail->setFocus();
}

void TfrmMelCode::btCloseClick() {
  done(kModalOk);
}

}  // namespace norumi
