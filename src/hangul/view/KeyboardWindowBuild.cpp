// SPDX-License-Identifier: GPL-3.0-or-later
// The keyboard window's controls and menu, and what each of them runs.
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "hangul/view/Drawing.h"
#include "hangul/view/KeyboardKeys.h"
#include "hangul/view/KeyboardWindow.h"
#include "hangul/view/PronunciationLine.h"
#include "platform/FormParts.h"

namespace norumi {

namespace {

constexpr int kClientWidth = 573;
// The pronunciation line lies under the word typed; the keys come below it.
constexpr int kLine = 26;
constexpr int kClientHeight = 282 + kLine;
constexpr int kKey = 32;    // every key button is square
constexpr int kPitch = 34;  // a key and the gap after it
constexpr int kLeft = 14;

// A key glyph as the button shows it: its white left out, so that the button's face shows
// around the jamo; from the glyph at twice the size on a screen scaled above 1.
QIcon GlyphIcon(int key) {
  QIcon icon;
  for (int scale : {1, 2}) {
    QImage glyph =
        HangulGlyphs::Instance().KeyGlyph(key, scale).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < glyph.height(); ++y) {
      auto* line = reinterpret_cast<QRgb*>(glyph.scanLine(y));
      for (int x = 0; x < glyph.width(); ++x)
        if (qRed(line[x]) == 255 && qGreen(line[x]) == 255 && qBlue(line[x]) == 255) line[x] = 0;
    }
    glyph.setDevicePixelRatio(scale);
    icon.addPixmap(QPixmap::fromImage(glyph));
  }
  return icon;
}

QPushButton* Button(QWidget* parent, const char* name, const QString& caption, const QString& hint,
                    QRect place) {
  auto* button = Named(new QPushButton(caption, parent), name);
  button->setStatusTip(hint);
  button->setAccessibleDescription(hint);
  button->setGeometry(place);
  return button;
}

}  // namespace

void TfrmKeyboard::BuildControls() {
  auto* client = Named(new QWidget(this), "pnlClient");
  client->setFixedSize(kClientWidth, kClientHeight);

  imMoji = Named(new TImage(client), "imMoji");
  imMoji->setGeometry(kLeft, 12, 545, 24);
  imMoji->setAccessibleDescription(QStringLiteral("入力した韓国語"));
  lnPronounce = new TPronunciationLine(services_.registry, client);
  lnPronounce->setGeometry(kLeft, 12 + 24 + 2, 545, 24);
  Label1 = Named(new QLabel(QStringLiteral("子音"), client), "Label1");
  Label1->move(kLeft, 44 + kLine);
  Label2 = Named(new QLabel(QStringLiteral("母音"), client), "Label2");
  Label2->move(kLeft, 140 + kLine);

  // Consonants in two rows of ten and nine, vowels in two rows of eleven and ten, in tag order.
  const HangulGlyphs& glyphs = HangulGlyphs::Instance();
  for (int i = 0; i < static_cast<int>(kJamoKeys.size()); ++i) {
    const JamoKey& key = kJamoKeys[i];
    const bool vowel = i >= 19;
    const int n = vowel ? i - 19 : i;
    const int perRow = vowel ? 11 : 10;
    const int top = (vowel ? 158 : 62) + kLine + (n / perRow) * kPitch;
    const QString hint = key.hint ? QString::fromUtf8(key.hint) : QString();
    QPushButton* button =
        Button(client, key.name, {}, hint, {kLeft + (n % perRow) * kPitch, top, kKey, kKey});
    button->setIcon(GlyphIcon(i));
    button->setIconSize(glyphs.KeyGlyph(i).size());
    // Heard as its jamo and keys, then its hint; a compound vowel, silent in the status bar,
    // is still heard with its reading.
    button->setAccessibleName(SpokenKeyName(key));
    button->setAccessibleDescription(SpokenKeyDescription(key));
    KeyButtons.push_back(button);
  }

  const int commands = kLeft + 11 * kPitch + 18;
  btBack = Button(client, "btBack", QStringLiteral("BS"), QStringLiteral("１文字消去します。"),
                  {commands, 62 + kLine, kKey, kKey});
  btClear = Button(client, "btClear", QStringLiteral("CL"), QStringLiteral("文字をクリアします。"),
                   {commands + kPitch, 62 + kLine, kKey, kKey});
  btSpace = Button(client, "btSpace", QStringLiteral("SP"), QStringLiteral("空白"),
                   {commands + 2 * kPitch, 62 + kLine, kKey, kKey});
  btCopy =
      Button(client, "btCopy", QStringLiteral("CP"),
             QStringLiteral("入力された文字をコピーします。"), {commands, 96 + kLine, kKey, kKey});
  btPaste = Button(client, "btPaste", QStringLiteral("PS"),
                   QStringLiteral("指定された文字コードでコピーされた韓国語を貼り付けます。"),
                   {commands + kPitch, 96 + kLine, kKey, kKey});
  btClose = Button(client, "btClose", QStringLiteral("Close"), QStringLiteral("終了します"),
                   {commands, 192 + kLine, 2 * kPitch + kKey, kKey});

  btSpeak = Button(client, "btSpeak", QStringLiteral("発音"),
                   QStringLiteral("入力した韓国語を読み上げます。(F5)"),
                   {commands, 130 + kLine, 2 * kPitch + kKey, kKey});
  btSpeak->hide();  // until the window is shown on a machine that can speak

  StatusBar1 = Named(new QStatusBar(client), "StatusBar1");
  StatusBar1->setSizeGripEnabled(false);
  StatusBar1->setGeometry(0, kClientHeight - 22, kClientWidth, 22);
  // It paints its hints itself: a screen reader hears them as its name.
  const auto nameStatus = [this](const QString& message) {
    StatusBar1->setAccessibleName(message.isEmpty() ? QStringLiteral("ステータスバー") : message);
  };
  nameStatus({});
  connect(StatusBar1, &QStatusBar::messageChanged, StatusBar1, nameStatus);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(client);
  FixSize();
}

