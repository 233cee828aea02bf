// SPDX-License-Identifier: GPL-3.0-or-later
#include "files/WbkDialog.h"

#include <QAccessible>
#include <QCheckBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <algorithm>
#include <vector>

#include "files/ClickLabel.h"
#include "files/WordFolder.h"
#include "model/CombinedList.h"
#include "model/WordFileUpdate.h"
#include "platform/Dialogs.h"
#include "platform/ExceptionDisplay.h"
#include "platform/FormParts.h"
#include "platform/Shell.h"
#include "platform/text/Cp932.h"
#include "platform/text/ShownControls.h"
#include "platform/text/WordFileName.h"
#include "platform/text/WordFilePath.h"
#include "storage/FileErrors.h"
#include "storage/WordFileLock.h"

namespace norumi {

TfrmWBKDialog* frmWBKDialog = nullptr;

namespace fs = std::filesystem;

namespace {

const QString kCreateCaption = QStringLiteral("新規作成");
const QString kDeleteCaption = QStringLiteral("削除");
const QString kRetitleCaption = QStringLiteral("タイトルの変更");
// How this window names itself in the lock files it holds.
constexpr std::string_view kWindowName = "単語ファイル選択";

// A word file of the list. The desktop's accessibility bus carries that an item is checked but
// not that it can be, so a screen reader would say "checked" of a checked file and nothing of an
// unchecked one: the unchecked one says so in its name.
class FileItem : public QListWidgetItem {
 public:
  using QListWidgetItem::QListWidgetItem;

