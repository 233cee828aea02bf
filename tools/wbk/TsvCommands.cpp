// SPDX-License-Identifier: GPL-3.0-or-later
// import and export: words as tab-separated text, for spreadsheets and flash-card programs.
#include "Commands.h"
#include "ListFormat.h"
#include "Text.h"
#include "WordFiles.h"
#include "exchange/Tsv.h"
#include "exchange/TsvWords.h"
#include "hangul/core/TextForms.h"
#include "platform/text/Cp932.h"
#include "storage/WordFileLock.h"

namespace norumi::wbk {

namespace {

std::string Lines(size_t count) {
  return std::to_string(count) + (count == 1 ? " line" : " lines");
}

QString ProblemText(const TsvProblem& problem) {
  const QString line = QStringLiteral("line %1").arg(problem.line);
  switch (problem.kind) {
    case TsvProblem::Kind::NotUtf8:
      return line + QStringLiteral(" is not UTF-8 text");
    case TsvProblem::Kind::NulByte:
      return line + QStringLiteral(" holds a NUL byte");
    case TsvProblem::Kind::NoJapanese:
      return line + QStringLiteral(": there is no Japanese column");
    case TsvProblem::Kind::TooManyColumns:
      return line + QStringLiteral(
                        ": %1 columns; a line holds Korean, Japanese, explanation and URL at most")
                        .arg(problem.columns);
    case TsvProblem::Kind::Empty:
      return line + (problem.column == TsvColumn::Korean
                         ? QStringLiteral(": the Korean column holds no Hangul")
                         : QStringLiteral(": the Japanese column is empty"));
    case TsvProblem::Kind::NotCp932:
      break;
  }
  static const char* const kColumns[] = {"Korean", "Japanese", "explanation", "URL"};
  const std::string where = line.toStdString() + ", " + kColumns[int(problem.column)] + " column";
  return QString::fromStdString(
      UncodableMessage(where, problem.text, {problem.character, problem.codePoint}));
}

int RunImport(const Invocation& call) {
  const Args args(call.args, {{"--skip-invalid", false}}, 2, 2);
  // Through a link to a word file of its folder, which stays a link.
  const auto path = SaveTargetOf(ArgPath(args.Positional()[0]));
  // Every line is read before anything is written: without --skip-invalid an import is whole or
  // not at all, and either way every refused line is named at once, not one per attempt.
  TsvWords read = ReadTsvWords(ReadInput(args.Positional()[1]));
  const size_t refused = read.problems.size();
  for (const QString& line :
       ListTsvProblems(read.problems, ProblemText, QStringLiteral("and %1 more")))
    call.Report(line.toStdString());
  if (refused > 0 && !args.Has("--skip-invalid"))
    throw Failure(Lines(refused) + " refused; nothing imported (--skip-invalid imports the rest)");
  if (refused > 0 && read.words.empty())
    throw Failure("no line holds a word that can be imported; nothing written");

  // Read under the lock, so that the words another writer saved meanwhile stay.
  const WordFileLock lock(path, kWordFileLockWait, "import");
  TTangoList list;
  const LoadStatus status = list.LoadFromFile(path);
  if (IsDamaged(status))
    throw Failure(ShowPath(path) + " is damaged (" + LoadStatusName(status) +
                  "); nothing imported");
  if (status == LoadStatus::Missing) list.Title = TitleFromFileName(path, "the file name as title");
  const int offered = read.words.Count();
  const int added = list.AddAbsent(read.words);
  if (added > 0 || status == LoadStatus::Missing) list.SaveToFile(path);
  WriteOut("added " + std::to_string(added) + " of " + std::to_string(offered) + " words\n");
  if (refused > 0) call.Report("skipped " + Lines(refused));
  return 0;
}

int RunExport(const Invocation& call) {
  const Args args(call.args, {}, 1, 1);
  const auto path = ArgPath(args.Positional()[0]);
  TTangoList list;
  const LoadStatus status = LoadExisting(list, path);
  // The header lines tell a flash-card program how to read the rest; wbk import skips them.
  WriteOut("#separator:tab\n#html:false\n#columns:Korean\tJapanese\tExplanation\tURL\n");
  WriteListTsv(list, WriteOut);
  if (!IsDamaged(status)) return 0;
  call.Report(ShowPath(path) + " is damaged (" + LoadStatusName(status) +
              "); exported is what could be read");
  return 1;
}

}  // namespace

const Command kImportCommand{
    "import", "FILE TSV [--skip-invalid]", "add words from tab-separated text",
    "Reads UTF-8 lines of Korean, Japanese and, optionally, explanation and URL, separated by\n"
    "tabs; TSV \"-\" is the standard input. Lines starting with \"#\" (such as the headers of\n"
    "flash-card exports) and blank lines are passed over; CRLF line ends and a BOM are fine.\n"
    "The escapes \\t, \\n, \\r, \\\\ and \\# stand for a tab, a line break, a carriage return,\n"
    "a backslash and a \"#\"; any other backslash is kept.\n"
    "Korean becomes one code per UTF-16 unit (decomposed Korean composed into syllables\n"
    "first) and a closing 0 code, as the word editor registers it. A word the file already\n"
    "holds with the same Korean, Japanese, explanation and URL is not added again. FILE is\n"
    "created when missing, titled after its name.\n"
    "A line is refused when it is not UTF-8 or holds a NUL byte, has text CP932 cannot hold,\n"
    "lacks the Japanese column, has more than four columns, Korean without Hangul or a\n"
    "Japanese column of blanks alone (such a word could never be asked).\n"
    "The refused lines are listed on stderr (the first 20, with their column, character and\n"
    "code point, and a count of the rest), and nothing is written. --skip-invalid imports the\n"
    "other lines and ends with the number skipped on stderr; its exit status is 1 only when\n"
    "no line held a word. A damaged FILE is never written.\n",
    RunImport};

const Command kExportCommand{
    "export", "FILE", "print the words as tab-separated text",
    "Prints every word as a line of Korean, Japanese, explanation and URL, in the escapes\n"
    "that wbk import reads (see wbk import --help), after header lines for flash-card\n"
    "programs. The 0 codes of a Korean word leave no trace. A damaged file is exported as\n"
    "far as it could be read, with exit status 1.\n",
    RunExport};

}  // namespace norumi::wbk