void TfrmKeyboard::BuildMenu() {
  MainMenu1 = Named(new QMenuBar(this), "MainMenu1");
  const auto menu = [this](const char* name, const QString& caption) {
    QMenu* m = MainMenu1->addMenu(caption);
    m->setObjectName(QString::fromLatin1(name));
    return m;
  };
  const auto item = [](QMenu* m, const char* name, const QString& caption, const QString& hint) {
    QAction* a = m->addAction(caption);
    a->setObjectName(QString::fromLatin1(name));
    a->setStatusTip(hint);
    return a;
  };
  QMenu* file = menu("F1", QStringLiteral("ﾌｧｲﾙ(&F)"));
  mmSave10 = item(file, "mmSave10", QStringLiteral("10進UNICODEで保存(&S)"),
                  QStringLiteral("&#13425・・の形式でファイルに保存します"));
  mmSave16 = item(file, "mmSave16", QStringLiteral("16進UNICODEで保存(&X)"),
                  QStringLiteral("&#x12ad・・の形式でファイルに保存します"));
  file->addSeparator();
  mmMin = item(file, "mmMin", QStringLiteral("最小化(&M)"), QStringLiteral("画面を最小化します"));
  mmCLose = item(file, "mmCLose", QStringLiteral("閉じる(&C)"), QStringLiteral("終了します"));

  QMenu* edit = menu("E1", QStringLiteral("編集(&E)"));
  mmCopy1 = item(edit, "mmCopy1", QStringLiteral("コピー(&C)"),
                 QStringLiteral("指定された韓国語文字列としてコピーします"));
  mmPaste = item(edit, "mmPaste", QStringLiteral("貼り付け(&P)"),
                 QStringLiteral("コピーされた韓国語文字列を画面に貼り付けます"));
  // The keys FormKeyDown takes for these items.
  ShowShortcut(mmCopy1, QKeySequence::Copy);
  ShowShortcut(mmPaste, QKeySequence::Paste);
  edit->addSeparator();
  mmBack = item(edit, "mmBack", QStringLiteral("Back Space(&B)"),
                QStringLiteral("１文字戻って消します"));
  ShowShortcut(mmBack, QKeySequence(Qt::Key_Backspace));
  mmAllClear = item(edit, "mmAllClear", QStringLiteral("文字のクリア(&A)"),
                    QStringLiteral("すべての文字をクリアします"));
  edit->addSeparator();
  mmField = item(edit, "mmField", QStringLiteral("入力フィールド指定(&F)"), {});
  mmField->setEnabled(false);

  QMenu* tools = menu("T1", QStringLiteral("ﾂｰﾙ(&T)"));
  IER1 = item(tools, "IER1", QStringLiteral("IEへの登録(&R)"),
              QStringLiteral("Internet Explorerのツールバーに登録します"));
  U1 = item(tools, "U1", QStringLiteral("ｱﾝｲﾝｽﾄｰﾙの準備(&U)"), {});
  U1->setData(0);  // its Tag: 0 while the next click prepares the removal

  QMenu* options = menu("O1", QStringLiteral("ｵﾌﾟｼｮﾝ(&O)"));
  mmProp = item(options, "mmProp", QStringLiteral("設定(&P)"), {});
  QMenu* help = menu("H1", QStringLiteral("ﾍﾙﾌﾟ(&H)"));
  mmHome = item(help, "mmHome", QStringLiteral("ポミダル ホームページ(&R)"), {});
  layout()->setMenuBar(MainMenu1);
}