  QVariant data(int role) const override {
    if (role == Qt::AccessibleTextRole && checkState() == Qt::Unchecked)
      return text() + QStringLiteral("、チェックなし");
    return QListWidgetItem::data(role);
  }
  // The list tells no one of a check toggled with Space: without this, the learner hears nothing
  // until they move away and back.
  void setData(int role, const QVariant& value) override {
    QListWidgetItem::setData(role, value);
    QListWidget* list = listWidget();
    if (role != Qt::CheckStateRole || !list) return;
    QAccessible::State changed;
    changed.checked = true;
    QAccessibleStateChangeEvent state(list, changed);
    state.setChild(list->row(this));
    QAccessible::updateAccessibility(&state);
    QAccessibleEvent name(list, QAccessible::NameChanged);
    name.setChild(list->row(this));
    QAccessible::updateAccessibility(&name);
  }
};

}  // namespace

TfrmWBKDialog::TfrmWBKDialog(Services& services) : TForm(services) {
  setObjectName(QStringLiteral("frmWBKDialog"));
  setWindowTitle(QStringLiteral("ポミダル Norumi! > 単語ファイル選択"));
  BuildControls();
  ConnectHandlers();
}

void TfrmWBKDialog::BuildControls() {
  Label2 =
      Named(new QLabel(QStringLiteral("単語ファイルにチェックを入れてOKボタンを押してください")),
            "Label2");
  Label1 = Named(new QLabel(QStringLiteral("単語ファイル")), "Label1");
  clbFile = Named(new QListWidget, "clbFile");
  clbFile->setSelectionMode(QAbstractItemView::SingleSelection);
  clbFile->setMinimumSize(220, 200);
  Label1->setBuddy(clbFile);
  clbFile->setAccessibleName(Label1->text());  // a list takes no name from a buddy label

  lbLTitle = Named(new QLabel(QStringLiteral("タイトル")), "lbLTitle");
  auto* title = Named(new ClickLabel, "lbTitle");
  StyleTitle(title);
  title->setWordWrap(true);
  title->setFixedWidth(220);
  lbTitle = title;
  lbLUrl = Named(new QLabel(QStringLiteral("URL")), "lbLUrl");
  auto* url = PlainLabel<ClickLabel>("lbUrl");
  url->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
  url->setCursor(Qt::PointingHandCursor);
  url->setFixedWidth(220);
  lbUrl = url;
  btCreate = Named(new QPushButton(kCreateCaption), "btCreate");
  btDel = Named(new QPushButton(kDeleteCaption), "btDel");

  Panel1 = Named(new QWidget, "Panel1");
  Label4 = Named(new QLabel(QStringLiteral("出題数")), "Label4");
  edNum = Named(new QLineEdit, "edNum");
  edNum->setMaximumWidth(80);
  Label4->setBuddy(edNum);
  cbRandom = Named(new QCheckBox(QStringLiteral("ランダムに出題")), "cbRandom");
  cbHist = Named(new QCheckBox(QStringLiteral("以前間違えた問題のみ出題")), "cbHist");
  auto* count = new QHBoxLayout;
  count->addWidget(Label4);
  count->addWidget(edNum);
  count->addStretch();
  auto* quiz = new QVBoxLayout(Panel1);
  quiz->setContentsMargins(0, 0, 0, 0);
  quiz->addLayout(count);
  quiz->addWidget(cbRandom);
  quiz->addWidget(cbHist);

  btOption = Named(new QPushButton(kOptionCaption), "btOption");
  btOk = Named(new QPushButton(QStringLiteral("OK")), "btOk");
  btClose = Named(new QPushButton(QStringLiteral("閉じる")), "btClose");
  Shape1 = Rule("Shape1", "blue");
  Shape2 = Rule("Shape2", "blue");
  // Enter in the list or the question count presses OK; on a focused button, that button.
  btOk->setDefault(true);

  auto* details = new QVBoxLayout;
  details->addWidget(lbLTitle);
  details->addWidget(lbTitle);
  details->addWidget(lbLUrl);
  details->addWidget(lbUrl);
  details->addStretch();
  details->addWidget(btCreate);
  details->addWidget(btDel);

  auto* files = new QGridLayout;
  files->addWidget(Label1, 0, 0);
  files->addWidget(clbFile, 1, 0);
  files->addLayout(details, 1, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(btOption);
  buttons->addStretch();
  buttons->addWidget(btOk);
  buttons->addWidget(btClose);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Label2);
  layout->addWidget(Shape1);
  layout->addLayout(files);
  layout->addWidget(Panel1);
  layout->addWidget(Shape2);
  layout->addLayout(buttons);
  FixSize();

  setTabOrder(clbFile, btCreate);
  setTabOrder(btCreate, btDel);
  setTabOrder(btDel, edNum);
  setTabOrder(edNum, cbRandom);
  setTabOrder(cbRandom, cbHist);
  setTabOrder(cbHist, btOption);
  setTabOrder(btOption, btOk);
  setTabOrder(btOk, btClose);
}

void TfrmWBKDialog::ConnectHandlers() {
  Handle(clbFile, &QListWidget::itemSelectionChanged, &TfrmWBKDialog::clbFileClick);
  Handle(btOk, &QPushButton::clicked, &TfrmWBKDialog::btOkClick);
  Handle(btClose, &QPushButton::clicked, &TfrmWBKDialog::btCloseClick);
  Handle(btCreate, &QPushButton::clicked, &TfrmWBKDialog::btCreateClick);
  Handle(btDel, &QPushButton::clicked, &TfrmWBKDialog::btDelClick);
  Handle(btOption, &QPushButton::clicked, &TfrmWBKDialog::btOptionClick);
  Handle(static_cast<ClickLabel*>(lbTitle), &ClickLabel::doubleClicked,
         &TfrmWBKDialog::lbTitleDblClick);
  Handle(static_cast<ClickLabel*>(lbUrl), &ClickLabel::clicked, &TfrmWBKDialog::lbUrlClick);
  // The entries are not editable, so a change of an item is a change of its check box.
  connect(clbFile, &QListWidget::itemChanged, this,
          [this](QListWidgetItem* item) { Run([this, item] { CheckToggled(item); }); });
}

int TfrmWBKDialog::Execute(bool editMode) {
  RefreshFileList();
  lbTitle->clear();
  ShowUrl(QString());
  btCreate->setVisible(editMode);
  btDel->setVisible(editMode);
  btOption->setVisible(teachMode && editMode);
  HelpContext = editMode ? 33 : 11;
  clbFile->setFocus();  // where the choice starts, whatever had the focus when it last closed
  return services_.dialogs.ShowModal(*this);
}

std::vector<TfrmWBKDialog::ListedFile> TfrmWBKDialog::ListedFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  FindFiles(folder, QStringView(kWordFileExtension).toString(), &files);
  std::vector<ListedFile> entries;
  std::error_code error;
  for (const fs::path& file : files) {
    const QString shown = ListedName(file);
    const qsizetype dot = shown.lastIndexOf(QLatin1Char('.'));
    ListedFile entry{dot < 0 ? shown : shown.left(dot), std::nullopt};
    // A word file of the folder itself opens as it was found, whatever its name is made of;
    // anything else listed (one of a sub-folder, "x.wbk.bak") only by the name it shows.
    const QString extension = ListedName(file.extension());
    if (extension.compare(QStringView(kWordFileExtension), Qt::CaseInsensitive) == 0 &&
        fs::equivalent(file.parent_path(), folder, error))
      entry.path = file;
    else
      entry.path = ListedFilePath(folder, entry.name);
    entries.push_back(std::move(entry));
  }
  // Directory order is arbitrary on Linux and changes as files come and go: a learner finds a
  // file where they left it only in name order.
  std::stable_sort(entries.begin(), entries.end(), [](const ListedFile& a, const ListedFile& b) {
    const int folded = a.name.compare(b.name, Qt::CaseInsensitive);
    return folded != 0 ? folded < 0 : a.name < b.name;
  });
  return entries;
}

