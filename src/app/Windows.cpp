// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Windows.h"

#include <QApplication>
#include <QTimer>
#include <functional>

#include "platform/DesktopServices.h"

#include "app/SettingsForm.h"
#include "app/WbkMenu.h"
#include "editor/MelCode.h"
#include "editor/Regist.h"
#include "editor/TangoOp.h"
#include "files/WbkDialog.h"
#include "files/WbkDlgOp.h"
#include "hangul/view/KeyboardWindow.h"
#include "hangul/view/PatternDialog.h"
#include "quiz/Jap2Kor.h"
#include "quiz/Kor2Jap.h"
#include "quiz/ReviewResults.h"
#include "quiz/Seiseki.h"
#include "quiz/Setsumei.h"

namespace norumi {

namespace {

template <typename Window>
void Create(Window*& global, Services& services) {
  global = new Window(services);
}

template <typename Window>
void Destroy(Window*& global) {
  delete global;
  global = nullptr;
}

}  // namespace

namespace {

// After the menu: created in this fixed order. No window reaches the keyboard while it is
// created, only when it opens.
void CreateOtherWindows(Services& services) {
  Create(frmWBKDialog, services);
  Create(frmRegist, services);
  Create(frmKeyboard, services);
  Create(frmPattern, services);
  Create(frmTangoOp, services);
  Create(frmWBKDlgOp, services);
  Create(frmKor2Jap, services);
  Create(frmWBKSetsumei, services);
  Create(frmJap2Kor, services);
  Create(frmSeiseki, services);
  Create(frmReviewResults, services);
  Create(frmSettings, services);
  Create(frmMelCode, services);
}

// Runs `then` once, as soon as the event loop is free after `window` is first painted.
class AfterFirstPaint : public QObject {
 public:
  AfterFirstPaint(QWidget* window, std::function<void()> then)
      : QObject(window), then_(std::move(then)) {
    window->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      watched->removeEventFilter(this);
      QTimer::singleShot(0, this, [this] {
        then_();
        deleteLater();
      });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> then_;
};

}  // namespace

// The order is fixed: the menu first (its creation reads only the registry and files).
void CreateWindows(Services& services) {
  Create(frmWBKMenu, services);
  CreateOtherWindows(services);
}

void DestroyWindows() {
  Destroy(frmMelCode);
  Destroy(frmSettings);
  Destroy(frmReviewResults);
  Destroy(frmSeiseki);
  Destroy(frmJap2Kor);
  Destroy(frmWBKSetsumei);
  Destroy(frmKor2Jap);
  Destroy(frmWBKDlgOp);
  Destroy(frmTangoOp);
  Destroy(frmPattern);
  Destroy(frmKeyboard);
  Destroy(frmRegist);
  Destroy(frmWBKDialog);
  Destroy(frmWBKMenu);
}

void StartWindows(Services& services, std::function<void()> afterPainted) {
  Create(frmWBKMenu, services);
  QObject::connect(frmWBKMenu, &QDialog::finished, qApp, &QApplication::quit);
  frmWBKMenu->show();
  // Every other window is reached from the menu, and nothing reaches the menu before it is on
  // the screen: they are created once it is, before the first click can be taken.
  new AfterFirstPaint(frmWBKMenu, [&services, then = std::move(afterPainted)] {
    CreateOtherWindows(services);
    // The review's count reads its record and a word file or two: after the menu is seen.
    frmWBKMenu->RefreshReview();
    if (then) then();
  });
}

void StartProgram(DesktopServices& desktop) {
  StartWindows(desktop.services, [&desktop] {
    // The keyboard program beside this one is offered in the quiz and the editor.
    RegisterKeyboardProgram(desktop.registry,
                            KeyboardProgramIn(QApplication::applicationDirPath()));
    UseProgramIcon();
  });
}

}  // namespace norumi
