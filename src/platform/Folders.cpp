// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>

#include "platform/Dialogs.h"
#include "platform/text/ShownControls.h"
#include "platform/text/WordFileName.h"
#include "platform/text/WordFilePath.h"

namespace fs = std::filesystem;

namespace norumi {

namespace {

// Whether a file can be made in `folder`: the one test that tells alike on every system, for
// every user (root too) and on a read-only mount. The probe is removed at once.
bool CanCreateFilesIn(const fs::path& folder) {
  QTemporaryFile probe(FromPath(folder / ".norumi-probe-XXXXXX"));
  return probe.open();
}

bool IsWordFile(const fs::directory_entry& entry) {
  std::error_code error;
  return entry.is_regular_file(error) && HasWordFileExtension(entry.path());
}

const QString kWordFolderCaption = QStringLiteral("単語フォルダ");

// Says which folder cannot be made, what stands in its way and where, and how to mend it.
QString ObstacleText(const fs::path& words, const std::optional<FolderObstacle>& obstacle) {
  const QString cannot = QStringLiteral("単語フォルダ「%1」を作れません。").arg(ShownPath(words));
  if (!obstacle) return cannot;
  QString text = cannot + QLatin1Char('\n');
  using Kind = FolderObstacle::Kind;
  if (obstacle->kind == Kind::ReadOnly)
    return text + QStringLiteral("その上のフォルダ「%1」に書き込めません。")
                      .arg(ShownPath(obstacle->where));
  static const QString what[] = {QStringLiteral("リンク先のないシンボリックリンク"),
                                 QStringLiteral("ファイル"),
                                 QStringLiteral("フォルダではない特殊なファイル")};
  const QString thing = what[int(obstacle->kind)];
  if (obstacle->where == words)
    text += QStringLiteral("そこには%1があります。").arg(thing);
  else
    text += QStringLiteral("途中のフォルダ「%1」の場所に%2があります。")
                .arg(ShownPath(obstacle->where), thing);
  return text + QStringLiteral("\nそれを移動するか削除すると、次回の起動からはそこに作ります。");
}

}  // namespace

fs::path DataFolderOf(const fs::path& programFolder) {
  const fs::path installed = (programFolder / ".." / "share" / "norumi").lexically_normal();
  std::error_code error;
  return fs::is_directory(installed, error) ? installed : programFolder;
}

ProgramFolders FoldersOf(const fs::path& programFolder, const fs::path& learnerFolder) {
  const fs::path data = DataFolderOf(programFolder);
  const bool portable = data == programFolder;
  // Without a learner's folder (no home to be found) the program's folder is all there is.
  if (learnerFolder.empty() || (portable && CanCreateFilesIn(programFolder)))
    return {programFolder, data};
  return {learnerFolder, data};
}

fs::path LearnerFolder() {
  // The location is named after the application asking: for this one question every program of
  // ours goes by the program's own name, so that the keyboard and wbk find the same folder.
  const QString application = QCoreApplication::applicationName();
  const QString organisation = QCoreApplication::organizationName();
  QCoreApplication::setApplicationName(QStringLiteral("norumi"));
  QCoreApplication::setOrganizationName(QStringLiteral("tarumo"));
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
  QCoreApplication::setApplicationName(application);
  QCoreApplication::setOrganizationName(organisation);
  return folder.isEmpty() ? fs::path() : ToPath(folder);
}

bool PrepareWordFolder(const ProgramFolders& folders) {
  std::error_code error;
  if (fs::is_directory(folders.words, error)) return true;
  const fs::path parent = folders.words.parent_path();
  fs::create_directories(parent, error);
  // Filled under another name and renamed when whole: a start cut short leaves no folder that
  // looks made, and the next start makes it again.
  QTemporaryDir staging(FromPath(parent / ".norumi-new-XXXXXX"));
  if (!staging.isValid()) return false;
  const fs::path staged = ToPath(staging.path());
  fs::directory_iterator entry(folders.data, error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    if (!IsWordFile(*entry)) continue;
    const fs::path copy = staged / entry->path().filename();
    std::error_code copyError;
    if (!fs::copy_file(entry->path(), copy, copyError)) continue;
    // The copy records the learner's answers, whatever the installed file allowed.
    fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                    copyError);
  }
  // Another program of ours may have made the folder meanwhile: then that one stays.
  fs::rename(staged, folders.words, error);
  return fs::is_directory(folders.words, error);
}

std::optional<FolderObstacle> WordFolderObstacle(const fs::path& words) {
  // The nearest place that holds anything decides, from the folder itself upwards.
  for (fs::path place = words; !place.empty(); place = place.parent_path()) {
    std::error_code error;
    const fs::file_status link = fs::symlink_status(place, error);
    if (!fs::exists(link)) {
      if (place == place.parent_path()) break;
      continue;
    }
    const fs::file_status target = fs::status(place, error);
    if (!fs::exists(target)) return FolderObstacle{FolderObstacle::Kind::BrokenLink, place};
    if (fs::is_regular_file(target)) return FolderObstacle{FolderObstacle::Kind::File, place};
    if (!fs::is_directory(target)) return FolderObstacle{FolderObstacle::Kind::NoFolder, place};
    if (place == words || CanCreateFilesIn(place)) return std::nullopt;
    return FolderObstacle{FolderObstacle::Kind::ReadOnly, place};
  }
  return std::nullopt;
}

ProgramFolders SettleWordFolder(ProgramFolders folders, const fs::path& programFolder,
                                IDialogs& dialogs) {
  if (PrepareWordFolder(folders)) return folders;
  const std::optional<FolderObstacle> obstacle = WordFolderObstacle(folders.words);
  // An installed program unpacked where its own folder can be written, or a copy that finds its
  // folder writable again: the program's folder serves for this run.
  const bool portable = folders.words != programFolder && CanCreateFilesIn(programFolder);
  const QString text =
      ObstacleText(folders.words, obstacle) + QStringLiteral("\n\n") +
      (portable
           ? QStringLiteral("今回はプログラムのフォルダ「%1」を単語フォルダとして使いますか？\n"
                            "「いいえ」を選ぶと、別のフォルダを選べます。")
                 .arg(ShownPath(programFolder))
           : QStringLiteral("今回使う単語フォルダを選びますか？\n"
                            "「いいえ」を選ぶと、このまま起動します（単語ファイルと設定は読み書きで"
                            "きません）。"));
  const MsgAnswer answer =
      dialogs.MessageBox(nullptr, text, kWordFolderCaption, MsgIcon::Stop, MsgButtons::YesNo);
  if (portable && answer == MsgAnswer::Yes) {
    folders.words = programFolder;
  } else if (portable || answer == MsgAnswer::Yes) {
    const std::optional<QString> chosen = dialogs.ChooseFolder(
        nullptr, QStringLiteral("今回使う単語フォルダを選んでください"), QDir::homePath());
    if (chosen) folders.words = ToPath(*chosen);
  }
  return folders;
}

}  // namespace norumi
