// SPDX-License-Identifier: GPL-3.0-or-later
#include "Cli.h"

#include <QDir>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <limits>

#include "platform/text/ShownCodes.h"
#include "platform/text/WordFileName.h"
#include "storage/FileErrors.h"
#include "storage/SafeSave.h"

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

namespace {

struct Control {
  char32_t point;
  size_t length;  // in UTF-8 bytes
};

// Only these bytes start a character IsShownEscaped picks.
constexpr bool MayStartControl(uint8_t byte) {
  return byte < 0x20 || byte == 0x7F || byte == 0xC2 || byte == 0xD8 || byte == 0xE2;
}

// Whether any of eight bytes may start a control, found for all of them at once.
constexpr bool AnyMayStartControl(uint64_t bytes) {
  constexpr uint64_t kOnes = 0x0101010101010101, kHigh = 0x8080808080808080;
  const auto below = [](uint64_t x, uint64_t limit) { return (x - limit * kOnes) & ~x & kHigh; };
  const auto holds = [&below](uint64_t x, uint64_t byte) { return below(x ^ byte * kOnes, 1); };
  return (below(bytes, 0x20) | holds(bytes, 0x7F) | holds(bytes, 0xC2) | holds(bytes, 0xD8) |
          holds(bytes, 0xE2)) != 0;
}

constexpr uint8_t Utf8LeadByte(char32_t point) {
  return point < 0x80      ? uint8_t(point)
         : point < 0x800   ? uint8_t(0xC0 | point >> 6)
         : point < 0x10000 ? uint8_t(0xE0 | point >> 12)
                           : uint8_t(0xF0 | point >> 18);
}

// The byte filters above are written out for speed; the shared set decides, and they must let
// through every character it holds.
constexpr bool EveryEscapedStartsWithAControlByte() {
  for (const CodeRange& range : kShownEscaped)
    for (char32_t point = range.first; point <= range.last; ++point)
      if (const uint8_t lead = Utf8LeadByte(point);
          !MayStartControl(lead) || !AnyMayStartControl(uint64_t{lead} * 0x0101010101010101))
        return false;
  return true;
}
static_assert(EveryEscapedStartsWithAControlByte(),
              "MayStartControl and AnyMayStartControl must take the lead byte of every character "
              "kShownEscaped holds");

// The character that starts `utf8`, if it is one to show as an escape (see IsShownEscaped). C1
// controls (U+0080 to U+009F) move the cursor on some terminals; the bidirectional controls
// reorder what follows them, so that one name could show as another.
std::optional<Control> ControlAt(std::string_view utf8) {
  const auto byte = [&](size_t i) { return i < utf8.size() ? uint8_t(utf8[i]) : 0u; };
  const auto follows = [&](size_t i) { return (byte(i) & 0xC0) == 0x80; };
  Control control{byte(0), 1};
  if (byte(0) >= 0xC2 && byte(0) < 0xE0 && follows(1))
    control = {char32_t((byte(0) & 0x1F) << 6 | (byte(1) & 0x3F)), 2};
  else if (byte(0) >= 0xE0 && byte(0) < 0xF0 && follows(1) && follows(2))
    control = {char32_t((byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F)), 3};
  else if (byte(0) >= 0x80)
    return std::nullopt;
  if (!IsShownEscaped(control.point)) return std::nullopt;
  return control;
}

}  // namespace

bool HoldsControl(std::string_view utf8) {
  size_t i = 0;
  // Eight bytes at a time up to the first eight that may start one.
  for (uint64_t bytes; i + 8 <= utf8.size(); i += 8) {
    std::memcpy(&bytes, utf8.data() + i, 8);
    if (AnyMayStartControl(bytes)) break;
  }
  for (; i < utf8.size(); ++i)
    if (MayStartControl(uint8_t(utf8[i])) && ControlAt(utf8.substr(i))) return true;
  return false;
}

void AppendEscapedControls(std::string& out, std::string_view utf8) {
  size_t plain = 0;  // the start of the bytes not yet appended, which hold no control
  for (size_t i = 0; i < utf8.size();) {
    const auto control =
        MayStartControl(uint8_t(utf8[i])) ? ControlAt(utf8.substr(i)) : std::nullopt;
    if (!control) {
      ++i;
      continue;
    }
    out.append(utf8, plain, i - plain);
    char escaped[8];
    std::snprintf(escaped, sizeof escaped, control->point < 0x80 ? "\\x%02x" : "\\u%04x",
                  unsigned(control->point));
    out += escaped;
    i += control->length;
    plain = i;
  }
  out.append(utf8, plain);
}

std::string EscapeControls(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  AppendEscapedControls(out, utf8);
  return out;
}

void WriteOut(std::string_view utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stdout);
  std::fflush(stdout);
}

void WriteErr(std::string_view utf8) {
  std::fwrite(utf8.data(), 1, utf8.size(), stderr);
}

namespace {

// All of a stream, in large reads.
std::string ReadAll(std::istream& in) {
  std::string data;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0)
    data.append(buffer, size_t(in.gcount()));
  return data;
}

}  // namespace

std::string ReadAllStdin() {
  return ReadAll(std::cin);
}

namespace {

// A stream up to `limit` bytes; none when it holds more.
std::optional<std::string> ReadWithin(std::istream& in, size_t limit) {
  std::string data;
  char buffer[65536];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    data.append(buffer, size_t(in.gcount()));
    if (data.size() > limit) return std::nullopt;
  }
  return data;
}

}  // namespace

std::optional<std::string> ReadStdinWithin(size_t limit) {
  return ReadWithin(std::cin, limit);
}

std::string ReadInput(const std::string& arg) {
  if (arg == "-") return ReadAllStdin();
  const auto path = ArgPath(arg);
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) throw Failure(ShowPath(path) + " is a folder");
  if (std::filesystem::is_regular_file(path, error)) {
    try {
      return ReadWholeFile(path, std::numeric_limits<uint64_t>::max() / 2);  // no limit of its own
    } catch (const EFOpenError&) {
      throw Failure("cannot read " + ShowPath(path));
    }
  }
  // A pipe or a device, read as a stream: a pipe named on the command line (a shell's <(...))
  // is waited on as any command waits for its input, but a device that never ends (/dev/zero)
  // is cut off where the program refuses a file.
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Failure("cannot read " + ShowPath(path));
  std::optional<std::string> data = ReadWithin(in, kMaxReadBytes);
  if (!data) throw Failure(ShowPath(path) + " is larger than a list may be (1 GiB)");
  if (in.bad()) throw Failure("cannot read " + ShowPath(path));
  return *data;
}

}  // namespace norumi::wbk
