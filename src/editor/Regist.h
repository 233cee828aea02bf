// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "editor/WordFileWriter.h"
#include "model/TangoList.h"
#include "platform/Form.h"
#include "storage/WordFileLock.h"

class QAction;
class QFileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;

namespace norumi {

class TImage;
class TPronunciationLine;

// The word editor: browses the entries of one word file, registers a pasted Korean word with
// its meaning, adds and deletes entries, and in teacher mode edits a word's explanation and
// issues its mail-magazine code; words can also be read in from tab-separated text. The file is
// written back after every registration and deletion and when the window closes, while the window
// is still open: a save that fails leaves it open with its words. A large file is written behind
// the window, which answers meanwhile; it closes only once the file is written. It also shows the
// one word of a received code, with nothing to browse or change.
class TfrmRegist : public TForm {
  Q_OBJECT

 public:
  // `write`: how the file is written (see WordFileWriter).
  explicit TfrmRegist(Services& services, WordFileWriter::Write write = {});
  ~TfrmRegist() override;

  // Set by the menu before each OpenFile.
  bool teachMode = false;
  // Files of this many bytes or more are written behind the window. A smaller one is written
  // before 登録 returns, as it takes no time worth hiding, and a failure shows at once.
  size_t writeBehindFrom = size_t(1) << 20;

  // Edits the word file at `file` modally and saves it as it goes. kModalCancel without showing
  // anything when the user gives up waiting for another program that holds the file.
  int OpenFile(const std::filesystem::path& file);
  // Shows `entry` of `list` read-only, modally; nothing is saved and `list` is left as it was.
  int ShowDisplayOnly(TTangoList& list, const TTango& entry);

  int32_t CurrentIndex = 0;
  bool Modified = false;
  TTangoList* WordList;

  QLabel* lbTanName;
  QFrame* Shape1;
  QPushButton* btLeft;
  QPushButton* btRight;
  QLineEdit* edNo;
  QPushButton* btJump;
  QLabel* Label1;
  TImage* imMoji;
  TPronunciationLine* lnPronounce;  // how the word being edited is said
  QLabel* Label2;
  QLineEdit* edJapan;
  QPushButton* btHanguel;
  QPushButton* btNorumi;
  QPushButton* btOption;
  QPushButton* btMagCode;
  QPushButton* btRegist;
  QPushButton* btDelete;
  QPushButton* btClose;
  QPushButton* btSpeak;  // "発音" (F5): the word being edited, spoken
  QMenuBar* MainMenu1;
  QMenu* F1;
  QAction* T1;
  QAction* C1;
  QMenu* E1;
  QAction* P1;
  QAction* K1;
  QMenu* O1;
  QAction* P2;

 public slots:
  // Every way of closing (閉じる, its menu item, Escape, the title bar) ends here.
  void done(int result) override;
  void edJapanChange();
  void btLeftClick();
  void btRightClick();
  void btJumpClick();
  void btRegistClick();
  void btDeleteClick();
  void btHanguelClick();
  void btNorumiClick();
  void btOptionClick();
  void btMagCodeClick();
  void btCloseClick();
  void btSpeakClick();
  void P2Click();
  // "TSVから読み込み...": adds the words of a tab-separated text file, as wbk import does.
  void T1Click();

 protected:
  void keyPressEvent(QKeyEvent* event) override;  // FormKeyDown
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;  // FormKeyDown, from the edits

 private:
  void BuildControls();
  void BuildMenu();
  void ConnectHandlers();
  void ShowEntry(int32_t n);
  void ShowTango(const TTango& entry);
  void StoreEntry(int32_t i);
  // False when the entry on screen has changes and the user keeps them (caption of the box).
  bool MayLeaveEntry(const QString& caption);
  // Moves to entry `n`, after asking when the entry on screen has changes.
  void MoveTo(int32_t n, const QString& caption);
  bool IsLocked() const;
  // The word file of one opening: loaded here and written back here, nowhere else. False when
  // the user gave up waiting for its lock.
  bool LoadWordFile(const std::filesystem::path& file);
  // Throws when the file cannot be written; the list keeps every word. A file written behind the
  // window reports a failure when its writes end (WriteEnded).
  void SaveWordFile();
  void WriteWordFile(const std::filesystem::path& path);
  void WriteEnded();
  // Waits for the writes under way, with a progress line when they take a while; throws what
  // the last one failed with.
  void FinishWrites();
  // Asks about the entry on screen and saves; false keeps the window open.
  bool MayClose();
  void SetCaptions(const QString& windowPrefix);
  QFileDialog& OpenDialog();

  std::unique_ptr<TTangoList> ownList_;
  // Where the opened file is written back; none while nothing may be written (a damaged file, a
  // folder or file that cannot be written).
  std::optional<std::filesystem::path> savePath_;
  // True while a word file is open for editing (not for a display-only showing).
  bool editing_ = false;
  // Held from the load to the save, so that no other writer changes the file meanwhile.
  std::unique_ptr<WordFileLock> fileLock_;
  QFileDialog* OpenDialog1 = nullptr;  // see OpenDialog()
  // True while a list is being read in: the window stays open until its words are added.
  bool importing_ = false;
  WordFileWriter writer_;
  // True while the window waits for its writes to end: their failure is the closing's to show.
  bool finishing_ = false;
};

extern TfrmRegist* frmRegist;

}  // namespace norumi
