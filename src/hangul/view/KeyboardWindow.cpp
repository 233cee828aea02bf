// SPDX-License-Identifier: GPL-3.0-or-later
#include "hangul/view/KeyboardWindow.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>

#include "hangul/core/CodeKinds.h"
#include "hangul/core/TextForms.h"
#include "hangul/view/Drawing.h"
#include "hangul/view/KeyboardKeys.h"
#include "hangul/view/PatternDialog.h"
#include "hangul/view/PronunciationLine.h"
#include "platform/Clipboard.h"
#include "platform/Dialogs.h"
#include "platform/Speech.h"
#include "storage/FileErrors.h"

namespace norumi {

TfrmKeyboard* frmKeyboard = nullptr;

TfrmKeyboard::TfrmKeyboard(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmKeyboard"));
  setWindowTitle(QStringLiteral("ノルミキーボード"));
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setWindowOpacity(200.0 / 255.0);
  BuildControls();
  BuildMenu();
  ConnectHandlers();
  FormCreate();
}

// Nothing is saved at exit: the settings are written when they are chosen.
TfrmKeyboard::~TfrmKeyboard() = default;

std::filesystem::path TfrmKeyboard::SettingsFile() const {
  return services_.wordFolder / "pomnor.dat";
}

void TfrmKeyboard::FormCreate() {
  imMoji->Picture = QImage(imMoji->size(), QImage::Format_RGB32);
  imMoji->Picture.fill(Qt::white);
  Uni2Euc = TUni2Euc::FromProgramFolder(services_.dataFolder);
  Target = imMoji;
  lnPronounce->Follow(*this, imMoji);
  ReloadSettings();
}

void TfrmKeyboard::showEvent(QShowEvent* event) {
  TForm::showEvent(event);
  // A sound output may have come or gone since the window was last shown.
  btSpeak->setVisible(CanSpeak(services_));
}

void TfrmKeyboard::btSpeakClick() {
  HangulCodes codes;
  Keyboard.GetCodes(codes);
  Speak(services_, codes);
}

void TfrmKeyboard::ReloadSettings() {
  // The keyboard program shares the file and may have changed it since.
  Settings = TSettingsBlock::Read(SettingsFile());
}

void TfrmKeyboard::AttachImage(TImage* image, const HangulCodes* codes) {
  Target = image;
  Target->Picture = QImage(Target->size(), QImage::Format_RGB32);
  Keyboard.Clear();
  if (codes) Keyboard.Codes = *codes;
  DrawCodes(codes);
}

void TfrmKeyboard::DrawCodes(const HangulCodes* codes) {
  Target->SetPicture(norumi::DrawCodes(codes, Target->size(), Target->devicePixelRatioF()),
                     DrawnText(codes));
  emit Drawn(Target, codes);
}

void TfrmKeyboard::DrawModel() {
  HangulCodes codes;
  Keyboard.GetCodes(codes);
  DrawCodes(&codes);
}

void TfrmKeyboard::ClearModel() {
  Keyboard.Clear();
  DrawCodes(nullptr);
}

void TfrmKeyboard::CommitPending() {
  if (Keyboard.KeyCount == 0) return;
  Keyboard.Codes.push_back(Keyboard.Pending);
  Keyboard.Keys.fill(0);
  Keyboard.KeyCount = 0;
  Keyboard.Pending = 0;
}

void TfrmKeyboard::bbGClick(int tag) {
  Keyboard.AddKey(static_cast<int8_t>(tag));
  DrawModel();
}

void TfrmKeyboard::btBackClick() {
  Keyboard.BackSpace();
  DrawModel();
}

void TfrmKeyboard::btClearClick() {
  ClearModel();
}

void TfrmKeyboard::btSpaceClick() {
  Keyboard.AppendCode(32);
  DrawModel();
}

void TfrmKeyboard::btCloseClick() {
  close();
}

void TfrmKeyboard::mmMinClick() {
  showMinimized();
}

void TfrmKeyboard::btCopyClick() {
  ReloadSettings();
  HangulCodes codes;
  Keyboard.GetCodes(codes);
  if (services_.clipboard) {
    switch (Pattern.CopyPattern) {
      case 0:
        services_.clipboard->Put(CodesToEucKr(codes, Uni2Euc), CodesToUnicodeText(codes));
        break;
      case 1:
        services_.clipboard->Put(CodesToEucKr(codes, Uni2Euc), std::nullopt);
        break;
      case 2:
      case 3:
        services_.clipboard->Put(CodesToReferences(codes, Pattern.CopyPattern == 3), std::nullopt);
        break;
      default:
        break;
    }
  }
  if (Pattern.ClearOnCopy == 1) ClearModel();
  // Out of the way, so that the learner can paste into another program.
  for (QWidget* window : QApplication::topLevelWidgets())
    if (window->isVisible()) window->showMinimized();
}

void TfrmKeyboard::btPasteClick() {
  Paste(this);
}

bool TfrmKeyboard::Paste(QWidget* caller) {
  ReloadSettings();
  const HangulCodes pasted = ClipboardCodes();
  // A paste that would only add empty cells, or nothing, is taken for one that went wrong: the
  // word stays as it was, and the learner learns why nothing appeared.
  if (!DrawsSomething(pasted)) {
    services_.dialogs.MessageBox(caller, QStringLiteral("クリップボードに韓国語がありません"),
                                 caller->windowTitle(), MsgIcon::Information);
    return false;
  }
  if (Pattern.ClearOnPaste == 1) ClearModel();
  CommitPending();
  AppendPasted(Keyboard.Codes, pasted);
  DrawModel();
  return true;
}

HangulCodes TfrmKeyboard::ClipboardCodes() {
  HangulCodes pasted;
  if (IClipboard* clipboard = services_.clipboard) {
    if (Pattern.PastePattern == 0) {
      if (const auto text = clipboard->UnicodeText()) pasted = UnicodeTextToCodes(*text);
    } else if (Pattern.PastePattern == 1) {
      if (const auto bytes = clipboard->PlainText()) pasted = EucKrToCodes(*bytes, Uni2Euc);
    } else if (Pattern.PastePattern == 2 || Pattern.PastePattern == 3) {
      // References are plain ASCII: a program that offers only UTF-8 text or HTML has them too.
      if (const auto bytes = clipboard->PlainText())
        pasted = ReferencesToCodes(*bytes);
      else if (const auto text = clipboard->UnicodeText())
        pasted = ReferencesToCodes(QString::fromStdU16String(*text).toStdString());
    }
  }
  return pasted;
}

void TfrmKeyboard::mmPropClick(QWidget* caller) {
  if (caller) caller->hide();
  ReloadSettings();
  frmPattern->rbCopy2->setEnabled(Uni2Euc.IsAvailable());
  frmPattern->rbPaste2->setEnabled(Uni2Euc.IsAvailable());
  const int result = frmPattern->EditPattern(Pattern);
  if (caller) caller->show();
  // Saved at once rather than at exit, where the program closed last would put back what it
  // read at its start over the other's choice.
  if (result == kModalOk && Settings.Write(SettingsFile()) != 0)
    throw EFCreateError(SettingsFile());
}

void TfrmKeyboard::Press(QPushButton* button, void (TfrmKeyboard::*handler)()) {
  button->setFocus();
  (this->*handler)();
}

bool TfrmKeyboard::FormKeyDown(const QKeyEvent& key) {
  const int code = key.key();
  const bool ctrl = key.modifiers() & Qt::ControlModifier;
  if (code == Qt::Key_Backspace) {
    Press(btBack, &TfrmKeyboard::btBackClick);
  } else if (code == Qt::Key_Space) {
    Press(btSpace, &TfrmKeyboard::btSpaceClick);
    return true;  // a focused button would take it for a click
  } else if (code == Qt::Key_F5 && !btSpeak->isHidden()) {
    Press(btSpeak, &TfrmKeyboard::btSpeakClick);
    return true;
  } else if (ctrl && code == Qt::Key_C) {
    Press(btCopy, &TfrmKeyboard::btCopyClick);
  } else if (ctrl && code == Qt::Key_V) {
    Press(btPaste, &TfrmKeyboard::btPasteClick);
  } else if (code >= Qt::Key_A && code <= Qt::Key_Z) {
    const int index = JamoKeyForLetter(static_cast<char>('A' + (code - Qt::Key_A)),
                                       key.modifiers() & Qt::ShiftModifier);
    if (index >= 0) {
      KeyButtons[index]->setFocus();
      bbGClick(kJamoKeys[index].tag);
    }
  }
  return false;
}

bool TfrmKeyboard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    // Seen once, where the key arrives first: a key a control leaves unused travels on to its
    // parents, which are watched too.
    QWidget* first = focusWidget() ? focusWidget() : this;
    if (watched == first) {
      bool used = false;
      Run([&] { used = FormKeyDown(*static_cast<QKeyEvent*>(event)); });
      return used;
    }
  }
  return TForm::eventFilter(watched, event);
}

void TfrmKeyboard::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) return;  // the keyboard is closed by its commands only
  TForm::keyPressEvent(event);
}

bool TfrmKeyboard::event(QEvent* event) {
  if (event->type() == QEvent::StatusTip) {
    StatusBar1->showMessage(static_cast<QStatusTipEvent*>(event)->tip());
    return true;
  }
  return TForm::event(event);
}

}  // namespace norumi
