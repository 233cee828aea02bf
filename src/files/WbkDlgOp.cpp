// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/WbkDlgOp.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "files/WbkDialog.h"
#include "files/WordFolder.h"
#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/text/Cp932.h"
#include "platform/text/Cp932Validator.h"
#include "platform/text/ShownControls.h"
#include "widgets/SpinEdit.h"

namespace norumi {

TfrmWBKDlgOp* frmWBKDlgOp = nullptr;

TfrmWBKDlgOp::TfrmWBKDlgOp(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmWBKDlgOp"));
  setWindowTitle(QStringLiteral("Norumi! > 単語ファイル選択 > オプション"));

  Label1 = Named(new QLabel(QStringLiteral("タイトル")), "Label1");
  lbTitle = Named(new QLabel, "lbTitle");
  StyleTitle(lbTitle);
  Label2 = Named(new QLabel(QStringLiteral("URL")), "Label2");
  edUrl = Named(new QLineEdit, "edUrl");
  edUrl->setValidator(new Cp932Validator(edUrl));
  edUrl->setMinimumWidth(320);
  Label2->setBuddy(edUrl);
  cbReadOnly = Named(new QCheckBox(QStringLiteral("ユーザはデータを追加登録できないようにする。")),
                     "cbReadOnly");

  rgKaisetsu = Named(new QGroupBox(QStringLiteral("解説モード")), "rgKaisetsu");
  rgKaisetsuItems = Named(new QButtonGroup(rgKaisetsu), "rgKaisetsuItems");
  auto* items = new QVBoxLayout(rgKaisetsu);
  const char* names[] = {"rbKaisetsu0", "rbKaisetsu1"};
  const QString captions[] = {QStringLiteral("毎回出す"), QStringLiteral("間違えた時だけ出す")};
  for (int i = 0; i < 2; ++i) {
    auto* button = Named(new QRadioButton(captions[i]), names[i]);
    rgKaisetsuItems->addButton(button, i);
    items->addWidget(button);
  }

  Shape1 = Rule("Shape1", "navy");
  Label6 = Named(new QLabel(QStringLiteral("単語Ver.")), "Label6");
  csVersion = Named(new TCSpinEdit, "csVersion");
  csVersion->SetMinValue(0);
  csVersion->SetMaxValue(100);
  csVersion->setReadOnly(true);
  csVersion->SetEditorEnabled(false);
  csVersion->setMaximumWidth(80);
  Label6->setBuddy(csVersion);
  btOk = Named(new QPushButton(QStringLiteral("OK")), "btOk");
  btCancel = Named(new QPushButton(QStringLiteral("キャンセル")), "btCancel");
  for (QPushButton* b : {btOk, btCancel}) b->setAutoDefault(false);

  auto* layout = new QGridLayout(this);
  layout->addWidget(Label1, 0, 0);
  layout->addWidget(lbTitle, 0, 1, 1, 3);
  layout->addWidget(Label2, 1, 0);
  layout->addWidget(edUrl, 1, 1, 1, 3);
  layout->addWidget(cbReadOnly, 2, 0, 1, 4);
  layout->addWidget(rgKaisetsu, 3, 0, 1, 4);
  layout->addWidget(Shape1, 4, 0, 1, 4);
  layout->addWidget(Label6, 5, 0);
  layout->addWidget(csVersion, 5, 1, Qt::AlignLeft);
  layout->addWidget(btOk, 5, 2);
  layout->addWidget(btCancel, 5, 3);
  layout->setColumnStretch(1, 1);
  FixSize();

  setTabOrder(edUrl, cbReadOnly);
  setTabOrder(cbReadOnly, rgKaisetsuItems->button(0));
  setTabOrder(rgKaisetsuItems->button(0), rgKaisetsuItems->button(1));
  setTabOrder(rgKaisetsuItems->button(1), csVersion);
  setTabOrder(csVersion, btOk);
  setTabOrder(btOk, btCancel);

  Handle(btOk, &QPushButton::clicked, &TfrmWBKDlgOp::btOkClick);
  Handle(btCancel, &QPushButton::clicked, &TfrmWBKDlgOp::btCancelClick);
}

int TfrmWBKDlgOp::KaisetsuIndex() const {
  return rgKaisetsuItems->checkedId();
}

void TfrmWBKDlgOp::SetKaisetsuIndex(int index) {
  if (QAbstractButton* button = rgKaisetsuItems->button(index)) {
    button->setChecked(true);
    return;
  }
  // An exclusive group keeps one button checked; only a free one lets all of them go.
  rgKaisetsuItems->setExclusive(false);
  for (QAbstractButton* button : rgKaisetsuItems->buttons()) button->setChecked(false);
  rgKaisetsuItems->setExclusive(true);
}

void TfrmWBKDlgOp::btOkClick() {
  done(kModalOk);
}

void TfrmWBKDlgOp::btCancelClick() {
  done(kModalCancel);
}

// The selection window's options button lives here, beside the window it fills and reads back.
void TfrmWBKDialog::btOptionClick() {
  std::string url;
  const bool saved = ChangeTeachersFile([&](TTangoList& list, const std::filesystem::path&) {
    TfrmWBKDlgOp& options = *frmWBKDlgOp;
    const QString shownUrl = FromCp932(list.Url);
    options.lbTitle->setText(ShowControls(FromCp932(list.Title)));
    options.edUrl->setText(shownUrl);
    options.cbReadOnly->setChecked(list.ReadOnly);
    options.SetKaisetsuIndex(std::clamp(list.Kaisetsu, -1, 1));
    options.csVersion->SetValue(std::clamp(list.Version, 0, 100));
    if (services_.dialogs.ShowModal(options) != kModalOk) return false;

    // An untouched URL keeps its bytes, even those CP932 cannot decode; an edited one passed
    // the field's validator and converts.
    const QString edited = options.edUrl->text();
    if (edited != shownUrl) list.Url = ToCp932(edited).value_or(list.Url);
    list.ReadOnly = options.cbReadOnly->isChecked();
    list.Kaisetsu = options.KaisetsuIndex();
    list.Version = options.csVersion->Value();
    url = list.Url;
    return true;
  });
  if (saved) ShowUrl(FromCp932(url));
}

}  // namespace norumi
