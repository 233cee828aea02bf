// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/Jap2Kor.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>

#include "hangul/view/Drawing.h"
#include "hangul/view/Image.h"
#include "hangul/view/KeyboardWindow.h"
#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/Speech.h"
#include "platform/Spoken.h"
#include "platform/text/Cp932.h"
#include "platform/text/ShownControls.h"
#include "quiz/QuizSteps.h"
#include "quiz/Seiseki.h"
#include "quiz/Setsumei.h"
#include "session/Judge.h"

namespace norumi {

TfrmJap2Kor* frmJap2Kor = nullptr;

namespace {

// What the picture shows, for a screen reader: the learner's answer, or the right one in red.
const QString kPasted = QStringLiteral("貼り付けた答え");
const QString kCorrect = QStringLiteral("正しい答え");

}  // namespace

TfrmJap2Kor::TfrmJap2Kor(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmJap2Kor"));
  setWindowTitle(QStringLiteral("Norumi! > 単語出題 > "));
  HelpContext = 42;
  BuildControls();
  BuildMenu();
  ConnectHandlers();
}

void TfrmJap2Kor::BuildControls() {
  lbTanName = Named(new QLabel, "lbTanName");
  StyleTitle(lbTanName);
  lbTanName->setWordWrap(true);
  Label2 = Named(new QLabel(QStringLiteral("日本語")), "Label2");
  lbJapan = PlainLabel("lbJapan");
  lbJapan->setFont(BoldPixelFont(15));
  SetColor(lbJapan, QPalette::WindowText, Qt::darkYellow);  // olive
  Label1 = Named(new QLabel(QStringLiteral("韓国語")), "Label1");
  imMoji = Named(new TImage, "imMoji");
  imMoji->setFixedSize(456, 24);  // the keyboard sizes its drawing to the control
  imMoji->setAccessibleDescription(kPasted);
  lbHantei = Named(new QLabel(QStringLiteral(" ")), "lbHantei");
  lbHantei->setFont(BoldPixelFont(96));
  lbHantei->setAlignment(Qt::AlignCenter);
  lbHantei->setFixedSize(120, 120);

  btNorumi = Named(new QPushButton(QStringLiteral("ノルミキーボード")), "btNorumi");
  btHanguel = Named(new QPushButton(QStringLiteral("ハングル貼り付け")), "btHanguel");
  btAns = Named(new QPushButton(QStringLiteral("答え")), "btAns");
  btHantei = Named(new QPushButton(QStringLiteral("判定")), "btHantei");
  btNext = Named(new QPushButton(QStringLiteral("次へ")), "btNext");
  btMarkRight = MarkRightButton();
  btHard = RatingButton("btHard", QStringLiteral("難しい"), QStringLiteral("2"));
  btEasy = RatingButton("btEasy", QStringLiteral("簡単"), QStringLiteral("4"));
  btClose = Named(new QPushButton(QStringLiteral("閉じる")), "btClose");
  btSpeak = SpeakButton();
  // The buttons come and go with each step; the window must not jump around meanwhile.
  for (QPushButton* b : {btNorumi, btHanguel, btAns, btHantei, btNext, btClose}) {
    QSizePolicy keep = b->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    b->setSizePolicy(keep);
  }

  auto* question = new QVBoxLayout;
  question->addWidget(Label2);
  question->addWidget(lbJapan);
  question->addWidget(Label1);
  question->addWidget(imMoji);
  auto* input = new QHBoxLayout;
  input->addWidget(btHanguel);
  input->addWidget(btNorumi);
  input->addStretch();
  input->addWidget(btSpeak);
  question->addLayout(input);

  auto* middle = new QHBoxLayout;
  middle->addLayout(question);
  middle->addWidget(lbHantei);

  // The review's ratings take the places of 答え and 判定, both hidden after a right answer.
  auto* buttons = new QGridLayout;
  buttons->addWidget(btAns, 0, 0);
  buttons->addWidget(btHard, 0, 0);
  buttons->addWidget(btHantei, 0, 1);
  buttons->addWidget(btEasy, 0, 1);
  buttons->setColumnStretch(2, 1);
  // Away from 判定, where a second click after judging would count the answer at once.
  buttons->addWidget(btMarkRight, 0, 3);
  buttons->addWidget(btNext, 0, 4);
  buttons->addWidget(btClose, 0, 5);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lbTanName);
  layout->addLayout(middle);
  layout->addLayout(buttons);
  FixSize();

  setTabOrder(btNext, btHard);
  setTabOrder(btHard, btEasy);
  setTabOrder(btEasy, btClose);
  setTabOrder(btClose, btHantei);
  setTabOrder(btHantei, btAns);
  setTabOrder(btAns, btMarkRight);
  setTabOrder(btMarkRight, btSpeak);
  setTabOrder(btSpeak, btHanguel);
  setTabOrder(btHanguel, btNorumi);
}

