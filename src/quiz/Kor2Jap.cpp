// SPDX-License-Identifier: GPL-3.0-or-later
#include "quiz/Kor2Jap.h"

#include <QAction>
#include <QBoxLayout>
#include <QGridLayout>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QShowEvent>
#include <algorithm>

#include "hangul/view/Image.h"
#include "hangul/view/KeyboardWindow.h"
#include "hangul/view/PronunciationLine.h"
#include "platform/Dialogs.h"
#include "platform/FormParts.h"
#include "platform/Speech.h"
#include "platform/Spoken.h"
#include "platform/text/Cp932.h"
#include "platform/text/Cp932Validator.h"
#include "platform/text/ShownControls.h"
#include "quiz/QuizSteps.h"
#include "quiz/Seiseki.h"
#include "quiz/Setsumei.h"

namespace norumi {

TfrmKor2Jap* frmKor2Jap = nullptr;

namespace {

bool IsEnter(const QKeyEvent* key) {
  return key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
}

// A key typed or text an input method commits: the learner changes the answer, and what was
// said of the last change no longer holds.
bool StartsAnEdit(const QEvent* event) {
  return event->type() == QEvent::KeyPress ||
         (event->type() == QEvent::InputMethod &&
          !static_cast<const QInputMethodEvent*>(event)->commitString().isEmpty());
}

// What the learner is told when characters the answer cannot hold were left out. Korean comes
// from a Korean input method left on, which the learner is to switch off.
QString DroppedNotice(const QString& dropped) {
  QList<uint> others;
  bool korean = false;
  for (const uint c : dropped.toUcs4()) {
    if (QChar::script(c) == QChar::Script_Hangul) {
      korean = true;
    } else {
      others << c;
    }
  }
  if (others.isEmpty())
    return QStringLiteral("韓国語の文字は入力できません。日本語で答えてください。");
  // A few are enough to name; a long list would widen the fixed-size window.
  constexpr qsizetype kNamed = 8;
  QString named;
  for (qsizetype i = 0; i < std::min(others.size(), kNamed); ++i) {
    const auto point = static_cast<char32_t>(others[i]);
    named += QString::fromUcs4(&point, 1);
  }
  if (others.size() > kNamed) named += QStringLiteral("…");
  return (korean ? QStringLiteral("韓国語の文字と次の文字は入力できません: ")
                 : QStringLiteral("この文字は入力できません: ")) +
         ShowControls(named);
}

}  // namespace

TfrmKor2Jap::TfrmKor2Jap(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmKor2Jap"));
  HelpContext = 32;
  BuildControls();
}

void TfrmKor2Jap::BuildControls() {
  lbTanName = Named(new QLabel, "lbTanName");
  StyleTitle(lbTanName);
  lbTanName->setWordWrap(true);
  Label1 = Named(new QLabel(QStringLiteral("韓国語")), "Label1");
  imMoji = Named(new TImage, "imMoji");
  imMoji->setFixedSize(456, 24);
  imMoji->setAccessibleDescription(QStringLiteral("問題の韓国語"));
  lnPronounce = new TPronunciationLine(services_.registry);
  btSpeak = SpeakButton();
  btSpeak->setAutoDefault(true);
  Label2 = Named(new QLabel(QStringLiteral("日本語")), "Label2");
  edJapan = Named(new QLineEdit, "edJapan");
  edJapan->setValidator(new Cp932Validator(
      edJapan, [this](const QString& dropped) { lbNotice->setText(DroppedNotice(dropped)); }));
  edJapan->installEventFilter(this);
  Label2->setBuddy(edJapan);
  // Under the answer field, where the learner looks while typing; its line is kept when empty
  // so that the window does not jump.
  lbNotice = PlainLabel("lbNotice");
  lbNotice->setText(QStringLiteral("あ"));
  lbNotice->setFixedHeight(lbNotice->sizeHint().height());
  lbNotice->clear();
  SetColor(lbNotice, QPalette::WindowText, Qt::red);

  lbHantei = Named(new QLabel(QStringLiteral(" ")), "lbHantei");
  QFont mark = lbHantei->font();
  mark.setPixelSize(96);
  mark.setBold(true);
  lbHantei->setFont(mark);
  lbHantei->setFixedSize(120, 120);
  lbHantei->setAlignment(Qt::AlignCenter);

  btAns = Named(new QPushButton(QStringLiteral("答え")), "btAns");
  btHantei = Named(new QPushButton(QStringLiteral("判定")), "btHantei");
  btNext = Named(new QPushButton(QStringLiteral("次へ")), "btNext");
  btMarkRight = MarkRightButton();
  btHard = RatingButton("btHard", QStringLiteral("難しい"), QStringLiteral("2"));
  btEasy = RatingButton("btEasy", QStringLiteral("簡単"), QStringLiteral("4"));
  btClose = Named(new QPushButton(QStringLiteral("閉じる")), "btClose");
  // The buttons stay auto-default so that Enter on a focused "次へ" presses it, as the learner
  // expects; Enter in edJapan never reaches the window (eventFilter), so no default button fires
  // from there. The answer buttons come and go without the window changing its size.
  for (QPushButton* b : {btAns, btHantei, btNext, btMarkRight, btClose}) b->setAutoDefault(true);
  for (QPushButton* b : {btAns, btHantei, btNext}) {
    QSizePolicy keep = b->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    b->setSizePolicy(keep);
  }

  MainMenu1 = Named(new QMenuBar(this), "MainMenu1");
  QMenu* file = MainMenu1->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
  C1 = Named(file->addAction(QStringLiteral("閉じる(&C)")), "C1");
  QMenu* edit = MainMenu1->addMenu(QStringLiteral("編集(&E)"));
  P1 = Named(edit->addAction(QStringLiteral("ハングル貼り付け(&P)")), "P1");
  K1 = Named(edit->addAction(QStringLiteral("ノルミｷｰﾎﾞｰﾄﾞ(&K)")), "K1");
  // The answer is Japanese text: pasting Korean or opening the keyboard has no use here.
  P1->setEnabled(false);
  K1->setEnabled(false);

  // The review's ratings take the places of 判定 and 答え, both hidden after a right answer.
  auto* buttons = new QGridLayout;
  buttons->addWidget(btHantei, 0, 0);
  buttons->addWidget(btHard, 0, 0);
  buttons->addWidget(btAns, 1, 0);
  buttons->addWidget(btEasy, 1, 0);
  buttons->addWidget(btNext, 2, 0);
  buttons->addWidget(btMarkRight, 3, 0);
  buttons->setRowStretch(4, 1);
  buttons->addWidget(btClose, 5, 0);

  // How the word is said, right under it; the window grows by that line alone, so that the
  // explanation still finds room beside it on a small screen.
  auto* word = new QVBoxLayout;
  word->setSpacing(0);
  word->addWidget(imMoji);
  word->addWidget(lnPronounce);
  auto* said = new QHBoxLayout;
  said->addLayout(word);
  said->addWidget(btSpeak, 0, Qt::AlignTop);

  auto* layout = new QGridLayout(this);
  layout->setMenuBar(MainMenu1);
  layout->addWidget(lbTanName, 0, 0, 1, 2);
  layout->addWidget(Label1, 1, 0, 1, 2);
  layout->addLayout(said, 2, 0, 1, 2);
  layout->addWidget(Label2, 3, 0, 1, 2);
  layout->addWidget(edJapan, 4, 0, 1, 2);
  layout->addWidget(lbNotice, 5, 0, 1, 2);
  layout->addWidget(lbHantei, 6, 0, Qt::AlignCenter);
  layout->addLayout(buttons, 6, 1);
  FixSize();

  setTabOrder(edJapan, btHantei);
  setTabOrder(btHantei, btAns);
  setTabOrder(btAns, btNext);
  setTabOrder(btNext, btHard);
  setTabOrder(btHard, btEasy);
  setTabOrder(btEasy, btMarkRight);
  setTabOrder(btMarkRight, btSpeak);
  setTabOrder(btSpeak, btClose);

  Handle(btHantei, &QPushButton::clicked, &TfrmKor2Jap::btHanteiClick);
  Handle(btAns, &QPushButton::clicked, &TfrmKor2Jap::btAnsClick);
  Handle(btNext, &QPushButton::clicked, &TfrmKor2Jap::btNextClick);
  Handle(btMarkRight, &QPushButton::clicked, &TfrmKor2Jap::btMarkRightClick);
  Handle(btHard, &QPushButton::clicked, &TfrmKor2Jap::btHardClick);
  Handle(btEasy, &QPushButton::clicked, &TfrmKor2Jap::btEasyClick);
  Handle(btClose, &QPushButton::clicked, &TfrmKor2Jap::btCloseClick);
  Handle(btSpeak, &QPushButton::clicked, &TfrmKor2Jap::btSpeakClick);
  Handle(C1, &QAction::triggered, &TfrmKor2Jap::btCloseClick);
}

int TfrmKor2Jap::StartQuiz(TTangoList& list) {
  QuizSession session(list, QuizDirection::KoreanToJapanese);
  return StartSession(session);
}

int TfrmKor2Jap::StartSingle(TTangoList& list, TTango& entry) {
  QuizSession session(list, QuizDirection::KoreanToJapanese, entry);
  return StartSession(session);
}

int TfrmKor2Jap::StartSession(QuizSession& session, const QString& caption) {
  Session = &session;
  OpenQuiz(*this, *lbTanName, *imMoji, session.List(), caption);
  ShowQuestion();
  EnterDown = false;
  const int result = RunQuiz(services_.dialogs, *this, session);
  // An answer the window closed on counts as given.
  session.Settle();
  Session = nullptr;
  return result;
}

void TfrmKor2Jap::ShowQuestion() {
  frmKeyboard->Keyboard.Clear();
  const TTango* word = Session->Word();
  if (!word) return;
  frmKeyboard->DrawCodes(&word->Hangul);
  lbHantei->setText(QStringLiteral(" "));
  btHantei->show();
  btAns->hide();
  btNext->hide();
  btMarkRight->hide();
  btHard->hide();
  btEasy->hide();
  btSpeak->hide();
  lnPronounce->ShowWord(nullptr);
  SetColor(edJapan, QPalette::Text, Qt::black);
  edJapan->clear();
  lbNotice->clear();
  // Heard as the answer field takes the focus (see FocusNext).
  Describe(*edJapan,
           SpokenQuestion(Session->History(), Session->Position(), imMoji->accessibleName()));
  if (isVisible()) edJapan->setFocus();
  EnterDown = false;
}

void TfrmKor2Jap::btHanteiClick() {
  // Only a question still being asked is judged, never a missing word.
  if (!Session || btHantei->isHidden() || Session->Current() != QuizSession::State::Asking) return;
  Judged = edJapan->text();
  const bool right = Session->JudgeMeaning(ToCp932(Judged), [this](bool verdict) {
    ShowMark(*lbHantei, verdict);
    if (Session->WantsExplanation()) ShowExplanation();
  });
  btHantei->hide();
  btNext->show();
  if (!right) btAns->show();
  btMarkRight->setVisible(Session->OffersMarkRight(!Judged.trimmed().isEmpty()));
  ShowRatings(*Session, *btHard, *btEasy);
  ShowSaid();
  FocusNext(SpokenVerdict(right, FromCp932(Session->AnswerMeanings())));
}

void TfrmKor2Jap::ShowSaid() {
  lnPronounce->ShowWord(&Session->Word()->Hangul);
  btSpeak->setVisible(CanSpeak(services_));
}

void TfrmKor2Jap::btSpeakClick() {
  if (Session && !btSpeak->isHidden()) Speak(services_, Session->Word()->Hangul);
}

void TfrmKor2Jap::btMarkRightClick() {
  if (!Session || btMarkRight->isHidden() || !Session->MarkRight()) return;
  ShowMark(*lbHantei, true);
  // What counts now is what the learner typed, not the right answer "答え" put in its place;
  // with the answer right, there is no other answer to show.
  SetColor(edJapan, QPalette::Text, Qt::black);
  edJapan->setText(Judged);
  btAns->hide();
  btMarkRight->hide();
  ShowRatings(*Session, *btHard, *btEasy);
  FocusNext(SpokenVerdict(true, QString()));
}

void TfrmKor2Jap::btHardClick() {
  RateAndGoOn(review::Rating::Hard);
}

void TfrmKor2Jap::btEasyClick() {
  RateAndGoOn(review::Rating::Easy);
}

void TfrmKor2Jap::RateAndGoOn(review::Rating rating) {
  if (RateAnswer(Session, rating)) btNextClick();
}

void TfrmKor2Jap::FocusNext(const QString& spoken) {
  const QString said = lnPronounce->Spoken();
  Describe(*btNext, said.isEmpty() ? spoken : spoken + QStringLiteral("。") + said);
  btNext->setFocus();
  // The answer field's cursor waits at its start, moved while the field has no focus: emptied
  // for the next question, the field then tells of no moving cursor, which a screen reader would
  // take for the focus arriving before it does, and so would not say the question.
  edJapan->setCursorPosition(0);
}

void TfrmKor2Jap::ShowExplanation() {
  norumi::ShowExplanation(services_.dialogs, Session->Word(), *this);
}

void TfrmKor2Jap::btAnsClick() {
  if (!Session) return;
  SetColor(edJapan, QPalette::Text, Qt::red);
  edJapan->setText(FromCp932(Session->AnswerMeanings()));
  FocusNext(SpokenAnswer(edJapan->text()));
}

void TfrmKor2Jap::btNextClick() {
  if (!Session) return;
  if (Session->Next()) {
    ShowQuestion();
    return;
  }
  if (Session->Drill()) FinishQuiz();
  done(kModalOk);
}

void TfrmKor2Jap::FinishQuiz() {
  norumi::FinishQuiz(*this, *Session);
}

void TfrmKor2Jap::btCloseClick() {
  done(kModalOk);
}

void TfrmKor2Jap::showEvent(QShowEvent* event) {
  TForm::showEvent(event);
  // A window shown again keeps the focus of its last opening (閉じる, or the hidden 次へ):
  // a question being asked always starts in the answer field.
  if (!btHantei->isHidden()) edJapan->setFocus();
}

void TfrmKor2Jap::keyPressEvent(QKeyEvent* event) {
  if (const auto rating = KeyedRating(Session, *event)) {
    Run([this, rating] { RateAndGoOn(*rating); });
    return;
  }
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

bool TfrmKor2Jap::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edJapan && StartsAnEdit(event)) lbNotice->clear();
  const bool press = event->type() == QEvent::KeyPress;
  if (watched != edJapan || (!press && event->type() != QEvent::KeyRelease))
    return TForm::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if (!IsEnter(key)) return TForm::eventFilter(watched, event);
  // Only the release of an Enter that went down here judges: Enter on "次へ" moves the focus
  // here before it comes up, and a held key's repeats are neither.
  if (!key->isAutoRepeat()) {
    if (press)
      EnterDown = true;
    else if (EnterDown && !btHantei->isHidden())
      Run([this] { btHanteiClick(); });
  }
  return true;
}

}  // namespace norumi
