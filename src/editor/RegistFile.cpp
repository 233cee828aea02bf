// SPDX-License-Identifier: GPL-3.0-or-later
// The word editor's word file: opening it under its lock, or for browsing only when it cannot
// be written, and writing it back.
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScopeGuard>

#include "editor/EditSteps.h"
#include "editor/Regist.h"
#include "hangul/view/KeyboardWindow.h"
#include "hangul/view/PronunciationLine.h"
#include "model/WordFileUpdate.h"
#include "platform/BusyWork.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionDisplay.h"
#include "platform/Registry.h"
#include "platform/text/Cp932.h"
#include "platform/text/WordFileName.h"
#include "storage/FileErrors.h"
#include "storage/SafeSave.h"

namespace norumi {

namespace {

// How this window names itself in the lock file, for another copy of the program to show.
constexpr std::string_view kLockWindow = "単語登録";

const QString kBrowseOnly = QStringLiteral(
    "%1\nこの単語ファイルは読み取り専用で開きます。閲覧だけができ、変更は保存されません。");

}  // namespace

int TfrmRegist::OpenFile(const std::filesystem::path& file) {
  if (!LoadWordFile(file)) return kModalCancel;
  SetCaptions(QStringLiteral("Norumi! > 単語登録 > "));
  lnPronounce->Follow(*frmKeyboard, imMoji);
  frmKeyboard->AttachImage(imMoji);
  const bool locked = IsLocked();
  const bool unsaved = !savePath_;
  btNorumi->setVisible(!ReadKeyboardPath(services_.registry).isEmpty() && !locked);
  // Nothing changed in a file that is not saved is kept, so nothing is offered that would seem
  // to change it; issuing a code only reads.
  btOption->setVisible(teachMode && !unsaved);
  btMagCode->setVisible(teachMode);
  btRegist->setVisible(!locked);
  edJapan->setReadOnly(locked);
  for (QWidget* w : {static_cast<QWidget*>(edNo), static_cast<QWidget*>(btJump),
                     static_cast<QWidget*>(btHanguel), static_cast<QWidget*>(btRight),
                     static_cast<QWidget*>(btLeft)})
    w->show();
  btDelete->setVisible(!unsaved);
  E1->menuAction()->setVisible(true);
  T1->setVisible(!locked);

  CurrentIndex = WordList->Count();
  ShowEntry(CurrentIndex);
  editing_ = true;
  const int result = services_.dialogs.ShowModal(*this);
  editing_ = false;
  writer_.WaitBlocking();  // the closing waited already; the lock is held until the file is written
  savePath_.reset();
  fileLock_.reset();
  return result;
}

bool TfrmRegist::LoadWordFile(const std::filesystem::path& opened) {
  const std::filesystem::path file = SaveTargetOf(opened);
  // A fresh list for every file: a missing or damaged file must not leave another file's
  // words, header or histories behind to be shown or saved under this title.
  ownList_ = std::make_unique<TTangoList>();
  WordList = ownList_.get();
  savePath_.reset();
  fileLock_.reset();
  // A file that cannot be written is still worth reading: it opens for browsing, and without
  // the lock, as a reader keeps nobody from writing.
  std::optional<QString> browseOnly;
  std::unique_ptr<WordFileLock> lock;
  if (const std::optional<FileCause> cause = WriteObstacle(file)) {
    browseOnly = ExceptionMessage(EFCreateError(file, *cause));
  } else {
    // Another program may keep the file as long as it likes: the window never waits for it.
    try {
      if (!RetryWhileLocked(services_.dialogs, this, [&] {
            lock = std::make_unique<WordFileLock>(file, kWindowLockWait, kLockWindow);
          }))
        return false;
    } catch (const EFCreateError& e) {
      browseOnly = ExceptionMessage(e);
    }
  }
  const LoadStatus status = WordList->LoadFromFile(file);
  if (status == LoadStatus::Missing)
    WordList->Title = ToCp932(FromPath(file.stem())).value_or(std::string());
  if (IsDamaged(status)) {
    services_.dialogs.MessageBox(this, ExceptionMessage(EFDamagedError(file)), kApplicationTitle,
                                 MsgIcon::Stop);
  } else if (browseOnly) {
    services_.dialogs.MessageBox(this, kBrowseOnly.arg(*browseOnly), kApplicationTitle,
                                 MsgIcon::Information);
  } else {
    savePath_ = file;
    fileLock_ = std::move(lock);
  }
  return true;
}

void TfrmRegist::SaveWordFile() {
  if (!savePath_) return;
  const std::filesystem::path path = *savePath_;
  const int added = SaveUnderLock(
      fileLock_, *ownList_, path, [&] { WriteWordFile(path); }, kWindowLockWait, kLockWindow);
  if (added < 0) return;
  // Another writer saved while the lock was gone: its words are kept beside this window's.
  services_.dialogs.MessageBox(this, RelockedMessage(path, added), kApplicationTitle,
                               MsgIcon::Information);
  ShowEntry(CurrentIndex);
}

void TfrmRegist::WriteWordFile(const std::filesystem::path& path) {
  // The bytes are made here, where the list changes; only the writing leaves this thread.
  ByteWriter bytes = writer_.TakeSpare();
  ownList_->SaveKeepingEmpty(bytes);
  // Once a write runs behind the window, every later one queues after it, so none overtakes.
  const bool behind = writer_.Busy() || bytes.Written().size() >= writeBehindFrom;
  writer_.Submit(path, std::move(bytes));
  if (behind) return;
  writer_.WaitBlocking();
  if (const std::exception_ptr failure = writer_.TakeFailure()) std::rethrow_exception(failure);
}

void TfrmRegist::WriteEnded() {
  if (finishing_) return;
  if (const std::exception_ptr failure = writer_.TakeFailure())
    Run([&] { std::rethrow_exception(failure); });
}

void TfrmRegist::FinishWrites() {
  if (writer_.Busy()) {
    finishing_ = true;
    const auto finished = qScopeGuard([this] { finishing_ = false; });
    RunWhileBusy(*this, kApplicationTitle, QStringLiteral("単語ファイルを保存しています…"),
                 [this] { writer_.WaitBlocking(); });
  }
  if (const std::exception_ptr failure = writer_.TakeFailure()) std::rethrow_exception(failure);
}

bool TfrmRegist::IsLocked() const {
  return !savePath_ || (WordList->ReadOnly && !teachMode);
}

}  // namespace norumi
