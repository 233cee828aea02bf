// SPDX-License-Identifier: GPL-3.0-or-later
// mailcode and read-mailcode: one word as the plain text of a newsletter, and back.
#include <charconv>
#include <cstdint>

#include "Commands.h"
#include "Json.h"
#include "Text.h"
#include "WordFiles.h"
#include "model/MailCode.h"
#include "platform/text/CodeLines.h"
#include "platform/text/Cp932.h"
#include "platform/text/WordFileName.h"
#include "storage/WordFileLock.h"

namespace norumi::wbk {

namespace {

int ParseIndex(const std::string& text) {
  long long value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size())
    throw UsageError("INDEX must be a number, not \"" + text + "\"");
  return value < 0 || value > INT32_MAX ? -1 : static_cast<int>(value);
}

// The field of `entry` that keeps the writer from writing it.
std::string WhyUnwritable(const TTango& entry, int result) {
  if (result == kMailCodeCodeRange) {
    for (size_t i = 0; i < entry.Hangul.size(); ++i) {
      const int32_t code = entry.Hangul[i];
      if (code < 0 || code > kMailCodeMaxCode)
        return "its Korean code " + std::to_string(code) + " (code " + std::to_string(i) +
               ") lies outside 0.." + std::to_string(kMailCodeMaxCode) +
               ", which a code cannot carry";
    }
  }
  const char* field = entry.Japan.find('\0') != std::string::npos      ? "Japanese"
                      : entry.Setsumei.find('\0') != std::string::npos ? "explanation"
                                                                       : "URL";
  return std::string("its ") + field + " holds a zero byte, which a code cannot carry";
}

int RunMailCode(const Invocation& call) {
  const Args args(call.args, {{"--display-only", false}}, 2, 2);
  const auto path = ArgPath(args.Positional()[0]);
  const int index = ParseIndex(args.Positional()[1]);
  TTangoList list;
  const LoadStatus status = LoadExisting(list, path);
  if (index < 0 || index >= list.Count())
    throw Failure(
        "there is no entry " + args.Positional()[1] + ": " + ShowPath(path) + " holds " +
        std::to_string(list.Count()) + " words" +
        (IsDamaged(status) ? std::string(" (it is damaged: ") + LoadStatusName(status) + ")" : ""));
  TTango& entry = list.Tango(index);
  entry.DisplayOnly = args.Has("--display-only");

  TextLines lines;
  if (const int result = WriteIssuedCode(list, entry, lines); result != kMailCodeOk) {
    TextLines header;
    if (list.HeaderToMailCode(header) != kMailCodeOk)
      throw Failure(
          "the file's creator, title or URL holds a zero byte, which a code cannot carry");
    throw Failure("entry " + std::to_string(index) + ": " + WhyUnwritable(entry, result));
  }

  if (!entry.DisplayOnly && !WordFilePath(".", list.Title))
    call.Warn("the title \"" + ShowText(list.Title) +
              "\" cannot be a word file's name: readers will not be able to store this word");
  std::string out;
  for (const std::string& line : lines) out += Cp932ToUtf8(line) + "\n";
  WriteOut(out);
  return 0;
}

[[noreturn]] void RefuseCode(const char* part, int result) {
  static const char* const kWhy[] = {"a marker line is missing", "a number is wrong",
                                     "a letter is not a code letter", "the code ends early"};
  const bool known = result <= kMailCodeBadMarker && result >= kMailCodeEnded;
  throw Failure(std::string("メルマガコードが正しくありません (") + part + ": " +
                (known ? kWhy[-result - 1] : "result " + std::to_string(result)) + ")");
}

std::string CodeJson(const TTangoList& list, const TTango& entry,
                     const std::optional<std::filesystem::path>& file, bool added) {
  JsonWriter json;
  json.BeginObject();
  json.Key("creator").String(Cp932ToUtf8(list.Creator));
  json.Key("title").String(Cp932ToUtf8(list.Title));
  json.Key("url").String(Cp932ToUtf8(list.Url));
  json.Key("entry").BeginObject();
  json.Key("japan").String(Cp932ToUtf8(entry.Japan));
  json.Key("hangul").IntArray(entry.Hangul);
  json.Key("setsumei").String(Cp932ToUtf8(entry.Setsumei));
  json.Key("url").String(Cp932ToUtf8(entry.Url));
  json.Key("displayOnly").Bool(entry.DisplayOnly);
  json.EndObject();
  if (file) json.Key("file").String(PathText(*file)).Key("added").Bool(added);
  json.EndObject();
  return json.Text() + "\n";
}

int RunReadMailCode(const Invocation& call) {
  const Args args(call.args, {{"--folder", true}}, 0, 0);
  const auto text = ReadStdinWithin(kMailCodeMaxInput);
  if (!text)
    throw Failure("メルマガコードが正しくありません (more than " +
                  std::to_string(kMailCodeMaxInput >> 20) + " MiB of text, which no code is)");
  const TextLines code = CodeLines(QString::fromUtf8(*text));
  TTangoList list;
  TextLines lines = code;
  if (const int result = list.HeaderFromMailCode(lines); result != kMailCodeOk)
    RefuseCode("header part", result);
  TTango entry;
  if (const int result = entry.FromMailCode(lines); result != kMailCodeOk)
    RefuseCode("word part", result);

  // With a folder, the word goes into the file of the code's title there, as the menu's code
  // input does it: the file's words and histories stay, the code's header replaces the file's.
  std::optional<std::filesystem::path> file;
  bool added = false;
  if (const auto folder = args.Value("--folder")) {
    file = WordFilePath(ArgPath(*folder), list.Title);
    if (!file)
      throw Failure("the code's title \"" + ShowText(list.Title) +
                    "\" cannot be the name of a word file; nothing written");
    std::optional<WordFileLock> lock;
    if (!entry.DisplayOnly)
      lock.emplace(*file, kWordFileLockWait, "read-mailcode");  // read, written
    const LoadStatus status = list.LoadFromFile(*file);
    lines = code;
    list.HeaderFromMailCode(lines);
    if (!entry.DisplayOnly) {
      if (IsDamaged(status))
        throw Failure(ShowPath(*file) + " is damaged (" + LoadStatusName(status) +
                      "); nothing written");
      if (!list.Contains(entry)) {
        list.AddCopy(entry);
        added = true;
      }
      list.SaveToFile(*file);
    }
  }
  WriteOut(CodeJson(list, entry, file, added));
  return 0;
}

}  // namespace

