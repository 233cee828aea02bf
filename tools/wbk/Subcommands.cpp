// SPDX-License-Identifier: GPL-3.0-or-later
#include "Subcommands.h"

#include "Cli.h"

namespace norumi::wbk {
namespace {

// "keys, copy, paste" and `last` "draw": "keys, copy, paste or draw" with `last` " or ".
std::string Names(const SubcommandGroup& group, std::string_view last) {
  std::string text;
  const auto& subs = group.subcommands;
  for (size_t i = 0; i < subs.size(); ++i) {
    if (i > 0) text += i + 1 == subs.size() ? last : ", ";
    text += subs[i].name;
  }
  return text;
}

}  // namespace

int RunSubcommand(const SubcommandGroup& group, const std::vector<std::string>& args) {
  for (const Subcommand& sub : group.subcommands) {
    if (args.empty() || args[0] != sub.name) continue;
    try {
      return sub.run(args);
    } catch (const HelpRequested&) {
      WriteOut("Usage: wbk " + std::string(group.command) + " " + std::string(sub.synopsis) +
               "\n\n" + std::string(sub.details) + std::string(sub.note));
      return 0;
    }
  }
  // Help for the group itself: "wbk COMMAND --help", or with a name that is none of them.
  Args(args, {}, 0, args.size());
  if (args.empty()) throw UsageError("which one: " + Names(group, " or ") + "?");
  throw UsageError("unknown: \"" + args[0] + "\"; one of " + Names(group, ", "));
}

std::string GroupSynopsis(const SubcommandGroup& group) {
  std::string text;
  for (const Subcommand& sub : group.subcommands)
    text += (text.empty() ? "" : " | ") + std::string(sub.synopsis);
  return text;
}

std::string GroupDetails(const SubcommandGroup& group) {
  std::string text;
  for (const Subcommand& sub : group.subcommands) {
    std::string name(sub.name);
    name.resize(8, ' ');
    std::string_view rest = sub.details;
    for (bool first = true; !rest.empty(); first = false) {
      const size_t end = rest.find('\n');
      text +=
          (first ? "  " + name : std::string(10, ' ')) + std::string(rest.substr(0, end)) + "\n";
      rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
    }
  }
  return text + std::string(group.note) + "wbk " + std::string(group.command) +
         " NAME --help tells more about one of them.\n";
}

}  // namespace norumi::wbk
