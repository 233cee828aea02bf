// import and export: words as tab-separated text, for spreadsheets and flash-card programs.
#include "Commands.h"
#include "Text.h"
#include "Tsv.h"
#include "WordFiles.h"
#include "model/WordFileLock.h"
#include "platform/text/Cp932.h"

namespace norumi::wbk {

namespace {

TTango RowToWord(const TsvRow& row) {
  const std::string line = "line " + std::to_string(row.line);
  const QStringList& columns = row.columns;
  if (columns.size() < 2) throw Failure(line + ": there is no Japanese column");
  if (columns.size() > 4)
    throw Failure(line + ": " + std::to_string(columns.size()) +
                  " columns; a line holds Korean, Japanese, explanation and URL at most");
  TTango word;
  word.Japan = ToCp932OrRefuse(columns[1], line + ", Japanese column");
  if (columns.size() > 2)
    word.Setsumei = ToCp932OrRefuse(columns[2], line + ", explanation column");
  if (columns.size() > 3) word.Url = ToCp932OrRefuse(columns[3], line + ", URL column");
  // A word of nothing but its closing 0 code has nothing to ask and nothing to answer.
  if (columns[0].isEmpty() && word.Japan.empty())
    throw Failure(line + ": both the Korean and the Japanese column are empty");
  word.Hangul = KoreanToCodes(columns[0]);
  return word;
}

int RunImport(const Invocation& call) {
  const Args args(call.args, {}, 2, 2);
  const auto path = ArgPath(args.Positional()[0]);
  // Every line is checked before anything is written: an import is whole or not at all.
  std::vector<TTango> words;
  for (const TsvRow& row : ParseTsv(ReadInput(args.Positional()[1])))
    words.push_back(RowToWord(row));

  // Read under the lock, so that the words another writer saved meanwhile stay.
  const WordFileLock lock(path, kWordFileLockWait, "import");
  TTangoList list;
  const LoadStatus status = list.LoadFromFile(path);
  if (IsDamaged(status))
    throw Failure(ShowPath(path) + " is damaged (" + LoadStatusName(status) +
                  "); nothing imported");
  if (status == LoadStatus::Missing) list.Title = TitleFromFileName(path, "the file name as title");
  const int added = list.AddAbsent(words);
  if (added > 0 || status == LoadStatus::Missing) list.SaveToFile(path);
  WriteOut("added " + std::to_string(added) + " of " + std::to_string(words.size()) + " words\n");
  return 0;
}

int RunExport(const Invocation& call) {
  const Args args(call.args, {}, 1, 1);
  const auto path = ArgPath(args.Positional()[0]);
  TTangoList list;
  const LoadStatus status = LoadExisting(list, path);
  // The header lines tell a flash-card program how to read the rest; wbk import skips them.
  QString out =
      QStringLiteral("#separator:tab\n#html:false\n#columns:Korean\tJapanese\tExplanation\tURL\n");
  for (int i = 0; i < list.Count(); ++i) {
    const TTango& word = list.Tango(i);
    out += EscapeTsvField(CodesToKorean(word.Hangul), true) + QChar('\t') +
           EscapeTsvField(FromCp932(word.Japan), false) + QChar('\t') +
           EscapeTsvField(FromCp932(word.Setsumei), false) + QChar('\t') +
           EscapeTsvField(FromCp932(word.Url), false) + QChar('\n');
  }
  WriteOut(out.toStdString());
  if (!IsDamaged(status)) return 0;
  call.Report(ShowPath(path) + " is damaged (" + LoadStatusName(status) +
              "); exported is what could be read");
  return 1;
}

}  // namespace

const Command kImportCommand{
    "import", "FILE TSV", "add words from tab-separated text",
    "Reads UTF-8 lines of Korean, Japanese and, optionally, explanation and URL, separated by\n"
    "tabs; TSV \"-\" is the standard input. Lines starting with \"#\" (such as the headers of\n"
    "flash-card exports) and blank lines are passed over; CRLF line ends and a BOM are fine.\n"
    "The escapes \\t, \\n, \\r, \\\\ and \\# stand for a tab, a line break, a carriage return,\n"
    "a backslash and a \"#\"; any other backslash is kept.\n"
    "Korean becomes one code per UTF-16 unit and a closing 0 code, as the word editor\n"
    "registers it. A word the file already holds with the same Korean, Japanese, explanation\n"
    "and URL is not added again. FILE is created when missing, titled after its name.\n"
    "Nothing is written when any line has text CP932 cannot hold or a NUL byte, lacks the\n"
    "Japanese column or has neither Korean nor Japanese, or when FILE is damaged.\n",
    RunImport};

const Command kExportCommand{
    "export", "FILE", "print the words as tab-separated text",
    "Prints every word as a line of Korean, Japanese, explanation and URL, in the escapes\n"
    "that wbk import reads (see wbk import --help), after header lines for flash-card\n"
    "programs. The 0 codes of a Korean word leave no trace. A damaged file is exported as\n"
    "far as it could be read, with exit status 1.\n",
    RunExport};

}  // namespace norumi::wbk
