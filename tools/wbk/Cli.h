// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <filesystem>
#include <initializer_list>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace norumi::wbk {

// Wrong usage of a command: exit status 2, with a hint to the command's help.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The operation could not be done: exit status 1. The message is UTF-8.
struct Failure : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// "--help" anywhere among a command's arguments.
struct HelpRequested {};

struct Option {
  std::string_view name;  // with the leading "--"
  bool takesValue = false;
};

// The arguments of one command, split into options and positional arguments. Throws UsageError
// for an unknown option, a missing option value or a wrong number of positional arguments.
class Args {
 public:
  Args(const std::vector<std::string>& raw, std::initializer_list<Option> options,
       size_t minPositional, size_t maxPositional);

  bool Has(std::string_view option) const { return values_.contains(std::string(option)); }
  std::optional<std::string> Value(std::string_view option) const;
  const std::vector<std::string>& Positional() const { return positional_; }

 private:
  std::map<std::string, std::string> values_;
  std::vector<std::string> positional_;
};

// A command's run: its name for messages and its raw arguments (local 8-bit, as the system
// hands them over).
struct Invocation {
  std::string_view command;
  std::vector<std::string> args;

  // A message on stderr, for a command that goes on (Warn) or still prints what it can.
  void Report(std::string_view message) const;
  void Warn(std::string_view message) const;
};

// An argument as text, and as a path the user chose.
QString ArgText(const std::string& arg);
std::filesystem::path ArgPath(const std::string& arg);
// A path in UTF-8 with the system's separators, for JSON.
std::string PathText(const std::filesystem::path& path);
// The same for messages to a terminal: control characters (ESC, line breaks, ...), zero-width
// characters and the bidirectional controls that a file name or a title may hold (the set
// IsShownEscaped picks, as the windows show them) are shown as escapes such as "\x1b" and
// "\u202e", never sent as they are.
std::string ShowPath(const std::filesystem::path& path);
std::string EscapeControls(std::string_view utf8);
void AppendEscapedControls(std::string& out, std::string_view utf8);
// Whether `utf8` holds a character that EscapeControls escapes.
bool HoldsControl(std::string_view utf8);

void WriteOut(std::string_view utf8);
void WriteErr(std::string_view utf8);
std::string ReadAllStdin();
// Stdin up to `limit` bytes; nullopt when there is more.
std::optional<std::string> ReadStdinWithin(size_t limit);
// The bytes of a file, or of stdin for "-". Throws Failure naming the file.
std::string ReadInput(const std::string& arg);

}  // namespace norumi::wbk
