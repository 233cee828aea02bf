// SPDX-License-Identifier: GPL-3.0-or-later
// The word editor's controls, its menu and the wiring of its handlers.
#include <QAction>
#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>

#include "editor/Regist.h"
#include "hangul/view/Image.h"
#include "hangul/view/KeyboardWindow.h"
#include "hangul/view/PronunciationLine.h"
#include "platform/FormParts.h"
#include "platform/text/Cp932Validator.h"

namespace norumi {

void TfrmRegist::BuildControls() {
  lbTanName = Named(new QLabel, "lbTanName");
  StyleTitle(lbTanName);
  lbTanName->setWordWrap(true);
  Shape1 = Rule("Shape1", "blue");
  btLeft = Named(new QPushButton(QStringLiteral("＜")), "btLeft");
  btLeft->setEnabled(false);
  btRight = Named(new QPushButton(QStringLiteral("＞")), "btRight");
  edNo = Named(new QLineEdit, "edNo");
  edNo->setFixedWidth(64);
  edNo->setAccessibleName(QStringLiteral("単語の番号"));  // no label of its own
  btJump = Named(new QPushButton(QStringLiteral("Jump")), "btJump");
  Label1 = Named(new QLabel(QStringLiteral("韓国語")), "Label1");
  imMoji = Named(new TImage, "imMoji");
  imMoji->setFixedSize(456, 24);
  imMoji->setAccessibleDescription(QStringLiteral("編集中の韓国語"));
  lnPronounce = new TPronunciationLine(services_.registry);
  Label2 = Named(new QLabel(QStringLiteral("日本語")), "Label2");
  edJapan = Named(new QLineEdit, "edJapan");
  edJapan->setValidator(new Cp932Validator(edJapan));
  Label2->setBuddy(edJapan);
  btHanguel = Named(new QPushButton(QStringLiteral("ハングル貼り付け")), "btHanguel");
  btNorumi = Named(new QPushButton(QStringLiteral("ノルミキーボード")), "btNorumi");
  btOption = Named(new QPushButton(QStringLiteral("ｵﾌﾟｼｮﾝ入力")), "btOption");
  btMagCode = Named(new QPushButton(QStringLiteral("メルマガコード作成")), "btMagCode");
  btRegist = Named(new QPushButton(QStringLiteral("登録")), "btRegist");
  btDelete = Named(new QPushButton(QStringLiteral("削除")), "btDelete");
  btClose = Named(new QPushButton(QStringLiteral("閉じる")), "btClose");
  btSpeak = SpeakButton();
  // Enter in the meaning field must not press a button on its own; the window keeps its size
  // while buttons come and go with the mode.
  for (QPushButton* b : {btLeft, btRight, btJump, btHanguel, btNorumi, btOption, btMagCode,
                         btRegist, btDelete, btClose, btSpeak}) {
    b->setAutoDefault(false);
    QSizePolicy keep = b->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    b->setSizePolicy(keep);
  }
  for (QWidget* w : {static_cast<QWidget*>(edNo), static_cast<QWidget*>(edJapan)})
    w->installEventFilter(this);

  auto* browse = new QHBoxLayout;
  browse->addWidget(btLeft);
  browse->addWidget(btRight);
  browse->addSpacing(12);
  browse->addWidget(edNo);
  browse->addWidget(btJump);
  browse->addStretch();
  auto* korean = new QHBoxLayout;
  korean->addWidget(btHanguel);
  korean->addWidget(btNorumi);
  korean->addStretch();
  korean->addWidget(btSpeak);
  auto* teacher = new QHBoxLayout;
  teacher->addWidget(btOption);
  teacher->addWidget(btMagCode);
  teacher->addStretch();
  auto* actions = new QHBoxLayout;
  actions->addStretch();
  actions->addWidget(btRegist);
  actions->addWidget(btDelete);
  actions->addWidget(btClose);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lbTanName);
  layout->addWidget(Shape1);
  layout->addLayout(browse);
  layout->addWidget(Label1);
  layout->addWidget(imMoji);
  layout->addWidget(lnPronounce);
  layout->addLayout(korean);
  layout->addWidget(Label2);
  layout->addWidget(edJapan);
  layout->addSpacing(8);
  layout->addLayout(actions);
  layout->addLayout(teacher);
  FixSize();

