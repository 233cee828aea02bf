// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Form.h"

#include <QKeyEvent>
#include <QLayout>
#include <QUrl>

#include "platform/ExceptionDisplay.h"
#include "platform/Shell.h"
#include "platform/text/WordFileName.h"

namespace norumi {

TForm::TForm(Services& services, QWidget* parent) : QDialog(parent), services_(services) {
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
}

void TForm::Run(const std::function<void()>& handler) {
  RunHandler(services_.dialogs, this, handler);
}

void TForm::FixSize() {
  if (layout()) layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TForm::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_F1 && !services_.helpFile.isEmpty()) {
    // Only a page that is still a regular file is handed on: a browser would wait on a pipe.
    std::error_code error;
    if (!std::filesystem::is_regular_file(ToPath(services_.helpFile), error)) return;
    // The help page has a section for every window, anchored by its help context number.
    QUrl page = QUrl::fromLocalFile(services_.helpFile);
    if (HelpContext != 0) page.setFragment(QString::number(HelpContext));
    services_.shell.Open(page.toString());
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace norumi
