// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace norumi::wbk {

// One subcommand of a command made of several ("wbk hangul keys").
struct Subcommand {
  std::string_view name;
  std::string_view synopsis;                    // after "wbk COMMAND"
  std::string_view details;                     // the rest of "wbk COMMAND NAME --help"
  int (*run)(const std::vector<std::string>&);  // the arguments, NAME first
  std::string_view note = {};                   // after the details in its own help
};

struct SubcommandGroup {
  std::string_view command;
  std::span<const Subcommand> subcommands;
  std::string_view note = {};  // after the list of subcommands in the command's help
};

// Runs the subcommand the first argument names, answering its --help. Throws UsageError when
// none or an unknown one is named, and HelpRequested for the command's own --help.
int RunSubcommand(const SubcommandGroup& group, const std::vector<std::string>& args);

// The command's synopsis and the rest of its help, made of its subcommands'.
std::string GroupSynopsis(const SubcommandGroup& group);
std::string GroupDetails(const SubcommandGroup& group);

}  // namespace norumi::wbk
