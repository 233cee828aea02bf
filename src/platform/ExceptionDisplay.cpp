// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ExceptionDisplay.h"

#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "platform/text/ShownControls.h"
#include "storage/FileErrors.h"
#include "storage/SafeSave.h"

namespace norumi {

namespace {

// Why a file could not be written, in the words of the cause rather than of the file.
QString CreateMessage(const EFileError& e) {
  const QString path = ShownPath(e.Path());
  const QString folder = ShownPath(FolderOf(e.Path()));
  switch (e.Cause()) {
    case FileCause::FolderReadOnly:
      return QStringLiteral(
                 "フォルダ %1 には書き込めません（読み取り専用か、書き込む権限が"
                 "ありません）。")
          .arg(folder);
    case FileCause::FileReadOnly:
      return QStringLiteral("ファイル %1 は読み取り専用です。").arg(path);
    case FileCause::DiskFull:
      return QStringLiteral(
                 "ディスクがいっぱいで、ファイル %1 を保存できません。"
                 "空きを作ってからやり直してください。")
          .arg(path);
    case FileCause::NameTooLong:
      return QStringLiteral("ファイル名 %1 はこのファイルシステムには長すぎます。")
          .arg(ShownPath(e.Path().filename()));
    case FileCause::NotAFile:
      return QStringLiteral("%1 はふつうのファイルではありません。").arg(path);
    case FileCause::OwnedByOther:
      return QStringLiteral(
                 "ファイル %1 はほかのユーザーのものです。フォルダ %2 では、ファイルを置き換え"
                 "られるのは持ち主だけです。")
          .arg(path, folder);
    case FileCause::Unknown:
      break;
  }
  return QStringLiteral("ファイル %1 を作成できません。").arg(path);
}

QString LockMessage(const EFLockError& e, const QString& advice) {
  return QStringLiteral("単語ファイル %1 は%2が使用中です。%3")
      .arg(ShownPath(e.Path()), LockHolderText(e.Holder()), advice);
}

}  // namespace

QString LockHolderText(const LockHolder& holder) {
  // The record is written by whoever holds the lock: its names are shown, never obeyed.
  if (holder.program.empty() && holder.process == 0 && holder.window.empty())
    return QStringLiteral("別のプログラム");
  QString text = holder.program.empty() ? QStringLiteral("別のプログラム")
                                        : ShowControls(QString::fromUtf8(holder.program));
  if (holder.process > 0) text += QStringLiteral("（プロセス %1）").arg(holder.process);
  if (!holder.window.empty())
    text += QStringLiteral("の「%1」").arg(ShowControls(QString::fromUtf8(holder.window)));
  return text;
}

QString ExceptionMessage(const std::exception& error) {
  if (const auto* e = dynamic_cast<const EFileError*>(&error)) {
    if (dynamic_cast<const EFDamagedError*>(e))
      return QStringLiteral(
                 "単語ファイル %1 は壊れています。失われた単語を上書きしないよう、"
                 "このファイルには書き込みません。")
          .arg(ShownPath(e->Path()));
    if (const auto* lock = dynamic_cast<const EFLockError*>(e))
      return LockMessage(*lock, QStringLiteral("しばらく待ってからやり直してください。"));
    if (dynamic_cast<const EFLockFileError*>(e) && e->Cause() == FileCause::OwnedByOther)
      return QStringLiteral(
                 "ロックファイル %1 はほかのユーザーのもので、開くことができないため、単語ファイル"
                 "に書き込めません。")
          .arg(ShownPath(e->Path()));
    if (dynamic_cast<const EFLockFileError*>(e))
      return QStringLiteral(
                 "ロックファイル %1 がふつうのファイルではないため、単語ファイルに"
                 "書き込めません。")
          .arg(ShownPath(e->Path()));
    if (dynamic_cast<const EFCreateError*>(e)) return CreateMessage(*e);
    return QStringLiteral("ファイル %1 を開けません。").arg(ShownPath(e->Path()));
  }
  if (dynamic_cast<const std::bad_alloc*>(&error)) return QStringLiteral("メモリが足りません。");
  return QStringLiteral("エラーが発生しました: %1")
      .arg(ShowControls(QString::fromLocal8Bit(error.what())));
}

void RunHandler(IDialogs& dialogs, QWidget* parent, const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::exception& error) {
    dialogs.MessageBox(parent, ExceptionMessage(error), kApplicationTitle, MsgIcon::Stop);
  }
}

bool RetryWhileLocked(IDialogs& dialogs, QWidget* parent, const std::function<void()>& attempt) {
  for (;;) {
    try {
      attempt();
      return true;
    } catch (const EFLockError& error) {
      const QString text = LockMessage(
          error, QStringLiteral("使い終わるのを待って「再試行」を押すか、「キャンセル」で"
                                "やめてください。"));
      if (dialogs.MessageBox(parent, text, kApplicationTitle, MsgIcon::Stop,
                             MsgButtons::RetryCancel) != MsgAnswer::Retry)
        return false;
    }
  }
}

QString RelockedMessage(const std::filesystem::path& wordFile, int added) {
  return QStringLiteral(
             "単語ファイル %1 のロックファイルがほかのプログラムに消されていたため、単語ファイルを"
             "読み直しました。その間に保存された単語%2語を加えて保存しました。")
      .arg(ShownPath(wordFile))
      .arg(added);
}

}  // namespace norumi
