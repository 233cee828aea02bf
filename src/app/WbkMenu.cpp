// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/WbkMenu.h"

#include <QApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScopeGuard>

#include "app/MailCodeInput.h"
#include "app/MailCodeMemo.h"
#include "editor/Regist.h"
#include "files/WbkDialog.h"
#include "files/WordFolder.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionDisplay.h"
#include "platform/FormParts.h"
#include "platform/Registry.h"
#include "platform/text/Cp932.h"
#include "platform/text/Cp932Validator.h"
#include "platform/text/ShownControls.h"
#include "platform/text/WordFileName.h"
#include "platform/text/WordFilePath.h"
#include "session/ReviewBook.h"
#include "storage/FileErrors.h"

namespace norumi {

TfrmWBKMenu* frmWBKMenu = nullptr;

namespace {

const QString kUninstallCaption = QStringLiteral("ｱﾝｲﾝｽﾄｰﾙ準備");
const QString kRecreateCaption = QStringLiteral("ﾚｼﾞｽﾄﾘ作成");

}  // namespace

TfrmWBKMenu::TfrmWBKMenu(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmWBKMenu"));
  setWindowTitle(QStringLiteral("ポミダル Norumi! > メニュー"));
  BuildControls();
  FormCreate();
}

TfrmWBKMenu::~TfrmWBKMenu() = default;

void TfrmWBKMenu::BuildControls() {
  Label2 = Named(new QLabel(QStringLiteral("あなたの名前")), "Label2");
  edUser = Named(new QLineEdit, "edUser");
  edUser->setValidator(new Cp932Validator(edUser));
  btUser = Named(new QPushButton(QStringLiteral("名前の登録")), "btUser");
  lbUser = PlainLabel("lbUser");
  Label2->setBuddy(edUser);
  Shape1 = Rule("Shape1", "blue");

  pnlMenu = Named(new QWidget, "pnlMenu");
  // The window keeps its size when the panel appears after the name is registered.
  QSizePolicy keep = pnlMenu->sizePolicy();
  keep.setRetainSizeWhenHidden(true);
  pnlMenu->setSizePolicy(keep);
  btReg = Named(new QPushButton(QStringLiteral("登録・閲覧")), "btReg");
  btK2J = Named(new QPushButton(QStringLiteral("出題(韓->日)")), "btK2J");
  btJ2K = Named(new QPushButton(QStringLiteral("出題(日->韓)")), "btJ2K");
  Label1 = Named(new QLabel(QStringLiteral("メルマガコード入力欄")), "Label1");
  mmMag = Named(new TMailCodeMemo(services_.dialogs), "mmMag");
  mmMag->setFixedHeight(120);
  Label1->setBuddy(mmMag);
  btChange = Named(new QPushButton(QStringLiteral("メルマガコード入力")), "btChange");
  btUninstall = Named(new QPushButton(kUninstallCaption), "btUninstall");
  btClose = Named(new QPushButton(QStringLiteral("閉じる")), "btClose");
  btReview = Named(new QPushButton(QStringLiteral("今日の復習")), "btReview");
  btReview->setEnabled(false);
  btReview->setMinimumHeight(48);
  btSettings = Named(new QPushButton(QStringLiteral("設定")), "btSettings");
  btSettings->setMinimumHeight(48);
  lbReview = PlainLabel("lbReview");
  lbReview->setWordWrap(true);
  SetColor(lbReview, QPalette::WindowText, Qt::red);
  // Two lines kept for the reason, so that the window need not grow when one is given.
  lbReview->setText(QStringLiteral("あ\nあ"));
  lbReview->setFixedHeight(lbReview->sizeHint().height());
  lbReview->clear();
  for (QPushButton* b :
       {btUser, btReg, btK2J, btJ2K, btChange, btUninstall, btClose, btReview, btSettings})
    b->setAutoDefault(false);

  // The name row: lbUser lies under edUser and is seen once the name is registered.
  auto* top = new QGridLayout;
  top->addWidget(Label2, 0, 0);
  top->addWidget(lbUser, 0, 1);
  top->addWidget(edUser, 0, 1);
  top->addWidget(btUser, 0, 2);
  top->setColumnStretch(1, 1);
  edUser->raise();

  auto* panel = new QGridLayout(pnlMenu);
  panel->setContentsMargins(0, 0, 0, 0);
  panel->addWidget(btReg, 0, 0);
  panel->addWidget(btK2J, 0, 1);
  panel->addWidget(btJ2K, 0, 2);
  panel->addWidget(Label1, 1, 0, 1, 3);
  panel->addWidget(mmMag, 2, 0, 1, 3);
  panel->addWidget(btChange, 3, 0, 1, 3);
  panel->addWidget(btUninstall, 4, 0);
  panel->addWidget(btClose, 4, 2);
  // The spaced review, below the rest.
  panel->addWidget(btReview, 5, 0, 1, 2);
  panel->addWidget(btSettings, 5, 2);
  panel->addWidget(lbReview, 6, 0, 1, 3);
  for (QPushButton* b : {btReg, btK2J, btJ2K}) b->setMinimumHeight(48);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(Shape1);
  layout->addWidget(pnlMenu);
  layout->addStretch();
  setMinimumWidth(420);
  FixSize();

  setTabOrder(edUser, btUser);
  setTabOrder(btUser, btReg);
  setTabOrder(btReg, btK2J);
  setTabOrder(btK2J, btJ2K);
  setTabOrder(btJ2K, mmMag);
  setTabOrder(mmMag, btChange);
  setTabOrder(btChange, btUninstall);
  setTabOrder(btUninstall, btClose);
  setTabOrder(btClose, btReview);
  setTabOrder(btReview, btSettings);

  Handle(btUser, &QPushButton::clicked, &TfrmWBKMenu::btUserClick);
  connect(edUser, &QLineEdit::returnPressed, btUser, &QPushButton::click);
  Handle(btReg, &QPushButton::clicked, &TfrmWBKMenu::btRegClick);
  Handle(btK2J, &QPushButton::clicked, &TfrmWBKMenu::btK2JClick);
  Handle(btJ2K, &QPushButton::clicked, &TfrmWBKMenu::btJ2KClick);
  Handle(btChange, &QPushButton::clicked, &TfrmWBKMenu::btChangeClick);
  Handle(btUninstall, &QPushButton::clicked, &TfrmWBKMenu::btUninstallClick);
  Handle(btClose, &QPushButton::clicked, &TfrmWBKMenu::btCloseClick);
  Handle(btReview, &QPushButton::clicked, &TfrmWBKMenu::btReviewClick);
  Handle(btSettings, &QPushButton::clicked, &TfrmWBKMenu::btSettingsClick);
}

QString TfrmWBKMenu::ReadRegPath() {
  return services_.registry.ReadMachineString(kProgramKey, QStringLiteral("path"));
}

QString TfrmWBKMenu::ReadRegUser() {
  return services_.registry.ReadMachineString(kProgramKey, QStringLiteral("user"));
}

void TfrmWBKMenu::UpdateRegistry(bool create) {
  const QString path = ReadRegPath();
  if (!path.isEmpty() && !create) {
    services_.registry.DeleteMachineKey(kMakerKey);
  } else if (path.isEmpty() && create) {
    services_.registry.WriteMachineString(kProgramKey, QStringLiteral("path"),
                                          services_.executablePath);
    services_.registry.WriteMachineString(kProgramKey, QStringLiteral("user"), userName);
  }
}

void TfrmWBKMenu::FormCreate() {
  const QFileInfo program(services_.executablePath);
  const QString help =
      FromPath(services_.dataFolder / ToPath(program.completeBaseName() + QStringLiteral(".html")));
  std::error_code error;
  // The shell hands the page to a browser, which would wait on a pipe as long as we would.
  services_.helpFile = std::filesystem::is_regular_file(ToPath(help), error) ? help : QString();

  teachMode = ReadTeacherId(services_.wordFolder).has_value();
  userName = ReadRegUser();
  const QString path = ReadRegPath();
  edUser->setVisible(userName.isEmpty());
  btUser->setVisible(userName.isEmpty());
  lbUser->setText(ShowControls(userName) + QStringLiteral("さん"));
  if (path.isEmpty() && !userName.isEmpty()) UpdateRegistry(true);
  pnlMenu->setVisible(!userName.isEmpty());
  HelpContext = userName.isEmpty() ? 3 : 6;
  OpenReviews();
}

void TfrmWBKMenu::btUserClick() {
  const QString text = edUser->text();
  if (text.isEmpty()) {
    services_.dialogs.MessageBox(this, QStringLiteral("名前を入力してください"),
                                 QStringLiteral("ユーザ名登録"), MsgIcon::Stop);
    return;
  }
  userName = text;
  UpdateRegistry(true);
  edUser->hide();
  btUser->hide();
  lbUser->setText(ShowControls(userName) + QStringLiteral("さん"));
  pnlMenu->show();
  HelpContext = 6;
  OpenReviews();
  RefreshReview();
  btReg->setFocus();  // the button that had it is gone
}

void TfrmWBKMenu::btRegClick() {
  hide();
  frmWBKDialog->Panel1->hide();
  frmWBKDialog->teachMode = teachMode;
  frmWBKDialog->userName = userName;
  // Whatever happens on the way, the menu and the quiz settings come back.
  RunHandler(services_.dialogs, this, [this] {
    if (frmWBKDialog->Execute(true) == kModalCancel) return;
    // The editor checks at most one entry; it opens the very file that entry was listed for.
    const auto checked = frmWBKDialog->CheckedFilePaths();
    if (checked.empty() || !checked.front())
      throw EFOpenError(services_.wordFolder /
                        ToPath(frmWBKDialog->CheckedFileName() +
                               QString::fromStdU16String(std::u16string(kWordFileExtension))));
    frmRegist->teachMode = teachMode;
    frmRegist->OpenFile(*checked.front());
  });
  frmWBKDialog->Panel1->show();
  ShowAgain(btReg);
}

void TfrmWBKMenu::ShowAgain(QPushButton* opener) {
  RefreshReview();
  show();
  // Shown again it is not made active by itself everywhere: the keys must come back to it, on
  // the button the learner left from, not wherever the focus was when it hid.
  activateWindow();
  // The review's button greys once nothing is left to review.
  (opener->isEnabled() ? opener : btK2J)->setFocus();
}

void TfrmWBKMenu::btK2JClick() {
  RunQuiz(true);
}

void TfrmWBKMenu::btJ2KClick() {
  RunQuiz(false);
}

void TfrmWBKMenu::btChangeClick() {
  const QString text = mmMag->toPlainText();
  // The pasted text goes after every press, whatever became of it.
  const auto emptied = qScopeGuard([this] { mmMag->clear(); });
  CodeInput received = CodeInput::Shown;
  // Another program may have the code's word file open: it is named, and may be waited for.
  RetryWhileLocked(services_.dialogs, this,
                   [&] { received = ReceiveMailCode(text, services_.wordFolder, reviews_.get()); });
  // The two answers were reviews.
  if (received == CodeInput::Stored) RefreshReview();
  if (received == CodeInput::Unreadable)
    services_.dialogs.MessageBox(this, QStringLiteral("メルマガコードが正しくありません"),
                                 QStringLiteral("メルマガコード入力"), MsgIcon::Stop);
}

void TfrmWBKMenu::btUninstallClick() {
  if (ReadRegPath().isEmpty()) {
    UpdateRegistry(true);
    btUninstall->setText(kUninstallCaption);
  } else {
    UpdateRegistry(false);
    btUninstall->setText(kRecreateCaption);
  }
}

void TfrmWBKMenu::btCloseClick() {
  close();
}

void TfrmWBKMenu::keyPressEvent(QKeyEvent* event) {
  // Escape would close a dialog; the menu closes only by its button or its title bar.
  if (event->key() == Qt::Key_Escape) return;
  TForm::keyPressEvent(event);
}

}  // namespace norumi
