// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard window's commands that reach beyond it: saving the line as a file, and the
// registrations in the registry and its home page.
#include <QAction>
#include <QDir>
#include <QFileDialog>

#include "hangul/core/TextForms.h"
#include "hangul/view/KeyboardWindow.h"
#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/text/WordFileName.h"
#include "storage/SafeSave.h"

namespace norumi {

namespace {

// The browser's toolbar button that starts this program.
const QString kToolbarKey = QStringLiteral(
    "\\Software\\Microsoft\\Internet Explorer\\Extensions\\"
    "{5b0e7a42-3c19-4d6e-9a2f-7c41d8e0b613}\\");
const QString kRegisterCaption = QStringLiteral("IEへの登録(&R)");

}  // namespace

void TfrmKeyboard::mmSave10Click() {
  SaveReferences(false);
}

void TfrmKeyboard::mmSave16Click() {
  SaveReferences(true);
}

// Made when first asked for: a file dialog costs more to build than the rest of the window, and
// most runs never save. Once made it stays, so that it opens where the last save went.
QFileDialog& TfrmKeyboard::SaveDialog() {
  if (!SaveDialog1) {
    SaveDialog1 = Named(new QFileDialog(this), "SaveDialog1");
    SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
    SaveDialog1->setFileMode(QFileDialog::AnyFile);
    SaveDialog1->setNameFilter(QStringLiteral("テキストファイル(*.txt)"));
  }
  return *SaveDialog1;
}

void TfrmKeyboard::SaveReferences(bool hexadecimal) {
  if (services_.dialogs.ShowModal(SaveDialog()) != kModalOk) return;
  const QString name = SaveDialog1->selectedFiles().value(0);
  if (name.isEmpty()) return;
  HangulCodes codes;
  Keyboard.GetCodes(codes);
  std::string text = CodesToReferences(codes, hexadecimal);
  if (!text.empty()) text += "\r\n";
  SaveFileReplacing(ToPath(name), text);
  services_.dialogs.MessageBox(
      this, QStringLiteral("保存しました"),
      hexadecimal ? QStringLiteral("16進で保存") : QStringLiteral("10進で保存"),
      MsgIcon::Information);
}

void TfrmKeyboard::IER1Click() {
  IRegistry& registry = services_.registry;
  if (registry.ReadMachineString(kToolbarKey, QStringLiteral("Default Visible")) ==
      QLatin1String("Yes")) {
    registry.DeleteMachineKey(kToolbarKey);
    services_.dialogs.MessageBox(this,
                                 QStringLiteral("Internet Explorerのツールバーから削除しました。"),
                                 QStringLiteral("IEから削除"), MsgIcon::Information);
    IER1->setText(kRegisterCaption);
    return;
  }
  const QString folder = QDir::toNativeSeparators(FromPath(services_.dataFolder));
  const QString prefix = folder.endsWith(QDir::separator()) ? folder : folder + QDir::separator();
  const auto write = [&](const char* name, const QString& text) {
    registry.WriteMachineString(kToolbarKey, QString::fromLatin1(name), text);
  };
  write("Default Visible", QStringLiteral("Yes"));
  write("ButtonText", QStringLiteral("ノルミキーボード"));
  write("CLSID", QStringLiteral("{1FBA04EE-3024-11d2-8F1F-0000F87ABD16}"));
  write("Icon", prefix + QStringLiteral("pmkey.ico"));
  write("HotIcon", prefix + QStringLiteral("pmkey2.ico"));
  write("Exec", services_.executablePath);
  services_.dialogs.MessageBox(this,
                               QStringLiteral("Internet Explorerのツールバーに登録しました。"),
                               QStringLiteral("IEに登録"), MsgIcon::Information);
  IER1->setText(QStringLiteral("IEのツールバーから削除(&R)"));
}

void TfrmKeyboard::U1Click() {
  IRegistry& registry = services_.registry;
  const bool registered = !ReadKeyboardPath(registry).isEmpty();
  if (U1->data().toInt() == 0) {
    if (registered) {
      registry.DeleteMachineKey(kKeyboardKey);
      U1->setText(QStringLiteral("ﾚｼﾞｽﾄﾘ登録(&U)"));
      U1->setData(1);
    }
    services_.dialogs.MessageBox(
        this,
        QStringLiteral("ｱﾝｲﾝｽﾄｰﾙの準備が出来ました。\n"
                       "このプログラムを終了してフォルダごと削除してください。"),
        QStringLiteral("ｱﾝｲﾝｽﾄｰﾙの準備"), MsgIcon::Information);
    return;
  }
  if (!registered) {
    registry.WriteMachineString(kKeyboardKey, QStringLiteral("path"), services_.executablePath);
    U1->setText(QStringLiteral("ｱﾝｲﾝｽﾄｰﾙ準備(&U)"));
    U1->setData(0);
  }
  services_.dialogs.MessageBox(this, QStringLiteral("ﾚｼﾞｽﾄﾘに登録しなおしました。"),
                               QStringLiteral("ﾚｼﾞｽﾄﾘ登録"), MsgIcon::Information);
}

void TfrmKeyboard::mmHomeClick() {
  const auto page = services_.dataFolder / "info.html";
  std::error_code error;
  if (std::filesystem::is_regular_file(page, error))
    services_.shell.Open(QDir::toNativeSeparators(FromPath(page)));
}

}  // namespace norumi
