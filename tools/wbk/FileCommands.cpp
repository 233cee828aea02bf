// SPDX-License-Identifier: GPL-3.0-or-later
// new, dump and check: one word file at a time.
#include "Commands.h"
#include "ListFormat.h"
#include "Text.h"
#include "WordFiles.h"
#include "storage/WordFileLock.h"

namespace norumi::wbk {

namespace {

std::string OptionCp932(const Args& args, std::string_view option) {
  const auto value = args.Value(option);
  return value ? ToCp932OrRefuse(ArgText(*value), option) : std::string();
}

int RunNew(const Invocation& call) {
  const Args args(
      call.args, {{"--title", true}, {"--creator", true}, {"--user", true}, {"--url", true}}, 1, 1);
  const auto path = ArgPath(args.Positional()[0]);
  std::error_code error;
  if (std::filesystem::exists(path, error))
    throw Failure(ShowPath(path) + " already exists; nothing written");
  TTangoList list;
  if (args.Has("--title")) {
    list.Title = OptionCp932(args, "--title");
    RequireUsableTitle(list.Title, "--title");
  } else {
    list.Title = TitleFromFileName(path, "the file name as title (give --title)");
  }
  list.Creator = OptionCp932(args, "--creator");
  list.UserName = OptionCp932(args, "--user");
  list.Url = OptionCp932(args, "--url");
  // Looked at again under the lock: another writer may have made the file meanwhile.
  const WordFileLock lock(path, kWordFileLockWait, "new");
  if (std::filesystem::exists(path, error))
    throw Failure(ShowPath(path) + " already exists; nothing written");
  list.SaveToFile(path);
  return 0;
}

int RunDump(const Invocation& call) {
  const Args args(call.args, {{"--json", false}}, 1, 1);
  const auto path = ArgPath(args.Positional()[0]);
  TTangoList list;
  const LoadStatus status = LoadExisting(list, path);
  if (args.Has("--json"))
    WriteListJson(list, status, WriteOut);
  else
    WriteListText(list, status, WriteOut);
  if (!IsDamaged(status)) return 0;
  call.Report(ShowPath(path) + " is damaged (" + LoadStatusName(status) +
              "); shown is what could be read");
  return 1;
}

int RunCheck(const Invocation& call) {
  const Args args(call.args, {}, 1, 1);
  TTangoList list;
  const LoadStatus status = LoadExisting(list, ArgPath(args.Positional()[0]));
  WriteOut(std::string(LoadStatusName(status)) + "\n");
  return IsDamaged(status) ? 1 : 0;
}

}  // namespace

const Command kNewCommand{
    "new", "FILE [--title T] [--creator ID] [--user NAME] [--url URL]", "create an empty word file",
    "Writes a word file without words. The title defaults to the file's name without \".wbk\";\n"
    "it must be able to stand as a word file's name (no \"/\", \"\\\", \"..\" and the like).\n"
    "An existing FILE is never replaced.\n",
    RunNew};

const Command kDumpCommand{
    "dump", "FILE [--json]", "show everything a word file holds",
    "Prints the header, the words and both answer histories as loading leaves them.\n"
    "--json prints one object: fileFormat, version, key, creator, userName, title, url,\n"
    "readOnly, kaisetsu, damage (null or the kind of damage), entries [{label, japan,\n"
    "hangul, setsumei, url}], rirekiJap2Kor and rirekiKor2Jap ({inProgress, total, position,\n"
    "marks, order, records [{total, seikai}]}).\n"
    "A damaged file is shown as far as it could be read, with exit status 1.\n",
    RunDump};

const Command kCheckCommand{
    "check", "FILE", "tell whether a word file is intact",
    "Prints one word: \"intact\" (exit status 0), or the kind of damage: \"first-marker\",\n"
    "\"second-marker\", \"third-marker\" or \"truncated\" (exit status 1).\n",
    RunCheck};

}  // namespace norumi::wbk
