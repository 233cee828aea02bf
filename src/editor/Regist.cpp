// SPDX-License-Identifier: GPL-3.0-or-later
#include "editor/Regist.h"

#include <QAction>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>

#include "editor/EditSteps.h"
#include "editor/MelCode.h"
#include "editor/TangoOp.h"
#include "hangul/view/Image.h"
#include "hangul/view/KeyboardWindow.h"
#include "hangul/view/PronunciationLine.h"
#include "model/MailCode.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionDisplay.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Speech.h"
#include "platform/text/Cp932.h"
#include "platform/text/ShownControls.h"

namespace norumi {

TfrmRegist* frmRegist = nullptr;

namespace {

const QString kChanged = QStringLiteral("変更されていますがよろしいですか？");
const QString kIssueCaption = QStringLiteral("メルマガコードの発行");
const QString kNotSaved = QStringLiteral(
    "単語ファイルを保存できませんでした。\n%1\n"
    "「再試行」でもう一度保存します。「破棄」で保存せずに閉じると、保存されていない変更は"
    "失われます。「キャンセル」で単語登録に戻ります。");

bool IsCtrlV(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<const QKeyEvent*>(event);
  return key->key() == Qt::Key_V && key->modifiers().testFlag(Qt::ControlModifier);
}

}  // namespace

TfrmRegist::TfrmRegist(Services& services, WordFileWriter::Write write)
    : TForm(services),
      WordList(nullptr),
      ownList_(std::make_unique<TTangoList>()),
      writer_(std::move(write)) {
  setObjectName(QStringLiteral("frmRegist"));
  setWindowTitle(QStringLiteral("Norumi! > 単語登録 > "));
  HelpContext = 20;
  WordList = ownList_.get();
  BuildControls();
  BuildMenu();
  ConnectHandlers();
}

TfrmRegist::~TfrmRegist() = default;

void TfrmRegist::SetCaptions(const QString& windowPrefix) {
  const QString title = ShowControls(FromCp932(WordList->Title));
  lbTanName->setText(title);
  setWindowTitle(windowPrefix + title);
}

int TfrmRegist::ShowDisplayOnly(TTangoList& list, const TTango& entry) {
  WordList = &list;
  SetCaptions(QStringLiteral("Norumi! > 単語 > "));
  lnPronounce->Follow(*frmKeyboard, imMoji);
  frmKeyboard->AttachImage(imMoji);
  for (QWidget* w : std::initializer_list<QWidget*>{btOption, btMagCode, btRegist, btNorumi, btLeft,
                                                    btRight, edNo, btJump, btDelete, btHanguel})
    w->hide();
  E1->menuAction()->setVisible(false);
  T1->setVisible(false);
  edJapan->setReadOnly(true);
  ShowTango(entry);
  Modified = false;
  const int result = services_.dialogs.ShowModal(*this);
  WordList = ownList_.get();
  return result;
}

void TfrmRegist::ShowEntry(int32_t n) {
  edNo->setText(QString::number(n));
  const int count = WordList->Count();
  ShowTango(n < count ? WordList->Tango(n) : WordList->AddNew());
  btLeft->setEnabled(n != 0);
  // A locked file cannot grow: "＞" stops on the first empty entry after the last word.
  btRight->setEnabled(btRegist->isHidden() ? n < count : true);
  Modified = false;
}

void TfrmRegist::ShowTango(const TTango& entry) {
  frmKeyboard->Keyboard.Clear();
  frmKeyboard->Keyboard.Codes = entry.Hangul;
  frmKeyboard->DrawCodes(&entry.Hangul);
  edJapan->setText(FromCp932(entry.Japan));
}

void TfrmRegist::StoreEntry(int32_t i) {
  if (i < 0 || i >= WordList->Count()) return;
  TTango& entry = WordList->Tango(i);
  HangulCodes composed;
  frmKeyboard->Keyboard.GetCodes(composed);
  entry.Hangul = RegisteredCodes(composed);
  entry.Japan = ToCp932(edJapan->text()).value_or(entry.Japan);
  Modified = false;
}

void TfrmRegist::edJapanChange() {
  Modified = true;
}

bool TfrmRegist::MayLeaveEntry(const QString& caption) {
  return !Modified || services_.dialogs.MessageBox(this, kChanged, caption, MsgIcon::Information,
                                                   MsgButtons::YesNo) != MsgAnswer::No;
}

void TfrmRegist::MoveTo(int32_t n, const QString& caption) {
  if (!MayLeaveEntry(caption)) return;
  CurrentIndex = n;
  ShowEntry(n);
}

void TfrmRegist::btLeftClick() {
  if (CurrentIndex > 0) MoveTo(CurrentIndex - 1, QStringLiteral("データ移動"));
}

void TfrmRegist::btRightClick() {
  MoveTo(CurrentIndex + 1, QStringLiteral("データ移動"));
}

void TfrmRegist::btJumpClick() {
  const int32_t n = ParseJumpIndex(edNo->text());
  if (n < 0 || n > WordList->Count()) {
    services_.dialogs.MessageBox(this, QStringLiteral("データが範囲外です。"),
                                 QStringLiteral("ジャンプ"), MsgIcon::Stop);
    return;
  }
  MoveTo(n, QStringLiteral("ジャンプ"));
}

void TfrmRegist::btRegistClick() {
  StoreEntry(CurrentIndex);
  SaveWordFile();
}

void TfrmRegist::btDeleteClick() {
  if (services_.dialogs.MessageBox(this, QStringLiteral("データを削除しますか？"),
                                   QStringLiteral("データ削除"), MsgIcon::Information,
                                   MsgButtons::YesNo) == MsgAnswer::No)
    return;
  if (CurrentIndex < WordList->Count()) WordList->DeleteAt(CurrentIndex);
  ShowEntry(CurrentIndex);
  SaveWordFile();
}

void TfrmRegist::btHanguelClick() {
  if (frmKeyboard->Paste(this)) Modified = true;
  if (!btRegist->isHidden()) btRegist->setFocus();
}

void TfrmRegist::btNorumiClick() {
  // An empty name would make the shell open whatever it takes that for.
  const QString path = ReadKeyboardPath(services_.registry);
  if (!path.isEmpty()) services_.shell.Open(path);
}

void TfrmRegist::btOptionClick() {
  if (CurrentIndex < 0 || CurrentIndex >= WordList->Count()) return;
  TTango& entry = WordList->Tango(CurrentIndex);
  frmTangoOp->mmSetsumei->setPlainText(MemoText(FromCp932(entry.Setsumei)));
  frmTangoOp->edUrl->setText(FromCp932(entry.Url));
  hide();
  const int result = services_.dialogs.ShowModal(*frmTangoOp);
  if (result == kModalOk) {
    entry.Setsumei =
        ToCp932(StoredText(frmTangoOp->mmSetsumei->toPlainText())).value_or(entry.Setsumei);
    entry.Url = ToCp932(frmTangoOp->edUrl->text()).value_or(entry.Url);
  }
  show();
  if (result == kModalOk) SaveWordFile();
}

void TfrmRegist::btMagCodeClick() {
  if (CurrentIndex < 0 || CurrentIndex >= WordList->Count()) return;
  TTango& entry = WordList->Tango(CurrentIndex);
  entry.DisplayOnly = services_.dialogs.MessageBox(
                          this, QStringLiteral("単語の表示だけにしますか？"), kIssueCaption,
                          MsgIcon::Information, MsgButtons::YesNo) == MsgAnswer::Yes;
  TextLines lines;
  if (WriteIssuedCode(*WordList, entry, lines) != kMailCodeOk) {
    // Only Hangul, spaces and the like fit in a code; a pasted character beyond them does not.
    services_.dialogs.MessageBox(this, QStringLiteral("この単語はメルマガコードにできません。"),
                                 kIssueCaption, MsgIcon::Stop);
    return;
  }
  frmMelCode->SetLines(lines);
  services_.dialogs.ShowModal(*frmMelCode);
}

void TfrmRegist::btCloseClick() {
  done(kModalOk);
}

void TfrmRegist::done(int result) {
  if (importing_) return;
  if (editing_ && !MayClose()) return;
  TForm::done(result);
}

bool TfrmRegist::MayClose() {
  if (!MayLeaveEntry(QStringLiteral("閉じる"))) return false;
  // The window is still open: a save that fails loses nothing until the user says so.
  for (;;) {
    try {
      SaveWordFile();
      FinishWrites();
      return true;
    } catch (const std::exception& error) {
      const MsgAnswer answer = services_.dialogs.MessageBox(
          this, kNotSaved.arg(ExceptionMessage(error)), kApplicationTitle, MsgIcon::Stop,
          MsgButtons::RetryDiscardCancel);
      if (answer == MsgAnswer::Discard) return true;
      if (answer != MsgAnswer::Retry) return false;
    }
  }
}

void TfrmRegist::P2Click() {
  frmKeyboard->mmPropClick(this);
}

void TfrmRegist::showEvent(QShowEvent* event) {
  TForm::showEvent(event);
  btSpeak->setVisible(CanSpeak(services_));
}

void TfrmRegist::btSpeakClick() {
  HangulCodes codes;
  frmKeyboard->Keyboard.GetCodes(codes);
  Speak(services_, codes);
}

void TfrmRegist::keyPressEvent(QKeyEvent* event) {
  // Escape is "閉じる", never a close that skips the question and the save.
  if (event->matches(QKeySequence::Cancel)) {
    Run([this] { btCloseClick(); });
    return;
  }
  // Reaches the window only from controls that take no text: the Korean word is the one thing
  // to paste into then.
  if (IsCtrlV(event) && !btHanguel->isHidden()) Run([this] { btHanguelClick(); });
  if (event->key() == Qt::Key_F5 && event->modifiers() == Qt::NoModifier && !btSpeak->isHidden()) {
    Run([this] { btSpeakClick(); });
    return;
  }
  TForm::keyPressEvent(event);
}

bool TfrmRegist::eventFilter(QObject* watched, QEvent* event) {
  // Ctrl+V in a text field pastes text into that field alone. A read-only field takes nothing,
  // and the key must not go on to the window and paste into the Korean word instead.
  auto* edit = qobject_cast<QLineEdit*>(watched);
  if (edit && (edit == edJapan || edit == edNo) && IsCtrlV(event)) return edit->isReadOnly();
  return TForm::eventFilter(watched, event);
}

}  // namespace norumi