const Command kMailCodeCommand{
    "mailcode", "FILE INDEX [--display-only]", "issue the mail-magazine code of one word",
    "Prints what the word editor shows for the word at INDEX (counted from 0): the opening\n"
    "line, the code of the file's creator, title and URL and of the word, and the closing\n"
    "line. --display-only issues a code that readers only look at and never store.\n",
    RunMailCode};

const Command kReadMailCodeCommand{
    "read-mailcode", "[--folder DIR]", "read a mail-magazine code from the standard input",
    "Reads a code, with or without the lines around it, and prints it as JSON: {creator,\n"
    "title, url, entry: {japan, hangul, setsumei, url, displayOnly}}.\n"
    "With --folder the word is added, as the program's code input adds it, to the word file\n"
    "DIR/TITLE.wbk (created when missing), unless that file holds it already; the file takes\n"
    "the code's creator, title and URL and is saved. The JSON then also tells \"file\" and\n"
    "whether the word was \"added\". A display-only code writes nothing. A title that cannot\n"
    "be a file name in DIR, and a damaged word file, are refused without writing.\n"
    "A code that cannot be read, or more than 1 MiB of text: "
    "\"メルマガコードが正しくありません\",\n"
    "exit status 1.\n",
    RunReadMailCode};

}  // namespace norumi::wbk