void TfrmKeyboard::ConnectHandlers() {
  for (int i = 0; i < static_cast<int>(KeyButtons.size()); ++i) {
    const int tag = kJamoKeys[i].tag;
    connect(KeyButtons[i], &QPushButton::clicked, this,
            [this, tag] { Run([this, tag] { bbGClick(tag); }); });
  }
  Handle(btBack, &QPushButton::clicked, &TfrmKeyboard::btBackClick);
  Handle(btClear, &QPushButton::clicked, &TfrmKeyboard::btClearClick);
  Handle(btCopy, &QPushButton::clicked, &TfrmKeyboard::btCopyClick);
  Handle(btPaste, &QPushButton::clicked, &TfrmKeyboard::btPasteClick);
  Handle(btSpace, &QPushButton::clicked, &TfrmKeyboard::btSpaceClick);
  Handle(btClose, &QPushButton::clicked, &TfrmKeyboard::btCloseClick);
  Handle(btSpeak, &QPushButton::clicked, &TfrmKeyboard::btSpeakClick);
  Handle(mmSave10, &QAction::triggered, &TfrmKeyboard::mmSave10Click);
  Handle(mmSave16, &QAction::triggered, &TfrmKeyboard::mmSave16Click);
  Handle(mmMin, &QAction::triggered, &TfrmKeyboard::mmMinClick);
  Handle(mmCLose, &QAction::triggered, &TfrmKeyboard::btCloseClick);
  Handle(mmCopy1, &QAction::triggered, &TfrmKeyboard::btCopyClick);
  Handle(mmPaste, &QAction::triggered, &TfrmKeyboard::btPasteClick);
  Handle(mmBack, &QAction::triggered, &TfrmKeyboard::btBackClick);
  Handle(mmAllClear, &QAction::triggered, &TfrmKeyboard::btClearClick);
  Handle(IER1, &QAction::triggered, &TfrmKeyboard::IER1Click);
  Handle(U1, &QAction::triggered, &TfrmKeyboard::U1Click);
  connect(mmProp, &QAction::triggered, this, [this] { Run([this] { mmPropClick(this); }); });
  Handle(mmHome, &QAction::triggered, &TfrmKeyboard::mmHomeClick);

  // Keyboard preview: the window sees every key before the control that has the focus.
  // The save dialog is a window of its own and keeps its keys.
  auto* client = findChild<QWidget*>(QStringLiteral("pnlClient"));
  installEventFilter(this);
  client->installEventFilter(this);
  for (QWidget* child : client->findChildren<QWidget*>()) child->installEventFilter(this);
}

}  // namespace norumi
