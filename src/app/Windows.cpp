#include "app/Windows.h"

#include "app/WbkMenu.h"
#include "files/WbkDialog.h"
#include "files/WbkDlgOp.h"

namespace norumi {

void CreateWindows(Services& services) {
  frmWBKMenu = new TfrmWBKMenu(services);
  frmWBKDialog = new TfrmWBKDialog(services);
  frmWBKDlgOp = new TfrmWBKDlgOp(services);
}

void DestroyWindows() {
  delete frmWBKDlgOp;
  frmWBKDlgOp = nullptr;
  delete frmWBKDialog;
  frmWBKDialog = nullptr;
  delete frmWBKMenu;
  frmWBKMenu = nullptr;
}

}  // namespace norumi
