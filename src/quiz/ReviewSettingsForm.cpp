// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/ReviewSettingsForm.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <cmath>

#include "platform/Dialogs.h"
#include "platform/FormParts.h"

namespace norumi {

TfrmReviewSettings* frmReviewSettings = nullptr;

namespace {

int Percent(double share) {
  return static_cast<int>(std::lround(share * 100));
}

}  // namespace

TfrmReviewSettings::TfrmReviewSettings(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmReviewSettings"));
  setWindowTitle(QStringLiteral("復習の設定"));

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
  btOk = Named(new QPushButton(QStringLiteral("OK")), "btOk");
  btCancel = Named(new QPushButton(QStringLiteral("キャンセル")), "btCancel");
  btOk->setDefault(true);

  auto* fields = new QGridLayout;
  fields->addWidget(Label1, 0, 0);
  fields->addWidget(spNewPerDay, 0, 1);
  fields->addWidget(Label2, 1, 0);
  fields->addWidget(spRetention, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btOk);
  buttons->addWidget(btCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(lbHint);
  layout->addLayout(buttons);
  setMinimumWidth(340);
  FixSize();

  Handle(btOk, &QPushButton::clicked, &TfrmReviewSettings::btOkClick);
  Handle(btCancel, &QPushButton::clicked, &TfrmReviewSettings::btCancelClick);
}

bool TfrmReviewSettings::Edit(ReviewSettings& settings) {
  spNewPerDay->setValue(settings.newPerDay);
  spRetention->setValue(Percent(settings.scheduler.desiredRetention));
  spNewPerDay->setFocus();
  spNewPerDay->selectAll();
  if (services_.dialogs.ShowModal(*this) != kModalOk) return false;
  settings.newPerDay = spNewPerDay->value();
  settings.scheduler.desiredRetention = spRetention->value() / 100.0;
  return true;
}

void TfrmReviewSettings::btOkClick() {
  done(kModalOk);
}

void TfrmReviewSettings::btCancelClick() {
  done(kModalCancel);
}

}  // namespace norumi
