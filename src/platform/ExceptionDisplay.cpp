#include "platform/ExceptionDisplay.h"

#include <QDir>

#include "model/FileErrors.h"
#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "platform/text/WordFileName.h"

namespace norumi {

QString ExceptionMessage(const std::exception& error) {
  if (const auto* e = dynamic_cast<const EFileError*>(&error)) {
    const QString path = QDir::toNativeSeparators(FromPath(e->Path()));
    if (dynamic_cast<const EFDamagedError*>(e))
      return QStringLiteral(
                 "単語ファイル %1 は壊れています。失われた単語を上書きしないよう、"
                 "このファイルには書き込みません。")
          .arg(path);
    if (dynamic_cast<const EFLockError*>(e))
      return QStringLiteral(
                 "単語ファイル %1 は他のプログラムが書き込み中です。"
                 "しばらく待ってからやり直してください。")
          .arg(path);
    if (dynamic_cast<const EFCreateError*>(e))
      return QStringLiteral("ファイル %1 を作成できません。").arg(path);
    return QStringLiteral("ファイル %1 を開けません。").arg(path);
  }
  if (dynamic_cast<const std::bad_alloc*>(&error)) return QStringLiteral("メモリが足りません。");
  return QStringLiteral("エラーが発生しました: %1").arg(QString::fromLocal8Bit(error.what()));
}

void RunHandler(IDialogs& dialogs, QWidget* parent, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    dialogs.MessageBox(parent, ExceptionMessage(error), kApplicationTitle, MsgIcon::Stop);
  }
}

}  // namespace norumi
