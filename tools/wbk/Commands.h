// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string_view>

#include "Cli.h"

namespace norumi::wbk {

// One command of the tool. `run` returns the exit status, or throws UsageError (2), Failure or
// EFileError (1).
struct Command {
  std::string_view name;
  std::string_view synopsis;  // the arguments, after "wbk NAME"
  std::string_view summary;   // one line for the list of commands
  std::string_view details;   // the rest of "wbk NAME --help"
  int (*run)(const Invocation&);
};

extern const Command kNewCommand;
extern const Command kDumpCommand;
extern const Command kCheckCommand;
extern const Command kImportCommand;
extern const Command kExportCommand;
extern const Command kMergeCommand;
extern const Command kMailCodeCommand;
extern const Command kReadMailCodeCommand;
extern const Command kHangulCommand;
extern const Command kProgressCommand;
extern const Command kJudgeCommand;
extern const Command kReviewCommand;
extern const Command kPronounceCommand;

}  // namespace norumi::wbk
