#include "platform/Folders.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTemporaryFile>

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

ProgramFolders RunningProgramFolders() {
  ProgramFolders folders =
      FoldersOf(ToPath(QCoreApplication::applicationDirPath()), LearnerFolder());
  PrepareWordFolder(folders);
  return folders;
}

}  // namespace norumi
