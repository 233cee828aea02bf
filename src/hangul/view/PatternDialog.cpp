// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/view/PatternDialog.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <array>

#include "platform/Dialogs.h"
#include "platform/FormParts.h"

namespace norumi {

TfrmPattern* frmPattern = nullptr;

namespace {

const std::array<const char*, 4> kPatternCaptions = {
    "UNICODE(NT,2000,XPかつIE,メモ帳など)要ハングルフォント",
    "EUC-KR(UNICODEの条件以外のソフト)要ハングルフォント",
    "10進UNICODE(&&#54620;&&#45800;など)HP作成用",
    "16進UNICODE(&&#xd55c;&&#xb2e8;など)HP作成用",
};

// A group of the four pattern buttons and its clear check box.
QGroupBox* PatternGroup(const char* name, const QString& title, const char* buttonPrefix,
                        std::array<QRadioButton*, 4>& buttons, QCheckBox* clear) {
  auto* group = Named(new QGroupBox(title), name);
  auto* layout = new QVBoxLayout(group);
  for (int i = 0; i < 4; ++i) {
    buttons[i] = new QRadioButton(QString::fromUtf8(kPatternCaptions[i]));
    buttons[i]->setObjectName(QString::fromLatin1(buttonPrefix) + QString::number(i + 1));
    layout->addWidget(buttons[i]);
  }
  layout->addWidget(clear);
  return group;
}

int CheckedIndex(const std::array<QRadioButton*, 4>& buttons, int current) {
  for (int i = 0; i < 4; ++i)
    if (buttons[i]->isChecked()) return i;
  return current;
}

}  // namespace

TfrmPattern::TfrmPattern(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmPattern"));
  setWindowTitle(QStringLiteral("コピー・貼り付けパターン"));
  cbClear1 = Named(new QCheckBox(QStringLiteral("コピー時にデータを消去する")), "cbClear1");
  cbClear2 = Named(new QCheckBox(QStringLiteral("貼り付け時にデータを消去する")), "cbClear2");
  std::array<QRadioButton*, 4> copy{}, paste{};
  gbCopy = PatternGroup("gbCopy", QStringLiteral("コピーしたいパターンを選んでください"), "rbCopy",
                        copy, cbClear1);
  gbPaste = PatternGroup("gbPaste", QStringLiteral("貼り付けたいパターンを選んでください"),
                         "rbPaste", paste, cbClear2);
  rbCopy1 = copy[0], rbCopy2 = copy[1], rbCopy3 = copy[2], rbCopy4 = copy[3];
  rbPaste1 = paste[0], rbPaste2 = paste[1], rbPaste3 = paste[2], rbPaste4 = paste[3];
  btOk = Named(new QPushButton(QStringLiteral("OK")), "btOk");
  btCancel = Named(new QPushButton(QStringLiteral("Cancel")), "btCancel");
  btOk->setDefault(true);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btOk);
  buttons->addWidget(btCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(gbCopy);
  layout->addWidget(gbPaste);
  layout->addLayout(buttons);
  FixSize();

  Handle(btOk, &QPushButton::clicked, &TfrmPattern::btOkClick);
  Handle(btCancel, &QPushButton::clicked, &TfrmPattern::btCancelClick);
}

void TfrmPattern::btOkClick() {
  done(kModalOk);
}

void TfrmPattern::btCancelClick() {
  done(kModalCancel);
}

int TfrmPattern::EditPattern(TPattern& pattern) {
  const std::array<QRadioButton*, 4> copy = {rbCopy1, rbCopy2, rbCopy3, rbCopy4};
  const std::array<QRadioButton*, 4> paste = {rbPaste1, rbPaste2, rbPaste3, rbPaste4};
  // A stored value outside 0..3 leaves the buttons as they are.
  if (pattern.CopyPattern >= 0 && pattern.CopyPattern < 4)
    copy[pattern.CopyPattern]->setChecked(true);
  if (pattern.PastePattern >= 0 && pattern.PastePattern < 4)
    paste[pattern.PastePattern]->setChecked(true);
  cbClear1->setChecked(pattern.ClearOnCopy != 0);
  cbClear2->setChecked(pattern.ClearOnPaste != 0);

  const int result = services_.dialogs.ShowModal(*this);
  QCoreApplication::processEvents();
  if (result != kModalOk) return result;
  pattern.CopyPattern = CheckedIndex(copy, pattern.CopyPattern);
  pattern.PastePattern = CheckedIndex(paste, pattern.PastePattern);
  pattern.ClearOnCopy = cbClear1->isChecked() ? 1 : 0;
  pattern.ClearOnPaste = cbClear2->isChecked() ? 1 : 0;
  return result;
}

}  // namespace norumi
