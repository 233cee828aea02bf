// SPDX-License-Identifier: GPL-3.0-or-later
// wbk hangul: the Hangul engine from the command line, for scripts and tests.
#include <QCoreApplication>
#include <QDir>
#include <QSize>
#include <QString>

#include "Cli.h"
#include "Commands.h"
#include "Json.h"
#include "Subcommands.h"
#include "hangul/core/Keyboard.h"
#include "hangul/core/TextForms.h"
#include "hangul/core/Uni2Euc.h"
#include "platform/Folders.h"
#include "platform/text/WordFileName.h"

#ifdef NORUMI_WBK_DRAW
#include <QImage>

#include "hangul/view/Drawing.h"
#endif

namespace norumi::wbk {
namespace {

std::string CodesJson(const HangulCodes& codes) {
  JsonWriter json;
  json.IntArray(codes);
  return json.Text() + "\n";
}

// The EUC-KR table lies in the program's data folder, beside the tool or in the installed
// ../share/norumi. Without a whole table the EUC-KR forms would carry raw code values: refused,
// as the program's pattern dialog disables them.
TUni2Euc TableBesideTool() {
  TUni2Euc table;
  const auto file =
      DataFolderOf(ToPath(QCoreApplication::applicationDirPath())) / TUni2Euc::kFileName;
  if (table.LoadTable(file) && table.IsAvailable()) return table;
  std::error_code error;
  if (!std::filesystem::exists(file, error))
    throw Failure("the EUC-KR form (pattern 1) needs the table " + ShowPath(file) +
                  ", which is missing");
  throw Failure("the EUC-KR table " + ShowPath(file) +
                " is damaged or empty: it must be a file of a count and exactly that many "
                "4-byte entries");
}

int PatternOf(const Args& args) {
  const auto value = args.Value("--pattern");
  if (!value) throw UsageError("--pattern N is needed (0 Unicode, 1 EUC-KR, 2 and 3 references)");
  if (value->size() != 1 || (*value)[0] < '0' || (*value)[0] > '3')
    throw UsageError("--pattern takes 0, 1, 2 or 3");
  return (*value)[0] - '0';
}

// Text a shell hands over ends with a line break that is no part of the word.
std::string WithoutFinalLineBreak(std::string text) {
  if (!text.empty() && text.back() == '\n') text.pop_back();
  if (!text.empty() && text.back() == '\r') text.pop_back();
  return text;
}

HangulCodes Utf8ToCodes(const std::string& utf8) {
  return UnicodeTextToCodes(QString::fromUtf8(utf8).toStdU16String());
}

int Keys(const std::vector<std::string>& raw) {
  Args(raw, {}, 1, 1);
  const std::string input = ReadAllStdin();
  size_t start = 0;
  int lineNumber = 0;
  while (start < input.size()) {
    size_t end = input.find('\n', start);
    if (end == std::string::npos) end = input.size();
    std::string line = input.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    TKeyboard keyboard;
    for (char key : line) {
      if (key == '<') {
        keyboard.BackSpace();
      } else if (key == ' ') {
        keyboard.AppendCode(32);
      } else if (const int8_t tag = TagForKeyLetter(key)) {
        keyboard.AddKey(tag);
      } else {
        throw Failure("line " + std::to_string(lineNumber) + ": \"" + std::string(1, key) +
                      "\" is no key (letters a-z and A-Z, space, < for back space)");
      }
    }
    HangulCodes codes;
    keyboard.GetCodes(codes);
    WriteOut(CodesJson(codes));
  }
  return 0;
}

int Copy(const std::vector<std::string>& raw) {
  const Args args(raw, {{"--pattern", true}}, 1, 1);
  const int pattern = PatternOf(args);
  const HangulCodes codes = Utf8ToCodes(WithoutFinalLineBreak(ReadAllStdin()));
  switch (pattern) {
    case 0:
      WriteOut(QString::fromStdU16String(CodesToUnicodeText(codes)).toUtf8().toStdString());
      break;
    case 1:
      WriteOut(CodesToEucKr(codes, TableBesideTool()));
      break;
    default:
      WriteOut(CodesToReferences(codes, pattern == 3));
  }
  return 0;
}

int Paste(const std::vector<std::string>& raw) {
  const Args args(raw, {{"--pattern", true}}, 1, 1);
  const int pattern = PatternOf(args);
  std::string bytes = ReadAllStdin();
  HangulCodes codes;
  if (pattern == 0)
    codes = Utf8ToCodes(WithoutFinalLineBreak(bytes));
  else if (pattern == 1)
    codes = EucKrToCodes(bytes, TableBesideTool());
  else
    codes = ReferencesToCodes(bytes);
  WriteOut(CodesJson(codes));
  return 0;
}

int Draw(const std::vector<std::string>& raw) {
  const Args args(raw, {{"--png", true}, {"--width", true}}, 2, 2);
#ifdef NORUMI_WBK_DRAW
  const auto png = args.Value("--png");
  if (!png) throw UsageError("--png FILE is needed");
  int width = 456;
  if (const auto value = args.Value("--width")) {
    bool ok = false;
    width = ArgText(*value).toInt(&ok);
    if (!ok || width < 1 || width > 100000) throw UsageError("--width takes a number of pixels");
  }
  const HangulCodes codes = Utf8ToCodes(args.Positional()[1]);
  const QImage picture = DrawCodes(&codes, QSize(width, 24));
  if (!picture.save(FromPath(ArgPath(*png)), "PNG")) throw Failure("cannot write " + *png);
  return 0;
#else
  (void)args;
  throw Failure("this build of wbk cannot draw");
#endif
}

constexpr std::string_view kTableNote =
    "The EUC-KR table euc2uni.dll is read from beside the tool, or from ../share/norumi beside\n"
    "its folder when installed; without it pattern 1 fails.\n";

const Subcommand kSubcommands[] = {
    {"keys", "keys",
     "Reads lines of keys from stdin and prints, per line, the codes the on-screen\n"
     "keyboard holds after them, as a JSON array ([54620,0]). Keys: a-z, A-Z (with\n"
     "Shift: E O P Q R T W give the shifted jamo), space, < for back space.\n",
     &Keys},
    {"copy", "copy --pattern N",
     "Reads UTF-8 Korean text (one code per UTF-16 unit; a final line break is\n"
     "dropped) and writes the bytes copying in pattern N places as plain text: 0 the\n"
     "Unicode text as UTF-8, 1 EUC-KR, 2 decimal and 3 hexadecimal references.\n",
     &Copy, kTableNote},
    {"paste", "paste --pattern N",
     "Reads bytes in pattern N and prints the codes pasting them appends.\n", &Paste, kTableNote},
    {"draw", "draw TEXT --png FILE [--width PIXELS]",
     "Draws TEXT as the program draws Korean into an image PIXELS wide (456 by\n"
     "default) and 24 high, saved as a PNG file.\n",
     &Draw},
};

constexpr SubcommandGroup kGroup{"hangul", kSubcommands, kTableNote};

int Hangul(const Invocation& call) {
  return RunSubcommand(kGroup, call.args);
}

const std::string kSynopsis = GroupSynopsis(kGroup);
const std::string kDetails = GroupDetails(kGroup);

}  // namespace

const Command kHangulCommand = {
    "hangul", kSynopsis, "work the Hangul engine: compose keys, copy and paste forms, draw",
    kDetails, &Hangul,
};

}  // namespace norumi::wbk