void TfrmWBKDialog::RefreshFileList() {
  std::vector<ListedFile> entries = ListedFiles(services_.wordFolder);
  clbFile->clear();
  itemPaths_.clear();
  for (ListedFile& entry : entries) {
    // Built before it joins the list, so that no check change is reported for it.
    auto* item = new FileItem(ShowControls(entry.name));
    item->setData(Qt::UserRole, entry.name);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
    clbFile->addItem(item);
    itemPaths_.push_back(std::move(entry.path));
  }
}

int TfrmWBKDialog::FindFiles(const fs::path& folder, const QString& extension, bool fullPaths,
                             QStringList* result) {
  std::vector<fs::path> found;
  const int count = FindFiles(folder, extension, &found);
  if (result) {
    for (const fs::path& file : found)
      result->append(fullPaths ? FromPath(file) : FromPath(file.filename()));
  }
  return count;
}

int TfrmWBKDialog::FindFiles(const fs::path& folder, const QString& extension,
                             std::vector<fs::path>* result) {
  std::error_code error;
  fs::directory_iterator entry(folder, error);
  const QString wanted = extension.toUpper();
  int count = 0;
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    std::error_code statusError;
    const fs::file_status status = entry->symlink_status(statusError);
    if (statusError) continue;
    if (fs::is_directory(status)) {
      count += FindFiles(entry->path(), extension, result);
      continue;
    }
    // A link to a folder is never followed: one pointing upwards would never end.
    if (fs::is_symlink(status) && fs::is_directory(entry->status(statusError))) continue;
    if (!ListedName(entry->path()).toUpper().contains(wanted)) continue;
    ++count;
    if (result) result->push_back(entry->path());
  }
  return count;
}

QListWidgetItem* TfrmWBKDialog::SelectedItem() const {
  const QList<QListWidgetItem*> selected = clbFile->selectedItems();
  return selected.isEmpty() ? nullptr : selected.first();
}

std::optional<fs::path> TfrmWBKDialog::ItemPath(const QListWidgetItem* item) const {
  const int row = item ? clbFile->row(item) : -1;
  if (row < 0 || size_t(row) >= itemPaths_.size()) return std::nullopt;
  return itemPaths_[size_t(row)];
}

std::vector<std::optional<fs::path>> TfrmWBKDialog::CheckedFilePaths() const {
  std::vector<std::optional<fs::path>> paths;
  for (int i = 0; i < clbFile->count(); ++i) {
    if (clbFile->item(i)->checkState() == Qt::Checked) paths.push_back(ItemPath(clbFile->item(i)));
  }
  return paths;
}

