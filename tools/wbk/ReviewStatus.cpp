// SPDX-License-Identifier: GPL-3.0-or-later
#include "ReviewStatus.h"

#include <QCoreApplication>
#include <QDateTime>
#include <algorithm>
#include <map>

#include "Cli.h"
#include "Json.h"
#include "WordFiles.h"
#include "platform/Folders.h"
#include "platform/text/WordFileName.h"
#include "review/ReviewStore.h"

namespace norumi::wbk {
namespace {

namespace fs = std::filesystem;
using review::Direction;

constexpr const char* kDirectionNames[] = {"kor2jap", "jap2kor"};

fs::path FolderOf(const Args& args) {
  if (const auto folder = args.Value("--folder")) return ArgPath(*folder);
  return FoldersOf(ToPath(QCoreApplication::applicationDirPath()), LearnerFolder()).words;
}

std::optional<std::string> LearnerOf(const Args& args) {
  const auto learner = args.Value("--learner");
  if (!learner) return std::nullopt;
  if (learner->empty()) throw UsageError("--learner takes a name");
  return ArgText(*learner).toStdString();
}

// The record of `folder`, or none where there is none yet: looking never makes one.
std::optional<review::ReviewStore> OpenExisting(const fs::path& folder) {
  std::error_code error;
  if (!fs::exists(folder / review::ReviewStore::kFileName, error)) return std::nullopt;
  try {
    return std::optional<review::ReviewStore>(std::in_place, folder);
  } catch (const review::ReviewStoreError& failure) {
    throw Failure(failure.what());
  }
}

// The word files of the folder and the folders under it, as the file selection lists them: a
// link to a folder is not followed.
std::vector<fs::path> WordFilesIn(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) throw Failure("no word folder at " + ShowPath(folder));
  std::vector<fs::path> files;
  for (fs::recursive_directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error)) {
    std::error_code statusError;
    if (entry->is_regular_file(statusError) && HasWordFileExtension(entry->path()))
      files.push_back(entry->path());
  }
  std::sort(files.begin(), files.end());
  return files;
}

struct DirectionStatus {
  int due = 0;
  int fresh = 0;  // words without a card
  int reviewed = 0;
};

struct FileStatus {
  fs::path file;
  int words = 0;
  DirectionStatus directions[2];
};

// Local midnight today and tomorrow: "today" is the learner's day, not UTC's.
std::pair<int64_t, int64_t> Today() {
  const QDate today = QDate::currentDate();
  return {today.startOfDay().toSecsSinceEpoch(), today.addDays(1).startOfDay().toSecsSinceEpoch()};
}

FileStatus StatusOf(const fs::path& folder, const fs::path& file, const std::string& learner,
                    std::optional<review::ReviewStore>& store,
                    const std::map<std::pair<std::string, int>, review::FileCounts>& counts,
                    const std::vector<std::string>& args) {
  FileStatus status;
  status.file = file.lexically_relative(folder);
  TTangoList list;
  const LoadStatus loaded = list.LoadFromFile(file);
  if (IsDamaged(loaded))
    Invocation{"review status", args}.Warn(ShowPath(file) + " is damaged (" +
                                           LoadStatusName(loaded) +
                                           "); counted what could be read");
  status.words = list.Count();
  const std::string name = review::CardFileName(folder, file);
  const review::FileCards cards(store ? store->Cards(learner, name)
                                      : std::vector<review::CardKey>{});
  std::string scratch;
  for (int d = 0; d < 2; ++d) {
    DirectionStatus& direction = status.directions[d];
    for (int i = 0; i < list.Count(); ++i)
      direction.fresh += !cards.Has(review::Direction(d), review::SightOf(list.View(i, scratch)));
    if (const auto found = counts.find({name, d}); found != counts.end()) {
      direction.due = found->second.due;
      direction.reviewed = found->second.reviewedSince;
    }
  }
  return status;
}

void WriteText(const std::vector<FileStatus>& files) {
  std::string out;
  for (const FileStatus& file : files) {
    out += ShowPath(file.file) + ": " + std::to_string(file.words) + " words\n";
    for (int d = 0; d < 2; ++d) {
      const DirectionStatus& direction = file.directions[d];
      out += std::string("  ") + kDirectionNames[d] + ": " + std::to_string(direction.due) +
             " due today, " + std::to_string(direction.fresh) + " new, " +
             std::to_string(direction.reviewed) + " reviewed today\n";
    }
  }
  WriteOut(out);
}

void WriteJson(const fs::path& folder, const std::string& learner,
               const std::vector<FileStatus>& files) {
  JsonWriter json;
  json.BeginObject().Key("folder").String(PathText(folder)).Key("learner").String(learner);
  json.Key("files").BeginArray();
  for (const FileStatus& file : files) {
    json.BeginObject().Key("file").String(PathText(file.file)).Key("words").Int(file.words);
    for (int d = 0; d < 2; ++d) {
      const DirectionStatus& direction = file.directions[d];
      json.Key(kDirectionNames[d]).BeginObject();
      json.Key("due").Int(direction.due).Key("new").Int(direction.fresh);
      json.Key("reviewed").Int(direction.reviewed).EndObject();
    }
    json.EndObject();
  }
  json.EndArray().EndObject();
  WriteOut(json.Text() + "\n");
}

}  // namespace

int RunReviewStatus(const std::vector<std::string>& args) {
  const Args parsed(args, {{"--learner", true}, {"--folder", true}, {"--json", false}}, 1, 1);
  const auto learner = LearnerOf(parsed);
  if (!learner) throw UsageError("--learner NAME is needed");
  const fs::path folder = FolderOf(parsed);
  const std::vector<fs::path> files = WordFilesIn(folder);
  auto store = OpenExisting(folder);
  const auto [startOfDay, endOfDay] = Today();
  std::map<std::pair<std::string, int>, review::FileCounts> counts;
  std::vector<FileStatus> status;
  try {
    if (store)
      for (review::FileCounts& count : store->CountsByFile(*learner, endOfDay - 1, startOfDay))
        counts.emplace(std::pair(count.fileName, int(count.direction)), std::move(count));
    for (const fs::path& file : files)
      status.push_back(StatusOf(folder, file, *learner, store, counts, args));
  } catch (const review::ReviewStoreError& failure) {
    throw Failure(failure.what());
  }
  if (parsed.Has("--json"))
    WriteJson(folder, *learner, status);
  else
    WriteText(status);
  return 0;
}

int RunReviewPrune(const std::vector<std::string>& args) {
  // The part's name is an option itself ("--prune"): only what follows it is parsed.
  const Args parsed(std::vector<std::string>(args.begin() + 1, args.end()),
                    {{"--learner", true}, {"--folder", true}}, 0, 0);
  const fs::path folder = FolderOf(parsed);
  std::error_code error;
  if (!fs::is_directory(folder, error)) throw Failure("no word folder at " + ShowPath(folder));
  auto store = OpenExisting(folder);
  int removed = 0;
  try {
    if (store)
      removed = store->Prune(LearnerOf(parsed), [&](const std::string& name) {
        const auto file = review::WordFileOfCard(folder, name);
        std::error_code statusError;
        return file && fs::is_regular_file(*file, statusError);
      });
  } catch (const review::ReviewStoreError& failure) {
    throw Failure(failure.what());
  }
  WriteOut("removed " + std::to_string(removed) + " cards of word files no longer in " +
           ShowPath(folder) + "\n");
  return 0;
}

}  // namespace norumi::wbk