void TfrmJap2Kor::BuildMenu() {
  MainMenu1 = Named(new QMenuBar(this), "MainMenu1");
  const auto menu = [this](const char* name, const QString& caption) {
    QMenu* m = MainMenu1->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    return m;
  };
  const auto item = [](QMenu* m, const char* name, const QString& caption) {
    QAction* a = m->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    return a;
  };
  QMenu* file = menu("F1", QStringLiteral("ﾌｧｲﾙ(&F)"));
  C1 = item(file, "C1", QStringLiteral("閉じる(&C)"));
  QMenu* edit = menu("E1", QStringLiteral("編集(&E)"));
  P1 = item(edit, "P1", QStringLiteral("ハングル貼り付け(&P)"));
  ShowShortcut(P1, QKeySequence::Paste);  // keyPressEvent
  C2 = item(edit, "C2", QStringLiteral("ハングルクリア(&C)"));
  K1 = item(edit, "K1", QStringLiteral("ノルミｷｰﾎﾞｰﾄﾞ(&K)"));
  QMenu* options = menu("O1", QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"));
  P2 = item(options, "P2", QStringLiteral("設定(&P)"));
  layout()->setMenuBar(MainMenu1);
}

void TfrmJap2Kor::ConnectHandlers() {
  Handle(btHantei, &QPushButton::clicked, &TfrmJap2Kor::btHanteiClick);
  Handle(btAns, &QPushButton::clicked, &TfrmJap2Kor::btAnsClick);
  Handle(btNext, &QPushButton::clicked, &TfrmJap2Kor::btNextClick);
  Handle(btMarkRight, &QPushButton::clicked, &TfrmJap2Kor::btMarkRightClick);
  Handle(btHard, &QPushButton::clicked, &TfrmJap2Kor::btHardClick);
  Handle(btEasy, &QPushButton::clicked, &TfrmJap2Kor::btEasyClick);
  Handle(btClose, &QPushButton::clicked, &TfrmJap2Kor::btCloseClick);
  Handle(btSpeak, &QPushButton::clicked, &TfrmJap2Kor::btSpeakClick);
  Handle(btHanguel, &QPushButton::clicked, &TfrmJap2Kor::btHanguelClick);
  Handle(btNorumi, &QPushButton::clicked, &TfrmJap2Kor::btNorumiClick);
  Handle(C1, &QAction::triggered, &TfrmJap2Kor::btCloseClick);
  Handle(P1, &QAction::triggered, &TfrmJap2Kor::btHanguelClick);
  Handle(C2, &QAction::triggered, &TfrmJap2Kor::C2Click);
  Handle(K1, &QAction::triggered, &TfrmJap2Kor::btNorumiClick);
  Handle(P2, &QAction::triggered, &TfrmJap2Kor::P2Click);
}

int TfrmJap2Kor::StartQuiz(TTangoList& list) {
  QuizSession session(list, QuizDirection::JapaneseToKorean);
  return StartSession(session);
}

int TfrmJap2Kor::StartSingle(TTangoList& list, TTango& entry) {
  QuizSession session(list, QuizDirection::JapaneseToKorean, entry);
  return StartSession(session);
}

int TfrmJap2Kor::StartSession(QuizSession& session, const QString& caption) {
  Session = &session;
  OpenQuiz(*this, *lbTanName, *imMoji, session.List(), caption);
  HasKeyboard = !ReadKeyboardPath(services_.registry).isEmpty();
  ShowQuestion();
  const int result = RunQuiz(services_.dialogs, *this, session);
  // An answer the window closed on counts as given.
  session.Settle();
  Session = nullptr;
  return result;
}

void TfrmJap2Kor::ShowQuestion() {
  frmKeyboard->Keyboard.Clear();
  const TTango* word = Session->Word();
  if (!word) return;
  imMoji->setAccessibleDescription(kPasted);
  frmKeyboard->DrawCodes(nullptr);
  lbJapan->setText(ShowControls(FromCp932(word->Japan)));
  lbHantei->setText(QStringLiteral(" "));
  btHantei->show();
  btHanguel->show();
  // A word received in a code offers the keyboard program anyway: it may just be unregistered.
  btNorumi->setVisible(Session->Single() || HasKeyboard);
  btAns->hide();
  btNext->hide();
  btMarkRight->hide();
  btHard->hide();
  btEasy->hide();
  btSpeak->hide();
  Describe(*btHanguel, SpokenQuestion(Session->History(), Session->Position(), lbJapan->text()));
  btHanguel->setFocus();
}

void TfrmJap2Kor::btHanteiClick() {
  // Only a word on screen is judged, never one that is missing.
  if (!Session || Session->Current() != QuizSession::State::Asking) return;
  Judged = frmKeyboard->Keyboard.Codes;
  const bool right = Session->JudgeKorean(Judged, [this](bool verdict) {
    ShowMark(*lbHantei, verdict);
    if (Session->WantsExplanation()) ShowExplanation();
  });
  btHantei->hide();
  btHanguel->hide();
  btNorumi->hide();
  btNext->show();
  btAns->setVisible(!right);
  btMarkRight->setVisible(Session->OffersMarkRight(!AnswerAsJudged(Judged).empty()));
  ShowRatings(*Session, *btHard, *btEasy);
  btSpeak->setVisible(CanSpeak(services_));
  const HangulCodes answer = Session->AnswerKorean();
  FocusNext(SpokenVerdict(right, DrawnText(&answer)));
}

void TfrmJap2Kor::btMarkRightClick() {
  if (!Session || btMarkRight->isHidden() || !Session->MarkRight()) return;
  ShowMark(*lbHantei, true);
  // What counts now is the answer the learner pasted: the picture shows it again in black, and
  // with the answer right there is no other answer to show.
  imMoji->setAccessibleDescription(kPasted);
  frmKeyboard->DrawCodes(&Judged);
  btAns->hide();
  btMarkRight->hide();
  ShowRatings(*Session, *btHard, *btEasy);
  FocusNext(SpokenVerdict(true, QString()));
}

void TfrmJap2Kor::btHardClick() {
  RateAndGoOn(review::Rating::Hard);
}

void TfrmJap2Kor::btEasyClick() {
  RateAndGoOn(review::Rating::Easy);
}

void TfrmJap2Kor::RateAndGoOn(review::Rating rating) {
  if (RateAnswer(Session, rating)) btNextClick();
}

void TfrmJap2Kor::ShowExplanation() {
  norumi::ShowExplanation(services_.dialogs, Session->Word(), *this);
}

void TfrmJap2Kor::FocusNext(const QString& spoken) {
  Describe(*btNext, spoken);
  btNext->setFocus();
}

void TfrmJap2Kor::btAnsClick() {
  if (!Session) return;
  const HangulCodes answer = Session->AnswerKorean();
  // Only the picture shows the answer; the learner's composition stays as it was.
  imMoji->setAccessibleDescription(kCorrect);
  frmKeyboard->DrawCodes(&answer);
  RecolorImage(imMoji->Picture, Qt::black, Qt::red);
  imMoji->update();
  FocusNext(SpokenAnswer(imMoji->accessibleName()));
}

void TfrmJap2Kor::btNextClick() {
  if (!Session) return;
  if (Session->Next()) {
    ShowQuestion();
    return;
  }
  if (Session->Drill()) FinishQuiz();
  done(kModalOk);
}

void TfrmJap2Kor::FinishQuiz() {
  norumi::FinishQuiz(*this, *Session);
}

void TfrmJap2Kor::btCloseClick() {
  done(kModalOk);
}

void TfrmJap2Kor::btSpeakClick() {
  if (Session && !btSpeak->isHidden()) Speak(services_, Session->Word()->Hangul);
}

void TfrmJap2Kor::btHanguelClick() {
  imMoji->setAccessibleDescription(kPasted);
  frmKeyboard->Paste(this);
  if (btHantei->isHidden()) return;
  Describe(*btHantei, kPasted + u' ' + imMoji->accessibleName());
  btHantei->setFocus();
}

void TfrmJap2Kor::C2Click() {
  imMoji->setAccessibleDescription(kPasted);
  frmKeyboard->Keyboard.Clear();
  frmKeyboard->DrawCodes(nullptr);
}

void TfrmJap2Kor::btNorumiClick() {
  // An empty name would make the shell open whatever it takes that for.
  const QString path = ReadKeyboardPath(services_.registry);
  if (!path.isEmpty()) services_.shell.Open(path);
}

void TfrmJap2Kor::P2Click() {
  frmKeyboard->mmPropClick(this);
}

void TfrmJap2Kor::showEvent(QShowEvent* event) {
  TForm::showEvent(event);
  // As every question starts: on the paste button, not where the last opening ended.
  if (!btHantei->isHidden()) btHanguel->setFocus();
}

void TfrmJap2Kor::keyPressEvent(QKeyEvent* event) {
  if (const auto rating = KeyedRating(Session, *event)) {
    Run([this, rating] { RateAndGoOn(*rating); });
    return;
  }
  if (event->key() == Qt::Key_V && event->modifiers().testFlag(Qt::ControlModifier))
    Run([this] { btHanguelClick(); });
  if (event->key() == Qt::Key_F2 && event->modifiers() == Qt::NoModifier) {
    Run([this] { btMarkRightClick(); });
    return;
  }
  if (event->key() == Qt::Key_F5 && event->modifiers() == Qt::NoModifier) {
    Run([this] { btSpeakClick(); });
    return;
  }
  TForm::keyPressEvent(event);
}

}  // namespace norumi