void TfrmWBKDialog::clbFileClick() {
  const QListWidgetItem* item = SelectedItem();
  if (!item) return;
  TTangoList list;
  if (const auto path = ItemPath(item)) list.LoadHeaderFromFile(*path);
  lbTitle->setText(ShowControls(FromCp932(list.Title)));
  ShowUrl(FromCp932(list.Url));
}

void TfrmWBKDialog::ShowUrl(const QString& url) {
  url_ = url;
  lbUrl->setText(ShowControls(url));
}

void TfrmWBKDialog::CheckToggled(QListWidgetItem* item) {
  // Toggling a check box selects its entry, as clicking on it does.
  if (SelectedItem() != item) clbFile->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
  clbFileClickCheck();
}

void TfrmWBKDialog::clbFileClickCheck() {
  if (btCreate->isHidden()) return;
  const QListWidgetItem* selected = SelectedItem();
  const QSignalBlocker quiet(clbFile);
  for (int i = 0; i < clbFile->count(); ++i) {
    QListWidgetItem* item = clbFile->item(i);
    if (item != selected) item->setCheckState(Qt::Unchecked);
  }
}

QString TfrmWBKDialog::CheckedFileName() const {
  for (int i = 0; i < clbFile->count(); ++i) {
    if (clbFile->item(i)->checkState() == Qt::Checked)
      return clbFile->item(i)->data(Qt::UserRole).toString();
  }
  return {};
}

void TfrmWBKDialog::btOkClick() {
  if (CheckedFileName().isEmpty()) {
    services_.dialogs.MessageBox(this, QStringLiteral("単語リストにチェックが入っていません"),
                                 QStringLiteral("OK"), MsgIcon::Stop);
    return;
  }
  done(kModalOk);
}

void TfrmWBKDialog::btCloseClick() {
  done(kModalCancel);
}

std::unique_ptr<TTangoList> TfrmWBKDialog::BuildWordList(const TTangoList* combinedFile,
                                                         std::vector<int>* ends) {
  auto result = std::make_unique<TTangoList>();
  std::vector<std::unique_ptr<TTangoList>> others;
  bool first = true;
  for (int i = 0; i < clbFile->count(); ++i) {
    const QListWidgetItem* item = clbFile->item(i);
    if (item->checkState() != Qt::Checked) continue;
    TTangoList* target = result.get();
    if (!first) target = others.emplace_back(std::make_unique<TTangoList>()).get();
    first = false;
    const auto path = ItemPath(item);
    if (!path) continue;
    // A quiz writes its list back: on a damaged file it would keep only what could be read.
    if (IsDamaged(target->LoadFromFile(*path))) throw EFDamagedError(*path);
  }
  if (ends) *ends = {result->Count()};
  if (others.empty()) return result;
  // A combined quiz is saved to a file of its own. A teacher's read-only file keeps its words
  // the last word wherever they are asked.
  result->Title = CombinedTitle();
  for (const auto& other : others) result->ReadOnly = result->ReadOnly || other->ReadOnly;
  const std::vector<int> merged = result->MergeAllMoving(std::move(others));
  if (ends) ends->insert(ends->end(), merged.begin(), merged.end());
  TakeCombinedHistories(*result, combinedFile);
  return result;
}

void TfrmWBKDialog::btCreateClick() {
  const QString text = services_.dialogs.InputBox(
      this, kCreateCaption, QStringLiteral("ファイルのタイトルを入力してください"), QString());
  if (text.isEmpty()) return;
  const std::optional<std::string> title = ToCp932(text);
  const auto path = title ? WordFilePath(services_.wordFolder, *title) : std::nullopt;
  // The name becomes the file name: one that would leave the folder is refused like the
  // reserved one.
  if (text == kCombinedTitle || !path) {
    services_.dialogs.MessageBox(this, kNameNotUsable, kCreateCaption, MsgIcon::Stop);
    return;
  }
  // Under the file's lock, so that no other writer makes the same file between the look and
  // the save.
  std::optional<WordFileLock> lock;
  if (!RetryWhileLocked(services_.dialogs, this,
                        [&] { lock.emplace(*path, kWindowLockWait, kWindowName); }))
    return;
  std::error_code error;
  if (fs::exists(fs::symlink_status(*path, error))) {
    services_.dialogs.MessageBox(this, kAlreadyExists, kCreateCaption, MsgIcon::Stop);
    return;
  }
  TTangoList list;
  list.Title = *title;
  if (teachMode) list.Creator = ReadTeacherIdBytes(services_.wordFolder);
  // The menu only takes names CP932 can hold.
  list.UserName = ToCp932(userName).value_or(std::string());
  list.SaveToFile(*path);
  RefreshFileList();
}

