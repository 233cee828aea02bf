// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <vector>

#include "hangul/core/CommonSaver.h"
#include "hangul/core/Keyboard.h"
#include "hangul/core/Uni2Euc.h"
#include "platform/Form.h"

class QAction;
class QFileDialog;
class QLabel;
class QMenuBar;
class QPushButton;
class QStatusBar;

namespace norumi {

class TImage;
class TPronunciationLine;

// The Hangul keyboard: one button per jamo, the line typed so far, and commands to copy it to
// other programs in one of four forms, paste Korean back and save it as numeric references.
// The program creates it once and never shows it: hidden, it hosts what every window that shows
// Korean shares, the composition model, the drawing, the clipboard forms with their EUC-KR table
// and the copy and paste settings kept in pomnor.dat. The keyboard program shows it.
class TfrmKeyboard : public TForm {
  Q_OBJECT

 public:
  explicit TfrmKeyboard(Services& services);
  ~TfrmKeyboard() override;

  TKeyboard Keyboard;
  TUni2Euc Uni2Euc;
  // As pomnor.dat held them when last read: copy, paste and the settings dialog read it again.
  TSettingsBlock Settings;
  TPattern& Pattern = Settings.Pattern;
  TImage* Target;

  // Makes `image` the drawing target, sized to its control, and starts the model from `codes`.
  void AttachImage(TImage* image, const HangulCodes* codes = nullptr);
  // Draws `codes` (none: an empty line) into the target; the model is not touched.
  void DrawCodes(const HangulCodes* codes);
  void DrawModel();

  void btCopyClick();
  void btPasteClick();
  // The paste of btPasteClick on behalf of `caller`, the window the word is pasted into, which
  // is also the one that says when the clipboard holds no Korean. False when nothing was pasted.
  bool Paste(QWidget* caller);
  // The settings dialog on behalf of `caller`, which hides itself meanwhile. The settings are
  // saved after OK; EFCreateError when that fails.
  void mmPropClick(QWidget* caller);

  std::filesystem::path SettingsFile() const;

 signals:
  // Whatever was drawn into `target`, as it was drawn: the pronunciation line follows it.
  void Drawn(TImage* target, const HangulCodes* codes);

 public:
  TImage* imMoji;
  TPronunciationLine* lnPronounce;  // how the word typed is said
  QLabel* Label1;
  QLabel* Label2;
  std::vector<QPushButton*> KeyButtons;  // in the order of kJamoKeys
  QPushButton* btBack;
  QPushButton* btClear;
  QPushButton* btCopy;
  QPushButton* btPaste;
  QPushButton* btSpace;
  QPushButton* btClose;
  QPushButton* btSpeak;  // "発音" (F5): the word typed, spoken
  QStatusBar* StatusBar1;
  QMenuBar* MainMenu1;
  QAction* mmSave10;
  QAction* mmSave16;
  QAction* mmMin;
  QAction* mmCLose;
  QAction* mmCopy1;
  QAction* mmPaste;
  QAction* mmBack;
  QAction* mmAllClear;
  QAction* mmField;
  QAction* IER1;
  QAction* U1;
  QAction* mmProp;
  QAction* mmHome;

  void bbGClick(int tag);
  void btBackClick();
  void btClearClick();
  void btSpaceClick();
  void btCloseClick();
  void btSpeakClick();
  void mmMinClick();
  void mmSave10Click();
  void mmSave16Click();
  void IER1Click();
  void U1Click();
  void mmHomeClick();
  // The window's own view of a key before the focused control sees it. True when the key is
  // used up.
  bool FormKeyDown(const QKeyEvent& key);

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildControls();
  void BuildMenu();
  void ConnectHandlers();
  void FormCreate();
  void ReloadSettings();
  void CommitPending();
  // The clipboard's text in the paste form of the settings, as codes.
  HangulCodes ClipboardCodes();
  void ClearModel();
  void SaveReferences(bool hexadecimal);
  QFileDialog& SaveDialog();
  void Press(QPushButton* button, void (TfrmKeyboard::*handler)());

  QFileDialog* SaveDialog1 = nullptr;  // see SaveDialog()
};

extern TfrmKeyboard* frmKeyboard;

}  // namespace norumi
