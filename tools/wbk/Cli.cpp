#include "Cli.h"

#include <QDir>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>

#include "platform/text/WordFileName.h"

namespace norumi::wbk {

Args::Args(const std::vector<std::string>& raw, std::initializer_list<Option> options,
           size_t minPositional, size_t maxPositional) {
  bool optionsEnded = false;
  for (size_t i = 0; i < raw.size(); ++i) {
    const std::string& arg = raw[i];
    // "-" is stdin, and "-1" a number a command may want to refuse in its own words.
    const bool dashWord =
        arg.size() > 1 && arg[0] == '-' && !std::isdigit(static_cast<unsigned char>(arg[1]));
    if (optionsEnded || !dashWord) {
      positional_.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "--help" || arg == "-h") throw HelpRequested{};
    const size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    const Option* known = nullptr;
    for (const Option& option : options)
      if (option.name == name) known = &option;
    if (!known) throw UsageError("unknown option " + arg);
    if (!known->takesValue) {
      if (equals != std::string::npos) throw UsageError(name + " takes no value");
      values_.try_emplace(name);
    } else if (equals != std::string::npos) {
      values_[name] = arg.substr(equals + 1);
    } else if (i + 1 < raw.size()) {
      values_[name] = raw[++i];
    } else {
      throw UsageError(name + " needs a value");
    }
  }
  if (positional_.size() < minPositional) throw UsageError("too few arguments");
  if (positional_.size() > maxPositional) throw UsageError("too many arguments");
}

std::optional<std::string> Args::Value(std::string_view option) const {
  const auto found = values_.find(std::string(option));
  if (found == values_.end()) return std::nullopt;
  return found->second;
}

void Invocation::Report(std::string_view message) const {
  WriteErr("wbk " + std::string(command) + ": " + EscapeControls(message) + "\n");
}

void Invocation::Warn(std::string_view message) const {
  Report("warning: " + std::string(message));
}

// On Unix, Qt takes the local 8-bit encoding to be UTF-8.
QString ArgText(const std::string& arg) {
  return QString::fromLocal8Bit(arg);
}

std::filesystem::path ArgPath(const std::string& arg) {
  return ToPath(ArgText(arg));
}

std::string PathText(const std::filesystem::path& path) {
  return QDir::toNativeSeparators(FromPath(path)).toStdString();
}

std::string ShowPath(const std::filesystem::path& path) {
  return EscapeControls(PathText(path));
}

std::string EscapeControls(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size(); ++i) {
    const auto byte = static_cast<unsigned char>(utf8[i]);
    // C1 controls are two bytes in UTF-8 (C2 80 to C2 9F); some terminals obey them too.
    const bool c1 = byte == 0xC2 && i + 1 < utf8.size() &&
                    static_cast<unsigned char>(utf8[i + 1]) >= 0x80 &&
                    static_cast<unsigned char>(utf8[i + 1]) <= 0x9F;
    if (byte >= 0x20 && byte != 0x7F && !c1) {
      out += utf8[i];
      continue;
    }
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, c1 ? "\\u%04x" : "\\x%02x",
                  c1 ? unsigned(static_cast<unsigned char>(utf8[++i])) : unsigned(byte));
    out += escaped;
  }
  return out;
}

void WriteOut(std::string_view utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

void WriteErr(std::string_view utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

std::string ReadAllStdin() {
  return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

std::optional<std::string> ReadStdinWithin(size_t limit) {
  std::string data;
  char buffer[65536];
  while (std::cin.read(buffer, sizeof buffer) || std::cin.gcount() > 0) {
    data.append(buffer, size_t(std::cin.gcount()));
    if (data.size() > limit) return std::nullopt;
  }
  return data;
}

std::string ReadInput(const std::string& arg) {
  if (arg == "-") return ReadAllStdin();
  const auto path = ArgPath(arg);
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) throw Failure(ShowPath(path) + " is a folder");
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Failure("cannot read " + ShowPath(path));
  std::string data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) throw Failure("cannot read " + ShowPath(path));
  return data;
}

}  // namespace norumi::wbk
