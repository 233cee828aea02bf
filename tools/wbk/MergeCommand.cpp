// SPDX-License-Identifier: GPL-3.0-or-later
// merge: the list the word-file selection builds for a quiz over several files.
#include <cstdint>
#include <memory>

#include "Commands.h"
#include "WordFiles.h"
#include "storage/WordFileLock.h"

namespace norumi::wbk {

namespace {

// "複合問題", the title of a list combined from several files.
constexpr std::string_view kCombinedTitle = "\x95\xA1\x8D\x87\x96\xE2\x91\xE8";

// Loads one input. The selection window goes on with whatever a damaged file yields, which may
// quietly drop its words; here that takes --allow-damaged. A damaged input that is OUT itself
// is refused even then: writing what could be read over it would lose the rest for good.
void LoadInput(const Invocation& call, TTangoList& list, const std::filesystem::path& path,
               const std::filesystem::path& out, bool allowDamaged) {
  const LoadStatus status = LoadExisting(list, path);
  if (!IsDamaged(status)) return;
  const std::string damage = ShowPath(path) + " is damaged (" + LoadStatusName(status) + ")";
  std::error_code error;  // an OUT that does not exist yet is no input
  if (std::filesystem::equivalent(path, out, error))
    throw Failure(damage + " and is OUT as well; nothing written");
  if (!allowDamaged) throw Failure(damage + "; nothing written (see --allow-damaged)");
  call.Warn(damage + "; merging what could be read");
}

int RunMerge(const Invocation& call) {
  const Args args(call.args, {{"--force", false}, {"--allow-damaged", false}}, 2, SIZE_MAX);
  const auto out = ArgPath(args.Positional()[0]);
  std::error_code error;
  if (!args.Has("--force") && std::filesystem::exists(out, error))
    throw Failure(ShowPath(out) + " already exists; nothing written (see --force)");
  const bool allowDamaged = args.Has("--allow-damaged");

  // OUT may be one of the FILEs: they are read under its lock.
  const WordFileLock lock(out);
  if (!args.Has("--force") && std::filesystem::exists(out, error))
    throw Failure(ShowPath(out) + " already exists; nothing written (see --force)");
  TTangoList result;
  LoadInput(call, result, ArgPath(args.Positional()[1]), out, allowDamaged);
  std::vector<std::unique_ptr<TTangoList>> inputs;
  for (size_t i = 2; i < args.Positional().size(); ++i) {
    inputs.push_back(std::make_unique<TTangoList>());
    LoadInput(call, *inputs.back(), ArgPath(args.Positional()[i]), out, allowDamaged);
  }
  // One merge over all of them, as the selection window builds a quiz's list.
  result.MergeAllMoving(std::move(inputs));
  if (args.Positional().size() > 2) result.Title = kCombinedTitle;
  result.SaveToFile(out);
  WriteOut(std::to_string(result.Count()) + " words\n");
  return 0;
}

}  // namespace

const Command kMergeCommand{
    "merge", "OUT FILE... [--force] [--allow-damaged]", "combine word files into one",
    "Writes to OUT the words a quiz over the checked FILEs asks, in its order: the first FILE\n"
    "whole (header, histories and words), then the words of each further FILE whose Korean and\n"
    "Japanese it does not hold yet. With two or more FILEs the title becomes \"複合問題\" (the\n"
    "quiz itself keeps the histories of its own \"複合問題.wbk\" instead of the first FILE's).\n"
    "A missing FILE is an error. A damaged FILE is refused unless --allow-damaged is given;\n"
    "then what could be read of it is merged, with a warning. An existing OUT is replaced\n"
    "only with --force. A damaged FILE that is OUT itself is always refused.\n",
    RunMerge};

}  // namespace norumi::wbk
