// SPDX-License-Identifier: GPL-3.0-or-later
#include "exchange/TsvWords.h"

#include <algorithm>

#include "exchange/Tsv.h"
#include "hangul/core/CodeKinds.h"
#include "hangul/core/TextForms.h"
#include "model/Parallel.h"
#include "platform/text/Cp932.h"
#include "platform/text/ShownControls.h"

namespace norumi {

namespace {

// Appends the CP932 bytes of one column to `out`, or gives the problem that names its character.
std::optional<TsvProblem> AppendColumn(int line, QStringView text, TsvColumn column,
                                       std::string& out) {
  if (AppendCp932(text, out)) return std::nullopt;
  const QString whole = text.toString();
  const Uncodable uncodable = FirstUncodable(whole).value_or(Uncodable{});
  return TsvProblem{
      line, TsvProblem::Kind::NotCp932, 0, column, whole, uncodable.character, uncodable.codePoint};
}

// The texts and codes of the row being read, kept from row to row so that a row costs no
// allocation of its own.
struct Row {
  std::string texts[3];  // Japanese, explanation, URL
  HangulCodes codes;
};

// Appends the word of a row to `words`, or gives the problem that refuses the row.
std::optional<TsvProblem> AppendWord(int line, const std::vector<QStringView>& columns, Row& row,
                                     TangoRecords& words) {
  const auto count = qsizetype(columns.size());
  const auto problem = [&](TsvProblem::Kind kind) {
    return TsvProblem{line, kind, int(count), {}, {}, {}, {}};
  };
  if (count < 2) return problem(TsvProblem::Kind::NoJapanese);
  if (count > 4) return problem(TsvProblem::Kind::TooManyColumns);
  for (int column = 1; column < 4; ++column) {
    std::string& text = row.texts[column - 1];
    text.clear();
    if (column >= count) continue;
    if (auto refused = AppendColumn(line, columns[column], TsvColumn(column), text)) return refused;
  }
  // A word is asked both ways: Korean without a picture, or a meaning of blanks alone, would be
  // a question no one can read or an answer no one can give.
  KoreanToCodes(columns[0], row.codes);
  const auto empty = [&](TsvColumn column) {
    TsvProblem refused = problem(TsvProblem::Kind::Empty);
    refused.column = column;
    return refused;
  };
  if (!DrawsSomething(row.codes)) return empty(TsvColumn::Korean);
  if (std::all_of(columns[1].begin(), columns[1].end(),
                  [](QChar c) { return IsBlankCode(c.unicode()); }))
    return empty(TsvColumn::Japanese);
  words.Append({row.texts[0], CodeView(row.codes), row.texts[1], row.texts[2]});
  return std::nullopt;
}

}  // namespace

namespace {

// The words of a part of a text that starts a line, `linesBefore` lines into it and `lines`
// lines long.
TsvWords ReadPart(std::string_view utf8, int linesBefore, int lines) {
  std::vector<TsvBadLine> bad;
  TsvWords result;
  result.words.Reserve(size_t(lines) + 1);  // one word a line at most
  Row row;
  const auto take = [&](int line, const std::vector<QStringView>& columns) {
    if (auto refused = AppendWord(line, columns, row, result.words))
      result.problems.push_back(*std::move(refused));
  };
  ForEachTsvRow(utf8, bad, take, linesBefore);
  for (const TsvBadLine& line : bad) {
    const auto kind = line.nul ? TsvProblem::Kind::NulByte : TsvProblem::Kind::NotUtf8;
    result.problems.push_back({line.line, kind, 0, {}, {}, {}, {}});
  }
  return result;
}

}  // namespace

TsvWords ReadTsvWords(std::string_view utf8) {
  // A long text is read in parts at once, each from the start of a line.
  constexpr size_t kPartBytes = size_t(1) << 19;
  const size_t parts = Workers(utf8.size(), kPartBytes);
  struct Part {
    std::string_view text;
    int linesBefore = 0;
    TsvWords read;
  };
  std::vector<Part> split(parts);
  int linesBefore = 0;
  for (size_t part = 0, from = 0; part < parts; ++part) {
    size_t to = part + 1 == parts ? utf8.size() : utf8.find('\n', utf8.size() * (part + 1) / parts);
    to = to == std::string_view::npos ? utf8.size() : std::max(from, std::min(to + 1, utf8.size()));
    split[part].text = utf8.substr(from, to - from);
    split[part].linesBefore = linesBefore;
    linesBefore += int(std::count(split[part].text.begin(), split[part].text.end(), '\n'));
    from = to;
  }
  RunParts(parts, [&](size_t p) {
    const int lines =
        (p + 1 < parts ? split[p + 1].linesBefore : linesBefore) - split[p].linesBefore;
    split[p].read = ReadPart(split[p].text, split[p].linesBefore, lines);
  });
  TsvWords result;
  for (Part& part : split) {
    result.words.Append(std::move(part.read.words));
    result.problems.insert(result.problems.end(),
                           std::make_move_iterator(part.read.problems.begin()),
                           std::make_move_iterator(part.read.problems.end()));
  }
  std::stable_sort(result.problems.begin(), result.problems.end(),
                   [](const TsvProblem& a, const TsvProblem& b) { return a.line < b.line; });
  return result;
}

void KoreanToCodes(QStringView text, HangulCodes& codes) {
  UnicodeTextToCodes(
      std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())),
      codes);
  codes.push_back(0);
}

std::optional<Uncodable> FirstUncodable(const QString& text) {
  const qsizetype at = FirstNonCp932(text);
  if (at < 0) return std::nullopt;
  const bool pair =
      text.at(at).isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate();
  const QString character = text.mid(at, pair ? 2 : 1);
  const char32_t point =
      pair ? QChar::surrogateToUcs4(character.at(0), character.at(1)) : character.at(0).unicode();
  return Uncodable{character,
                   QStringLiteral("U+") +
                       QString::number(uint(point), 16).toUpper().rightJustified(4, QChar('0'))};
}

QStringList ListTsvProblems(const std::vector<TsvProblem>& problems,
                            const std::function<QString(const TsvProblem&)>& describe,
                            const QString& more) {
  QStringList lines;
  for (size_t i = 0; i < problems.size() && i < kListedProblems; ++i)
    lines << ShowControls(describe(problems[i]));
  if (problems.size() > kListedProblems)
    lines << more.arg(qulonglong(problems.size() - kListedProblems));
  return lines;
}

}  // namespace norumi
