// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/Setsumei.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <QVBoxLayout>
#include <functional>
#include <utility>

#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/Shell.h"
#include "platform/Spoken.h"
#include "platform/text/ShownControls.h"

namespace norumi {

TfrmWBKSetsumei* frmWBKSetsumei = nullptr;

namespace {

// Reports a left-button click on a label; a press dragged off the label is no click.
class ClickFilter : public QObject {
 public:
  ClickFilter(QWidget* label, std::function<void()> onClick)
      : QObject(label), onClick_(std::move(onClick)) {
    label->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonRelease) {
      const auto* mouse = static_cast<QMouseEvent*>(event);
      const auto* label = static_cast<QWidget*>(watched);
      if (mouse->button() == Qt::LeftButton && label->rect().contains(mouse->position().toPoint()))
        onClick_();
    }
    return false;
  }

 private:
  std::function<void()> onClick_;
};

}  // namespace

TfrmWBKSetsumei::TfrmWBKSetsumei(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmWBKSetsumei"));
  setWindowTitle(QStringLiteral("解説"));

  // Both texts come from a word file: shown as they are, never as markup.
  lbSetsumei = PlainLabel("lbSetsumei");
  lbSetsumei->setWordWrap(true);
  lbSetsumei->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  lbSetsumei->setFixedSize(377, 137);
  lbUrl = PlainLabel("lbUrl");
  lbUrl->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
  lbUrl->setCursor(Qt::PointingHandCursor);
  lbUrl->setFixedWidth(377);
  new ClickFilter(lbUrl, [this] { Run([this] { lbUrlClick(); }); });
  btClose = Named(new QPushButton(QStringLiteral("閉じる")), "btClose");

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lbSetsumei);
  layout->addWidget(lbUrl);
  layout->addWidget(btClose, 0, Qt::AlignRight);
  FixSize();

  Handle(btClose, &QPushButton::clicked, &TfrmWBKSetsumei::btCloseClick);
}

void TfrmWBKSetsumei::ShowTexts(const QString& explanation, const QString& url) {
  lbSetsumei->setText(ShowControlsInLines(explanation));
  lbUrl->setText(ShowControls(url));
  url_ = url;
  // The window opens on its button: what it explains is heard there.
  Describe(*btClose, QStringList({lbSetsumei->text(), lbUrl->text()}).join(u'\n').trimmed());
}

void TfrmWBKSetsumei::btCloseClick() {
  done(kModalOk);
}

void TfrmWBKSetsumei::lbUrlClick() {
  // A word file is shared: its address may open a web page, never a program or a local file.
  OpenWebAddress(services_.shell, services_.dialogs, this, url_);
}

}  // namespace norumi