void TfrmWBKDialog::btDelClick() {
  const QListWidgetItem* item = SelectedItem();
  if (!item) {
    services_.dialogs.MessageBox(this, QStringLiteral("削除したい単語ファイルを選択してください"),
                                 kDeleteCaption, MsgIcon::Stop);
    return;
  }
  const MsgAnswer answer = services_.dialogs.MessageBox(
      this, QStringLiteral("単語ファイルを削除しますがよろしいですか？"), kDeleteCaption,
      MsgIcon::Information, MsgButtons::YesNo);
  if (answer == MsgAnswer::Yes) {
    if (const auto path = ItemPath(item)) {
      std::error_code error;
      // Only files go: a folder that happens to carry the name stays, even an empty one.
      if (!fs::is_directory(fs::symlink_status(*path, error))) fs::remove(*path, error);
    }
  }
  RefreshFileList();
}

void TfrmWBKDialog::lbTitleDblClick() {
  if (!teachMode) return;
  QString answer;
  const bool saved = ChangeTeachersFile([&](TTangoList& list, const fs::path& path) {
    const QString current = FromCp932(list.Title);
    answer = services_.dialogs.InputBox(this, kRetitleCaption,
                                        QStringLiteral("タイトルを編集してください。"), current);
    if (answer == current) return false;
    // A quiz saves the list under its title, so the title must be a plain name of the folder.
    const std::optional<std::string> title = ToCp932(answer);
    const auto target = title ? WordFilePath(services_.wordFolder, *title) : std::nullopt;
    if (!target) {
      services_.dialogs.MessageBox(this, kNameNotUsable, kRetitleCaption, MsgIcon::Stop);
      return false;
    }
    // The next quiz saves the list under its title: a title of another word file would
    // overwrite that file.
    std::error_code error;
    if (fs::exists(fs::symlink_status(*target, error)) && !fs::equivalent(*target, path, error)) {
      services_.dialogs.MessageBox(this, kAlreadyExists, kRetitleCaption, MsgIcon::Stop);
      return false;
    }
    list.Title = *title;
    return true;
  });
  if (saved) lbTitle->setText(ShowControls(answer));
}

void TfrmWBKDialog::lbUrlClick() {
  OpenWebAddress(services_.shell, services_.dialogs, this, url_);
}

QString TfrmWBKDialog::ReadTeacherId() const {
  return FromCp932(ReadTeacherIdBytes(services_.wordFolder));
}

}  // namespace norumi

namespace norumi {

bool TfrmWBKDialog::ChangeTeachersFile(
    const std::function<bool(TTangoList&, const std::filesystem::path&)>& change) {
  const QListWidgetItem* item = SelectedItem();
  if (!item) return false;
  // A name that cannot be a word file of the folder has no title or settings to keep.
  const auto path = ItemPath(item);
  if (!path) return false;
  // Read and written under the file's lock; a damaged file is refused, since what it lost would
  // be gone once its title or options were written back.
  bool changed = false;
  RetryWhileLocked(services_.dialogs, this, [&] {
    TTangoList list;
    UpdateWordFile(
        list, *path,
        [&](LoadStatus) {
          if (ReadTeacherIdBytes(services_.wordFolder) != list.Creator) {
            services_.dialogs.MessageBox(this, kOtherCreator, kOptionCaption, MsgIcon::Stop);
            return false;
          }
          return changed = change(list, *path);
        },
        kWindowLockWait, kWindowName);
  });
  return changed;
}

}  // namespace norumi
