#include "app/Windows.h"

#include <QApplication>

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

// The order is fixed: the menu first (its creation reads only the registry and files). No window
// reaches the keyboard while it is created, only when it opens.
void CreateWindows(Services& services) {
  Create(frmWBKMenu, services);
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
  Create(frmMelCode, services);
}

void DestroyWindows() {
  Destroy(frmMelCode);
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

void StartWindows(Services& services) {
  CreateWindows(services);
  QObject::connect(frmWBKMenu, &QDialog::finished, qApp, &QApplication::quit);
  frmWBKMenu->show();
}

}  // namespace norumi
