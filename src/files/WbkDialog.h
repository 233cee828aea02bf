// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "model/TangoList.h"
#include "platform/Form.h"

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace norumi {

// Lists the word files in the program's folder and lets the learner check the file or files to
// work on: any number before a quiz, at most one (and create, delete, configure) before the
// word editor.
class TfrmWBKDialog : public TForm {
  Q_OBJECT

 public:
  explicit TfrmWBKDialog(Services& services);

  // Set by the menu before each opening.
  bool teachMode = false;
  QString userName;

  int Execute(bool editMode);
  // The first checked file loaded, the others merged into it. For two or more, the title
  // "複合問題", read-only when any of them is, and the histories of `combinedFile`, the file the
  // combined list is saved to (see TakeCombinedHistories).
  // `ends`, when given, receives where each checked file's words end in the list.
  std::unique_ptr<TTangoList> BuildWordList(const TTangoList* combinedFile = nullptr,
                                            std::vector<int>* ends = nullptr);
  // The name of the first checked entry as the folder spells it, not as the list shows it.
  QString CheckedFileName() const;
  // The word file behind each checked entry, in list order (see ItemPath).
  std::vector<std::optional<std::filesystem::path>> CheckedFilePaths() const;

  // One entry of the list: the name shown, and the word file it opens (none for a name that
  // cannot be one of the folder).
  struct ListedFile {
    QString name;
    std::optional<std::filesystem::path> path;
  };
  // The word files of `folder` as the list shows them, in name order.
  static std::vector<ListedFile> ListedFiles(const std::filesystem::path& folder);

  void RefreshFileList();
  static int FindFiles(const std::filesystem::path& folder, const QString& extension,
                       bool fullPaths, QStringList* result);
  // The same walk, giving the paths as the file system spells them.
  static int FindFiles(const std::filesystem::path& folder, const QString& extension,
                       std::vector<std::filesystem::path>* result);
  QString ReadTeacherId() const;

  QLabel* Label2;
  QLabel* Label1;
  QListWidget* clbFile;
  QLabel* lbLTitle;
  QLabel* lbTitle;
  QLabel* lbLUrl;
  QLabel* lbUrl;
  QPushButton* btCreate;
  QPushButton* btDel;
  QWidget* Panel1;
  QLabel* Label4;
  QLineEdit* edNum;
  QCheckBox* cbRandom;
  QCheckBox* cbHist;
  QPushButton* btOption;
  QPushButton* btOk;
  QPushButton* btClose;
  QFrame* Shape1;
  QFrame* Shape2;

 public slots:
  void clbFileClick();
  void clbFileClickCheck();
  void btOkClick();
  void btCloseClick();
  void btCreateClick();
  void btDelClick();
  void lbTitleDblClick();
  void lbUrlClick();
  void btOptionClick();

 private:
  void BuildControls();
  void ConnectHandlers();
  // The entry the learner selected; none right after an opening or a refresh.
  QListWidgetItem* SelectedItem() const;
  // The word file an entry opens: the very file the listing found in the folder, whatever its
  // name is made of; for one found in a sub-folder, the folder's own file of that name. None
  // when that name can be no word file of the folder.
  std::optional<std::filesystem::path> ItemPath(const QListWidgetItem* item) const;
  void CheckToggled(QListWidgetItem* item);
  // Shows a file's web address; a click opens the address itself, not what the label shows.
  void ShowUrl(const QString& url);
  // One change of the selected file by the teacher who created it: loads it under its lock,
  // lets `change` work on it and saves it when `change` returns true; true once it is saved. A
  // file of another creator is refused with a message; a name that is no word file of the
  // folder does nothing.
  bool ChangeTeachersFile(
      const std::function<bool(TTangoList&, const std::filesystem::path&)>& change);

  // What each entry of clbFile stands for, by row.
  std::vector<std::optional<std::filesystem::path>> itemPaths_;
  QString url_;
};

extern TfrmWBKDialog* frmWBKDialog;

}  // namespace norumi