  setTabOrder(btLeft, btRight);
  setTabOrder(btRight, edNo);
  setTabOrder(edNo, btJump);
  setTabOrder(btJump, btHanguel);
  setTabOrder(btHanguel, btNorumi);
  setTabOrder(btNorumi, btSpeak);
  setTabOrder(btSpeak, edJapan);
  setTabOrder(edJapan, btRegist);
  setTabOrder(btRegist, btDelete);
  setTabOrder(btDelete, btClose);
  setTabOrder(btClose, btOption);
  setTabOrder(btOption, btMagCode);
}

void TfrmRegist::BuildMenu() {
  MainMenu1 = Named(new QMenuBar(this), "MainMenu1");
  const auto menu = [this](const char* name, const QString& caption) {
    return Named(MainMenu1->addMenu(caption), name);
  };
  const auto item = [](QMenu* m, const char* name, const QString& caption) {
    return Named(m->addAction(caption), name);
  };
  F1 = menu("F1", QStringLiteral("ﾌｧｲﾙ(&F)"));
  T1 = item(F1, "T1", QStringLiteral("TSVから読み込み..."));
  F1->addSeparator();
  C1 = item(F1, "C1", QStringLiteral("閉じる(&C)"));
  E1 = menu("E1", QStringLiteral("編集(&E)"));
  P1 = item(E1, "P1", QStringLiteral("ハングル貼り付け(&P)"));
  ShowShortcut(P1, QKeySequence::Paste);  // keyPressEvent
  K1 = item(E1, "K1", QStringLiteral("ノルミｷｰﾎﾞｰﾄﾞ(&K)"));
  O1 = menu("O1", QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"));
  P2 = item(O1, "P2", QStringLiteral("設定(&P)"));
  layout()->setMenuBar(MainMenu1);
}

void TfrmRegist::ConnectHandlers() {
  connect(edJapan, &QLineEdit::textChanged, this, &TfrmRegist::edJapanChange);
  connect(&writer_, &WordFileWriter::Ended, this, &TfrmRegist::WriteEnded);
  Handle(btLeft, &QPushButton::clicked, &TfrmRegist::btLeftClick);
  Handle(btRight, &QPushButton::clicked, &TfrmRegist::btRightClick);
  Handle(btJump, &QPushButton::clicked, &TfrmRegist::btJumpClick);
  Handle(btHanguel, &QPushButton::clicked, &TfrmRegist::btHanguelClick);
  Handle(btNorumi, &QPushButton::clicked, &TfrmRegist::btNorumiClick);
  Handle(btOption, &QPushButton::clicked, &TfrmRegist::btOptionClick);
  Handle(btMagCode, &QPushButton::clicked, &TfrmRegist::btMagCodeClick);
  Handle(btRegist, &QPushButton::clicked, &TfrmRegist::btRegistClick);
  Handle(btDelete, &QPushButton::clicked, &TfrmRegist::btDeleteClick);
  Handle(btClose, &QPushButton::clicked, &TfrmRegist::btCloseClick);
  Handle(btSpeak, &QPushButton::clicked, &TfrmRegist::btSpeakClick);
  Handle(T1, &QAction::triggered, &TfrmRegist::T1Click);
  Handle(C1, &QAction::triggered, &TfrmRegist::btCloseClick);
  Handle(P1, &QAction::triggered, &TfrmRegist::btHanguelClick);
  Handle(K1, &QAction::triggered, &TfrmRegist::btNorumiClick);
  Handle(P2, &QAction::triggered, &TfrmRegist::P2Click);
}

}  // namespace norumi
