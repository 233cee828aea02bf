// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/TangoOp.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/text/Cp932.h"
#include "platform/text/Cp932Validator.h"

namespace norumi {

TfrmTangoOp* frmTangoOp = nullptr;

TfrmTangoOp::TfrmTangoOp(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmTangoOp"));
  setWindowTitle(QStringLiteral("単語登録オプション"));
  Label1 = Named(new QLabel(QStringLiteral("説明文")), "Label1");
  mmSetsumei = Named(new QPlainTextEdit, "mmSetsumei");
  mmSetsumei->setTabChangesFocus(true);
  mmSetsumei->setFixedSize(400, 160);
  Label1->setBuddy(mmSetsumei);
  Label2 = Named(new QLabel(QStringLiteral("参照URL")), "Label2");
  edUrl = Named(new QLineEdit, "edUrl");
  edUrl->setValidator(new Cp932Validator(edUrl));
  Label2->setBuddy(edUrl);
  btOK = Named(new QPushButton(QStringLiteral("OK")), "btOK");
  btCancel = Named(new QPushButton(QStringLiteral("キャンセル")), "btCancel");
  btOK->setAutoDefault(false);
  btCancel->setAutoDefault(false);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btOK);
  buttons->addWidget(btCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label1);
  layout->addWidget(mmSetsumei);
  layout->addWidget(Label2);
  layout->addWidget(edUrl);
  layout->addLayout(buttons);
  FixSize();

  Handle(btOK, &QPushButton::clicked, &TfrmTangoOp::btOKClick);
  Handle(btCancel, &QPushButton::clicked, &TfrmTangoOp::btCancelClick);
  connect(mmSetsumei, &QPlainTextEdit::textChanged, this, &TfrmTangoOp::KeepCp932);
}

void TfrmTangoOp::btOKClick() {
  done(kModalOk);
}

void TfrmTangoOp::btCancelClick() {
  done(kModalCancel);
}

void TfrmTangoOp::KeepCp932() {
  QString text = mmSetsumei->toPlainText();
  if (FirstNonCp932(text) < 0) return;
  int cursor = mmSetsumei->textCursor().position();
  for (qsizetype at; (at = FirstNonCp932(text)) >= 0;) {
    // A character outside the basic plane is two units; drop both.
    const qsizetype length = text.at(at).isHighSurrogate() && at + 1 < text.size() ? 2 : 1;
    text.remove(at, length);
    if (at < cursor) cursor -= static_cast<int>(std::min<qsizetype>(length, cursor - at));
  }
  const QSignalBlocker quiet(mmSetsumei);
  mmSetsumei->setPlainText(text);
  QTextCursor place = mmSetsumei->textCursor();
  place.setPosition(std::min<int>(cursor, static_cast<int>(text.size())));
  mmSetsumei->setTextCursor(place);
}

}  // namespace norumi
