// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/view/PronunciationLine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>

#include "hangul/core/Jamo.h"
#include "hangul/core/Pronunciation.h"
#include "hangul/view/Drawing.h"
#include "hangul/view/Image.h"
#include "hangul/view/KeyboardWindow.h"
#include "platform/FormParts.h"
#include "platform/Registry.h"

namespace norumi {

namespace {

const QString kShownName = QStringLiteral("pronunciationLine");
constexpr int kCell = 24;
// A syllable's picture is 18 pixels high at the top of its cell: the line needs no more.
constexpr int kHeight = 20;
constexpr int kMostCells = 19;  // as many as the word's own line holds

bool HasSyllable(const HangulCodes& codes) {
  return std::any_of(codes.begin(), codes.end(), jamo::IsSyllable);
}

}  // namespace

bool PronunciationShown(IRegistry& registry) {
  return registry.ReadMachineString(kProgramKey, kShownName) != QStringLiteral("0");
}

void SetPronunciationShown(IRegistry& registry, bool shown) {
  registry.WriteMachineString(kProgramKey, kShownName,
                              shown ? QStringLiteral("1") : QStringLiteral("0"));
}

TPronunciationLine::TPronunciationLine(IRegistry& registry, QWidget* parent)
    : QWidget(parent), registry_(registry) {
  setObjectName(QStringLiteral("lnPronounce"));
  lbOpen = Named(new QLabel(QStringLiteral("["), this), "lbOpen");
  imPronounce = Named(new TImage(this), "imPronounce");
  imPronounce->setAccessibleDescription(QStringLiteral("発音"));
  lbClose = Named(new QLabel(QStringLiteral("]"), this), "lbClose");
  lbReading = PlainLabel("lbReading");
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(lbOpen);
  layout->addWidget(imPronounce);
  layout->addWidget(lbClose);
  layout->addSpacing(8);
  layout->addWidget(lbReading);
  layout->addStretch();
  setFixedHeight(kHeight);
  ShowWord(nullptr);
}

void TPronunciationLine::ShowWord(const HangulCodes* word) {
  const bool shown = word && shown_ && HasSyllable(*word);
  for (QWidget* part : {static_cast<QWidget*>(lbOpen), static_cast<QWidget*>(imPronounce),
                        static_cast<QWidget*>(lbClose), static_cast<QWidget*>(lbReading)})
    part->setVisible(shown);
  if (!shown) {
    lbReading->clear();
    setAccessibleName(QString());
    return;
  }
  const SaidForms said = PronunciationOf(*word);
  const int cells = std::min<int>(int(said.hangul.size()), kMostCells);
  imPronounce->setFixedSize(cells * kCell, kHeight);
  imPronounce->SetPicture(
      DrawCodes(&said.hangul, imPronounce->size(), imPronounce->devicePixelRatioF()),
      DrawnText(&said.hangul));
  const QString roman = QString::fromStdString(said.roman);
  const QString katakana = QString::fromStdString(said.katakana);
  lbReading->setText(roman + QStringLiteral("　") + katakana);
  spoken_ = QStringLiteral("発音 %1 %2 %3").arg(imPronounce->accessibleName(), roman, katakana);
  setAccessibleName(spoken_);
}

void TPronunciationLine::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  shown_ = PronunciationShown(registry_);
}

void TPronunciationLine::Follow(TfrmKeyboard& keyboard, TImage* image) {
  disconnect(following_);
  following_ = connect(&keyboard, &TfrmKeyboard::Drawn, this,
                       [this, image](TImage* target, const HangulCodes* codes) {
                         if (target == image) ShowWord(codes);
                       });
}

QString TPronunciationLine::Spoken() const {
  return lbReading->isHidden() ? QString() : spoken_;
}

}  // namespace norumi
