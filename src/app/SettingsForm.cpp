// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SettingsForm.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <cmath>

#include "platform/Dialogs.h"
#include "platform/FormParts.h"

namespace norumi {

TfrmSettings* frmSettings = nullptr;

namespace {

int Percent(double share) {
  return static_cast<int>(std::lround(share * 100));
}

}  // namespace

TfrmSettings::TfrmSettings(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmSettings"));
  setWindowTitle(QStringLiteral("設定"));

  gbReview = Named(new QGroupBox(QStringLiteral("今日の復習")), "gbReview");
  Label1 = Named(new QLabel(QStringLiteral("1日に出す新しい単語")), "Label1");
  spNewPerDay = Named(new QSpinBox, "spNewPerDay");
  spNewPerDay->setRange(0, ReviewSettings::kMaxNewPerDay);
  spNewPerDay->setSuffix(QStringLiteral(" 語"));
  Label1->setBuddy(spNewPerDay);
  Label2 = Named(new QLabel(QStringLiteral("覚えている確率の目標")), "Label2");
  spRetention = Named(new QSpinBox, "spRetention");
  spRetention->setRange(Percent(review::FsrsParameters::kMinRetention),
                        Percent(review::FsrsParameters::kMaxRetention));
  spRetention->setSuffix(QStringLiteral(" %"));
  Label2->setBuddy(spRetention);
  lbHint = Named(new QLabel(QStringLiteral(
                     "目標を高くすると、単語は早めに戻ってきて、毎日の復習が増えます。")),
                 "lbHint");
  lbHint->setWordWrap(true);
  gbPronunciation = Named(new QGroupBox(QStringLiteral("発音")), "gbPronunciation");
  cbPronunciation = Named(
      new QCheckBox(QStringLiteral("単語の下に発音 (ハングル・ローマ字・カタカナ) を表示する")),
      "cbPronunciation");
  btOk = Named(new QPushButton(QStringLiteral("OK")), "btOk");
  btCancel = Named(new QPushButton(QStringLiteral("キャンセル")), "btCancel");
  btOk->setDefault(true);

  auto* review = new QGridLayout(gbReview);
  review->addWidget(Label1, 0, 0);
  review->addWidget(spNewPerDay, 0, 1);
  review->addWidget(Label2, 1, 0);
  review->addWidget(spRetention, 1, 1);
  review->addWidget(lbHint, 2, 0, 1, 2);
  auto* pronunciation = new QVBoxLayout(gbPronunciation);
  pronunciation->addWidget(cbPronunciation);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btOk);
  buttons->addWidget(btCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(gbReview);
  layout->addWidget(gbPronunciation);
  layout->addLayout(buttons);
  setMinimumWidth(360);
  FixSize();

  Handle(btOk, &QPushButton::clicked, &TfrmSettings::btOkClick);
  Handle(btCancel, &QPushButton::clicked, &TfrmSettings::btCancelClick);
}

bool TfrmSettings::Edit(ProgramSettings& settings) {
  spNewPerDay->setValue(settings.review.newPerDay);
  spRetention->setValue(Percent(settings.review.scheduler.desiredRetention));
  cbPronunciation->setChecked(settings.pronunciationShown);
  spNewPerDay->setFocus();
  spNewPerDay->selectAll();
  if (services_.dialogs.ShowModal(*this) != kModalOk) return false;
  settings.review.newPerDay = spNewPerDay->value();
  settings.review.scheduler.desiredRetention = spRetention->value() / 100.0;
  settings.pronunciationShown = cbPronunciation->isChecked();
  return true;
}

void TfrmSettings::btOkClick() {
  done(kModalOk);
}

void TfrmSettings::btCancelClick() {
  done(kModalCancel);
}

}  // namespace norumi
